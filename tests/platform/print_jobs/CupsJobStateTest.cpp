// What CUPS's attributes of a job and its queue say about the job's end, in the states CUPS 2.4
// was seen to give them (the queue tests of vantric-batch and the window meet them for real).
#include <gtest/gtest.h>

#include "platform/linux/CupsJobState.h"

using namespace vantric;
using namespace vantric::cups;

TEST(CupsJobState, EachStateReadsAsItsEnd) {
    const QString jam = QStringLiteral("Paper jam in tray 1");
    const struct {
        const char* name;
        JobAttributes seen;
        std::optional<JobReport> end;  // none: still on its way
    } cases[] = {
        {"completed",
         {kCompleted, "completed", {}, {}, kIdle, {}, {}},
         JobReport{JobEnd::Completed, "completed", {}}},
        {"aborted_by_a_failing_printer",
         {kAborted, "aborted", {"processing-to-stop-point"}, jam, kIdle, {}, jam},
         JobReport{JobEnd::Failed, "aborted", jam}},
        {"canceled_without_a_job_message",
         {kCanceled, "canceled", {}, {}, kIdle, {}, QStringLiteral("Ready")},
         JobReport{JobEnd::Failed, "canceled", "Ready"}},
        {"held_after_a_failure_to_be_retried",
         {kHeld, "pending-held", {"resources-are-not-ready"}, jam, kIdle, {}, jam},
         JobReport{JobEnd::Failed, "pending-held", jam}},
        {"held_on_request",
         {kHeld, "pending-held", {"job-hold-until-specified"}, {}, kIdle, {}, {}},
         JobReport{JobEnd::Waiting, "pending-held", {}}},
        {"pending_in_a_stopped_queue",
         {kPending, "pending", {"none"}, {}, kPrinterStopped, {"paused"}, "Paused"},
         JobReport{JobEnd::Waiting, "pending", "Paused"}},
        {"pending_on_a_printer_a_failure_stopped",
         {kPending, "pending", {"printer-stopped"}, jam, kIdle, {}, jam},
         JobReport{JobEnd::Waiting, "pending", jam}},
        {"processing_on_a_printer_out_of_paper",
         {kProcessing, "processing", {"job-printing"}, {}, kBusy, {"media-empty-error"}, "Out"},
         JobReport{JobEnd::Waiting, "processing", "Out"}},
        {"processing_with_a_warning",
         {kProcessing, "processing", {"job-printing"}, {}, kBusy, {"media-low-warning"}, {}},
         std::nullopt},
        {"pending_on_an_idle_printer",
         {kPending, "pending", {"none"}, {}, kIdle, {"none"}, {}},
         std::nullopt},
        {"unknown_to_the_service", {}, JobReport{JobEnd::Unknown, {}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JobEndOf(c.seen), c.end);
    }
}
