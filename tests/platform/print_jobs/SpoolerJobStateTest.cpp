// What the Windows spooler's status bits of a job and its printer say about the job's end.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include "platform/windows/SpoolerJobState.h"

using namespace vantric;
using namespace vantric::spooler;

TEST(SpoolerJobState, StatusBitsReadAsTheJobsEnd) {
    const QString jam = QStringLiteral("Paper jam");
    const struct {
        const char* name;
        JobStatus now;
        DWORD earlier;
        std::optional<JobReport> end;  // none: still on its way
    } cases[] = {
        {"printing", {true, JOB_STATUS_PRINTING, {}, 0}, 0, std::nullopt},
        {"printed_and_kept",
         {true, JOB_STATUS_PRINTED, {}, 0},
         0,
         JobReport{JobEnd::Completed, "printed", {}}},
        {"gone_after_printing",
         {false, 0, {}, 0},
         JOB_STATUS_PRINTING,
         JobReport{JobEnd::Completed, "printed", {}}},
        {"gone_while_deleted",
         {false, 0, {}, 0},
         JOB_STATUS_DELETING,
         JobReport{JobEnd::Failed, "deleting", {}}},
        {"in_error_with_the_port_monitors_text",
         {true, JOB_STATUS_ERROR | JOB_STATUS_PRINTING, jam, 0},
         0,
         JobReport{JobEnd::Failed, "error", jam}},
        {"out_of_paper",
         {true, JOB_STATUS_PAPEROUT, {}, PRINTER_STATUS_PAPER_OUT},
         0,
         JobReport{JobEnd::Waiting, "paper out", {}}},
        {"on_a_paused_printer",
         {true, JOB_STATUS_SPOOLING, {}, PRINTER_STATUS_PAUSED},
         0,
         JobReport{JobEnd::Waiting, "printer paused", {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JobEndOf(c.now, c.earlier), c.end);
    }
}

TEST(SpoolerJobState, PrinterStatusReadsAsReadiness) {
    const struct {
        DWORD status, attributes;
        bool paused, offline, inError;
    } cases[] = {
        {0, 0, false, false, false},
        {PRINTER_STATUS_PAUSED, 0, true, false, false},
        {0, PRINTER_ATTRIBUTE_WORK_OFFLINE, false, true, false},
        {PRINTER_STATUS_OFFLINE | PRINTER_STATUS_PAPER_JAM, 0, false, true, true},
        {PRINTER_STATUS_BUSY | PRINTER_STATUS_WARMING_UP, 0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.status << " " << c.attributes);
        const PrinterReadiness r = ReadinessOf(c.status, c.attributes);
        EXPECT_EQ(std::make_tuple(r.paused, r.offline, r.inError),
                  std::make_tuple(c.paused, c.offline, c.inError));
    }
}
