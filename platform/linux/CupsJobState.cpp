#include "platform/linux/CupsJobState.h"

namespace vantric::cups {

namespace {

// What the printer's backend last said: the job's own copy first, the printer's when the job
// has none.
QString ReasonOf(const JobAttributes& a) {
    return !a.jobPrinterStateMessage.isEmpty() ? a.jobPrinterStateMessage : a.printerStateMessage;
}

bool PrinterStopped(const JobAttributes& a) {
    if (a.printerState == kPrinterStopped ||
        a.jobStateReasons.contains(QStringLiteral("printer-stopped"))) {
        return true;
    }
    for (const QString& reason : a.printerStateReasons) {
        if (reason.endsWith(QLatin1String("-error"))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<JobReport> JobEndOf(const JobAttributes& a) {
    switch (a.jobState) {
        case kCompleted:
            return JobReport{JobEnd::Completed, a.jobStateName, QString()};
        case kCanceled:
        case kAborted:
            return JobReport{JobEnd::Failed, a.jobStateName, ReasonOf(a)};
        case kHeld:
            // Held on request (lp -H) waits to be released; held by the service follows a
            // failure of the printer and is tried again only much later.
            if (a.jobStateReasons.contains(QStringLiteral("job-hold-until-specified"))) {
                return JobReport{JobEnd::Waiting, a.jobStateName, ReasonOf(a)};
            }
            return JobReport{JobEnd::Failed, a.jobStateName, ReasonOf(a)};
        case kPending:
        case kProcessing:
        case kJobStopped:
            if (a.jobState == kJobStopped || PrinterStopped(a)) {
                return JobReport{JobEnd::Waiting, a.jobStateName, a.printerStateMessage};
            }
            return std::nullopt;
        default:
            return JobReport{JobEnd::Unknown, a.jobStateName, QString()};
    }
}

}  // namespace vantric::cups
