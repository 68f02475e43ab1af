// What the print service says about a job once it has taken it, and about a printer before a
// job goes to it: CUPS on Linux, the Windows spooler on Windows. A print that returns without a
// word is taken at the desk to be on paper, so what the service knows is asked for and told.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

class QPrinter;

namespace vantric {

// A job the print service has taken: the queue (on Windows the printer) and the job's number
// there.
struct PrintJobId {
    QString queue;
    int32_t id = 0;
    bool operator==(const PrintJobId&) const = default;
};

enum class JobEnd {
    Completed,  // printed
    Failed,     // aborted, cancelled, or held after a failure: not (all) on paper
    Waiting,    // kept in a stopped or paused queue, or held: prints once someone releases it
    Printing,   // still queued or printing when the follow's bound passed: not known to fail
    Unknown,    // the service could not be asked, or no longer knows the job
};

struct JobReport {
    JobEnd end = JobEnd::Unknown;
    QString state;   // the service's own word for the job's state ("aborted", "pending-held")
    QString reason;  // what the service says of the job or its printer, as it says it; may be empty
    bool operator==(const JobReport&) const = default;
};

// How long a job is followed before it is left to the printer: a slow printer warming up takes
// tens of seconds for a few pages, and nothing waits on the answer but the answer itself.
inline constexpr std::chrono::seconds kJobFollowBound{60};

// Asks the service about the job every few tenths of a second until it completed, failed or
// waits in a stopped queue or on a stopped printer, or until `bound` has passed (then Printing).
// `stop`, when another thread sets it, ends the follow at the next question with Printing.
// Blocks: the window calls it off its own thread.
JobReport FollowPrintJob(const PrintJobId& job, std::chrono::milliseconds bound,
                         const std::atomic<bool>* stop = nullptr);

// What keeps a printer from taking a job now, as the service reports it before one is sent.
// Windows asks the printer's status (a paused printer would keep the job, an offline one lose
// it); CUPS queues take jobs while stopped and say why they refuse one when it is sent, so on
// Linux nothing is asked before and every printer reads as ready.
struct PrinterReadiness {
    bool paused = false;
    bool offline = false;
    bool inError = false;  // jammed, out of paper, door open, needs the operator ...
    bool Ready() const { return !paused && !offline && !inError; }
};
PrinterReadiness PrinterReadinessOf(const QString& printer);

// A document printed straight onto a printer's device (Windows): the system's own text when
// the device could not start or end it or take a page, and the job it left in the spooler.
// Made before the document starts, asked after it ended. Where documents go to the service as
// files (Linux) the service's answer comes from the spooling instead, and this learns nothing.
class DeviceDocumentWatch {
  public:
    explicit DeviceDocumentWatch(const QPrinter& printer);
    ~DeviceDocumentWatch();
    DeviceDocumentWatch(const DeviceDocumentWatch&) = delete;
    DeviceDocumentWatch& operator=(const DeviceDocumentWatch&) = delete;

    // The system's text for the first step of the document that failed; empty when none did.
    QString SystemError() const;
    // The job the document left in the printer's queue; none when the spooler shows none.
    std::optional<PrintJobId> Job() const;

    struct State;

  private:
    std::unique_ptr<State> state_;
};

// What the print service calls the place a job goes to, in the batch's messages: "queue" where
// CUPS serves queues, "printer" on Windows.
QString QueueWord();

}  // namespace vantric
