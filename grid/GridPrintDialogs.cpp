#include "grid/GridPrintDialogs.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QStringList>

#include "platform/MessageBox.h"
#include "platform/Printer.h"

namespace vantric {

bool DialogPrinterChooser::Choose(QPrinter& printer) {
    if (!AnyPrinterInstalled()) {
        MessageService().ShowMessageBox(parent_ ? parent_->window() : nullptr, kNoPrinterText,
                                        kPrintReminderTitle, MessageIcon::None);
        return false;
    }
    QPrintDialog dialog(&printer, parent_);
    // The range is chosen here and printed by the job; the dialog would otherwise leave it to the
    // print service, which never sees it.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selection_);
    if (printer.fromPage() > 0 && printer.toPage() >= printer.fromPage()) {
        dialog.setMinMax(printer.fromPage(), printer.toPage());
    }
    return dialog.exec() == QDialog::Accepted;
}

QString NoRoomForTableText(int32_t labelsFit, int32_t labelsNeeded) {
    return labelsNeeded > 0 ? kNoRoomForLabelsText.arg(labelsFit).arg(labelsNeeded)
                            : kNoRoomForTableText;
}

QString PrintOutcomeText(const PrintOutcome& outcome) {
    if (outcome.ok || outcome.cancelled) {
        return QString();
    }
    if (outcome.nothingToPrint) {
        return kNothingToPrintText;
    }
    if (outcome.noRoomForTable) {
        return NoRoomForTableText(outcome.labelsFit, outcome.labelsNeeded);
    }
    if (outcome.pagesOutsideRun) {
        return kPagesOutsideRunText.arg(outcome.totalPages);
    }
    if (outcome.printerNotReady) {
        QStringList states;
        if (outcome.readiness.paused) {
            states << kPrinterPausedWord;
        }
        if (outcome.readiness.offline) {
            states << kPrinterOfflineWord;
        }
        if (outcome.readiness.inError) {
            states << kPrinterInErrorWord;
        }
        return kPrinterNotReadyText.arg(outcome.printer, states.join(QStringLiteral("、")));
    }
    if (outcome.refused) {
        const QString queue = outcome.queueMessage.isEmpty()
                                  ? QString()
                                  : kQueueSaysText.arg(outcome.printer, outcome.queueMessage);
        return kPrintRefusedText.arg(outcome.systemReason, queue);
    }
    // Without a word from the system the print library's own stands in.
    const QString why = outcome.systemReason.isEmpty() ? outcome.error : outcome.systemReason;
    if (!outcome.documentStarted) {
        // No printer at all was told when the dialog was asked for; a file says why itself.
        return outcome.printer.isEmpty() && outcome.error.isEmpty()
                   ? QString()
                   : kDocumentNotStartedText.arg(why);
    }
    return kDocumentNotEndedText.arg(why);
}

QString JobReportText(const PrintJobId& job, const JobReport& report) {
    switch (report.end) {
        case JobEnd::Failed:
            return kJobFailedText.arg(job.queue).arg(job.id).arg(report.state, report.reason);
        case JobEnd::Waiting:
            return kJobWaitingText.arg(job.queue).arg(job.id).arg(report.reason);
        case JobEnd::Completed:
        case JobEnd::Printing:
        case JobEnd::Unknown:
            break;
    }
    return QString();
}

void TellWhyNothingPrinted(QWidget* asker, const PrintOutcome& outcome) {
    const QString why = PrintOutcomeText(outcome);
    if (!why.isEmpty()) {
        MessageService().ShowMessageBox(asker != nullptr ? asker->window() : nullptr, why,
                                        kPrintReminderTitle, MessageIcon::None);
    }
}

PrintProgressDialog::PrintProgressDialog(QWidget* parent) : parent_(parent) {}

PrintProgressDialog::~PrintProgressDialog() = default;

void PrintProgressDialog::Started(int32_t totalPages) {
    total_ = totalPages;
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setWindowTitle(QStringLiteral("打印"));
    dialog_->setCancelButtonText(QStringLiteral("取消"));
    dialog_->setRange(0, totalPages);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
}

bool PrintProgressDialog::PageDone(int32_t page) {
    if (!dialog_) {
        return true;
    }
    dialog_->setLabelText(QStringLiteral("正在打印第 %1 页，共 %2 页").arg(page).arg(total_));
    // Lets the window repaint and the cancel button be pressed.
    dialog_->setValue(page);
    return !dialog_->wasCanceled();
}

void PrintProgressDialog::Finished() {
    dialog_.reset();
}

}  // namespace vantric
