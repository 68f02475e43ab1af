// How CUPS's job and printer attributes read as the end of a job. Seen on CUPS 2.4:
//   - a queue that rejects jobs refuses the job when it is sent (nothing to follow);
//   - a stopped queue (cupsdisable) keeps the job "pending", its reasons "none", the printer
//     "stopped" with the message "Paused" or the reason given;
//   - a backend that fails: under the error policy retry-job (Debian's default) the job is
//     "pending-held", reason "resources-are-not-ready", and tried again five minutes later;
//     under abort-job it is "aborted"; under stop-printer it stays "pending", reason
//     "printer-stopped", and the printer is stopped; the backend's message is the job's
//     job-printer-state-message and the printer's printer-state-message alike;
//   - a finished job is "completed" (also "canceled" and "aborted" ones keep their state).
// A printer that reports a reason ending in "-error" (out of paper, jammed) has stopped until
// someone sees to it: its job waits, as in a stopped queue.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/PrintJobs.h"

namespace vantric::cups {

// IPP's job-state and printer-state values.
enum JobStateValue {
    kPending = 3,
    kHeld = 4,
    kProcessing = 5,
    kJobStopped = 6,
    kCanceled = 7,
    kAborted = 8,
    kCompleted = 9
};
enum PrinterStateValue { kIdle = 3, kBusy = 4, kPrinterStopped = 5 };

struct JobAttributes {
    int jobState = 0;      // 0: the service does not know the job
    QString jobStateName;  // the service's keyword for it, e.g. "pending-held"
    QStringList jobStateReasons;
    QString jobPrinterStateMessage;
    int printerState = 0;
    QStringList printerStateReasons;  // "paused", "media-empty-error", ...
    QString printerStateMessage;
};

// The job's end as far as the attributes tell it; none while it is still on its way.
std::optional<JobReport> JobEndOf(const JobAttributes& attributes);

}  // namespace vantric::cups
