#include "platform/windows/SpoolerJobState.h"

#include <QStringList>

namespace vantric::spooler {

namespace {

// The values of winspool.h, here so that the rule reads without it.
enum : uint32_t {
    kJobPaused = 0x1,
    kJobError = 0x2,
    kJobDeleting = 0x4,
    kJobOffline = 0x20,
    kJobPaperOut = 0x40,
    kJobPrinted = 0x80,
    kJobDeleted = 0x100,
    kJobBlockedDevq = 0x200,
    kJobUserIntervention = 0x400,
    kJobComplete = 0x1000,
};
enum : uint32_t {
    kPrinterPaused = 0x1,
    kPrinterError = 0x2,
    kPrinterPaperJam = 0x8,
    kPrinterPaperOut = 0x10,
    kPrinterPaperProblem = 0x40,
    kPrinterOffline = 0x80,
    kPrinterOutputBinFull = 0x800,
    kPrinterNotAvailable = 0x1000,
    kPrinterNoToner = 0x40000,
    kPrinterPagePunt = 0x80000,
    kPrinterUserIntervention = 0x100000,
    kPrinterOutOfMemory = 0x200000,
    kPrinterDoorOpen = 0x400000,
    kAttributeWorkOffline = 0x400,
};

// The status bits as the printer's queue window names them.
QString Words(uint32_t status) {
    static const struct {
        uint32_t bit;
        const char* word;
    } words[] = {{kJobError, "error"},
                 {kJobDeleting, "deleting"},
                 {kJobDeleted, "deleted"},
                 {kJobBlockedDevq, "blocked"},
                 {kJobOffline, "offline"},
                 {kJobPaperOut, "paper out"},
                 {kJobUserIntervention, "user intervention"},
                 {kJobPaused, "paused"},
                 {kJobPrinted, "printed"},
                 {kJobComplete, "complete"}};
    QStringList named;
    for (const auto& w : words) {
        if ((status & w.bit) != 0) {
            named << QString::fromLatin1(w.word);
        }
    }
    return named.join(QStringLiteral(", "));
}

}  // namespace

PrinterReadiness ReadinessOf(uint32_t status, uint32_t attributes) {
    PrinterReadiness r;
    r.paused = (status & kPrinterPaused) != 0;
    r.offline = (status & (kPrinterOffline | kPrinterNotAvailable)) != 0 ||
                (attributes & kAttributeWorkOffline) != 0;
    r.inError =
        (status & (kPrinterError | kPrinterPaperJam | kPrinterPaperOut | kPrinterPaperProblem |
                   kPrinterOutputBinFull | kPrinterNoToner | kPrinterPagePunt |
                   kPrinterUserIntervention | kPrinterOutOfMemory | kPrinterDoorOpen)) != 0;
    return r;
}

std::optional<JobReport> JobEndOf(const JobStatus& now, uint32_t earlier) {
    if (!now.inQueue) {
        // Gone: handed on to the printer, unless it was being deleted or had failed.
        if ((earlier & (kJobError | kJobDeleting | kJobDeleted | kJobBlockedDevq)) != 0) {
            return JobReport{JobEnd::Failed, Words(earlier), QString()};
        }
        return JobReport{JobEnd::Completed, QStringLiteral("printed"), QString()};
    }
    const uint32_t s = now.status;
    if ((s & (kJobError | kJobDeleting | kJobDeleted | kJobBlockedDevq)) != 0) {
        return JobReport{JobEnd::Failed, Words(s), now.text};
    }
    if ((s & (kJobPrinted | kJobComplete)) != 0) {
        return JobReport{JobEnd::Completed, Words(s), now.text};
    }
    const PrinterReadiness printer = ReadinessOf(now.printerStatus, 0);
    if ((s & (kJobPaused | kJobOffline | kJobPaperOut | kJobUserIntervention)) != 0 ||
        !printer.Ready()) {
        QString state = Words(s);
        if (state.isEmpty()) {
            state = printer.paused ? QStringLiteral("printer paused")
                                   : QStringLiteral("printer not ready");
        }
        return JobReport{JobEnd::Waiting, state, now.text};
    }
    return std::nullopt;
}

}  // namespace vantric::spooler
