#include "grid/GridPrintJob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryFile>
#include <algorithm>
#include <limits>

#include "grid/CGridPrinter.h"
#include "platform/DrivePath.h"
#include "platform/PrintJobs.h"
#include "platform/Printer.h"

namespace vantric {

namespace {

// Lays the grid out on the printable area of `printer` as a job on it prints it; needs no
// document, so the pages are known before the printer is asked for anything.
void LayOut(CGridPrinter& pages, QPainter& dc, const QPrinter& printer, PrintJobInfo& info,
            int32_t screenDpiX, int32_t screenDpiY) {
    const DeviceMeasures m = MeasuresOf(printer);
    const PageSurface surface = PrinterSurface(m);
    pages.SetScreenDpi(screenDpiX, screenDpiY);
    info.drawRect = GdiRect{0, 0, m.horzRes, m.vertRes};
    pages.BeginPrintLayout(dc, surface, info);
}

// The pages of the run as they fall on `printer`.
int32_t RunPagesOn(CGridCtrl& grid, QPrinter& printer, int32_t screenDpiX, int32_t screenDpiY) {
    UseDeviceMargins(printer);
    CGridPrinter pages(grid);
    QPainter idle;
    PrintJobInfo info;
    LayOut(pages, idle, printer, info, screenDpiX, screenDpiY);
    pages.EndPrintLayout(idle, info);
    return info.maxPage;
}

// The chosen pages of the run in print order, copies included; empty, with the reason in `out`,
// when there is nothing the job may print.
std::vector<int32_t> PrintOrder(const PageChoice& choice, int32_t totalPages, PrintOutcome& out) {
    if (totalPages < 1) {
        out.noRoomForTable = true;
        out.error = QStringLiteral("the print margins leave no room for the table");
        if (out.labelsNeeded > 0) {
            out.error += QStringLiteral(": only %1 of the %2 labels a page must hold fit whole")
                             .arg(out.labelsFit)
                             .arg(out.labelsNeeded);
        }
        return {};
    }
    int32_t outside = 0;
    const auto chosen = ChosenPages(choice.ranges, totalPages, &outside);
    if (!chosen) {
        out.pagesOutsideRun = true;
        out.error = QStringLiteral("page %1 is not in the run, which has %2 page%3")
                        .arg(outside)
                        .arg(totalPages)
                        .arg(totalPages == 1 ? QString() : QStringLiteral("s"));
        return {};
    }
    if (chosen->empty()) {
        out.error = QStringLiteral("no page of the run was chosen");
        return {};
    }
    const int64_t copies = std::max(1, choice.copies);
    const int64_t count = static_cast<int64_t>(chosen->size());
    if (count * copies > std::numeric_limits<int32_t>::max()) {
        out.error = QStringLiteral("%1 copies of %2 pages are more than one job can hold")
                        .arg(copies)
                        .arg(count);
        return {};
    }
    std::vector<int32_t> order;
    order.reserve(static_cast<size_t>(count * copies));
    for (int64_t i = 0; i < count * copies; ++i) {
        order.push_back(choice.collate ? (*chosen)[i % count] : (*chosen)[i / copies]);
    }
    return order;
}

// The pages of the grid onto the printer's own output.
PrintOutcome PrintPages(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                        IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY,
                        const PageChoice& choice) {
    PrintOutcome out;
    printer.setDocName(documentName);
    printer.setFullPage(false);
    CGridPrinter pages(grid);
    QPainter dc;
    PrintJobInfo info;
    LayOut(pages, dc, printer, info, screenDpiX, screenDpiY);
    out.totalPages = info.maxPage;
    out.labelsFit = pages.Geometry().labels.fit;
    out.labelsNeeded = pages.Geometry().labels.needed;
    const std::vector<int32_t> order = PrintOrder(choice, info.maxPage, out);
    if (order.empty()) {
        // Refused before a document exists: no file, no job, not even an empty one.
        pages.EndPrintLayout(dc, info);
        return out;
    }

    // A device says why only as it fails; a file's reason comes from the file system.
    const DeviceDocumentWatch device(printer);
    bool ok = dc.begin(&printer);
    out.documentStarted = ok;
    if (!ok) {
        out.error = QStringLiteral("the printer could not start the document");
        out.systemReason = device.SystemError();
    } else if (progress != nullptr) {
        progress->Started(static_cast<int32_t>(order.size()));
    }
    for (size_t i = 0; ok && i < order.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            ok = false;
            out.error = QStringLiteral("the printer refused page %1").arg(order[i]);
            out.systemReason = device.SystemError();
            break;
        }
        info.currentPage = order[i];
        pages.PrintOnePage(dc, info);
        ++out.pagesPrinted;
        if (progress != nullptr && !progress->PageDone(out.pagesPrinted)) {
            ok = false;
            out.cancelled = true;
            out.error = QStringLiteral("printing was cancelled");
        }
    }
    pages.EndPrintLayout(dc, info);
    if (out.documentStarted && progress != nullptr) {
        progress->Finished();
    }

    if (ok) {
        // A device may close the document without a word from the print library: what the
        // system said while it did counts.
        ok =
            dc.end() && printer.printerState() != QPrinter::Error && device.SystemError().isEmpty();
        if (!ok) {
            out.documentNotEnded = true;
            out.error = QStringLiteral("the printer could not finish the document");
            out.systemReason = device.SystemError();
        } else {
            out.job = device.Job();
        }
    } else if (out.documentStarted) {
        // Nothing half-made may reach the printer as a finished job.
        printer.abort();
        if (dc.isActive()) {
            dc.end();
        }
    }
    if (!out.systemReason.isEmpty()) {
        out.error += QStringLiteral(": ") + out.systemReason;
    }
    out.ok = ok;
    return out;
}

// What keeps a printer from taking a job, as the batch says it.
QString NotReadyWords(const PrinterReadiness& r) {
    QStringList words;
    if (r.paused) {
        words << QStringLiteral("paused");
    }
    if (r.offline) {
        words << QStringLiteral("offline");
    }
    if (r.inError) {
        words << QStringLiteral("in error");
    }
    return words.join(QStringLiteral(" and "));
}

// Why `path` cannot be written, as the system says it.
QString WhyNotWritable(const QString& path) {
    const bool existed = QFileInfo::exists(path);
    QFile probe(path);
    if (probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
        probe.close();
        if (!existed) {
            probe.remove();
        }
        return QString();
    }
    return probe.errorString();
}

// The printer of the print command, and in *choice what to print on it: what the dialog chose,
// when it asks; otherwise every page once. Null when the dialog was cancelled or there is no
// printer.
QPrinter* PrinterForJob(CGridCtrl& grid, IPrinterChooser* chooser, int32_t screenDpiX,
                        int32_t screenDpiY, bool offerSelection, PageChoice* choice) {
    if (grid.Print().askForPrinter) {
        // The dialog works on a copy: a cancelled dialog leaves the remembered printer as it was.
        std::unique_ptr<QPrinter> chosen = PrinterForDialog();
        if (const int32_t pages = RunPagesOn(grid, *chosen, screenDpiX, screenDpiY); pages > 0) {
            chosen->setFromTo(1, pages);
        }
        if (chooser == nullptr) {
            return nullptr;
        }
        chooser->OfferSelection(offerSelection);
        if (!chooser->Choose(*chosen)) {
            return nullptr;
        }
        *choice = PageChoiceOf(*chosen);
        choice->selection = choice->selection && offerSelection;
        RememberPrinter(std::move(chosen));
    } else if (RememberedPrinter() == nullptr) {
        auto fallback = CreateDefaultPrinter();
        if (!fallback) {
            return nullptr;
        }
        RememberPrinter(std::move(fallback));
    }
    QPrinter* printer = RememberedPrinter();
    return printer != nullptr && printer->isValid() ? printer : nullptr;
}

}  // namespace

std::optional<std::vector<int32_t>> ChosenPages(const std::vector<PageRange>& ranges,
                                                int32_t totalPages, int32_t* outside) {
    std::vector<int32_t> pages;
    if (ranges.empty()) {
        pages.resize(std::max(0, totalPages));
        for (int32_t p = 0; p < totalPages; ++p) {
            pages[p] = p + 1;
        }
        return pages;
    }
    std::vector<bool> chosen(std::max(0, totalPages) + 1, false);
    for (const PageRange& r : ranges) {
        const int32_t last = r.last == 0 ? totalPages : r.last;
        if (r.first < 1 || r.first > totalPages || last > totalPages) {
            if (outside != nullptr) {
                *outside = r.first < 1 || r.first > totalPages ? r.first : last;
            }
            return std::nullopt;
        }
        if (last < r.first) {
            continue;
        }
        std::fill(chosen.begin() + r.first, chosen.begin() + last + 1, true);
    }
    for (int32_t p = 1; p <= totalPages; ++p) {
        if (chosen[p]) {
            pages.push_back(p);
        }
    }
    return pages;
}

PrintOutcome PrintGridOn(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                         IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY,
                         const PageChoice& choice) {
    // Whatever chose the printer and its paper, the page is the device's printable area.
    UseDeviceMargins(printer);
    const bool toPrinter =
        printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
    PrintOutcome out;
    if (toPrinter) {
        out.printer = printer.printerName();
        out.readiness = PrinterReadinessOf(out.printer);
        if (!out.readiness.Ready()) {
            out.printerNotReady = true;
            out.error = QStringLiteral("the %1 \"%2\" is %3; nothing printed")
                            .arg(QueueWord(), out.printer, NotReadyWords(out.readiness));
            return out;
        }
    }
    if (!toPrinter || !CanSpoolFiles()) {
        const QString name = out.printer;
        out = PrintPages(grid, printer, documentName, progress, screenDpiX, screenDpiY, choice);
        out.printer = name;
        return out;
    }
    // A queue gets the job only once every page is made: a printer that closes a cancelled
    // document still hands it to the queue, and does not say when the queue refuses it.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/vantric-XXXXXX.pdf"));
    if (!file.open()) {
        out.error = QStringLiteral("no room for the print file in %1")
                        .arg(PathForMessage(QDir::tempPath()));
        return out;
    }
    QPrinter pages(QPrinter::HighResolution);
    pages.setOutputFormat(QPrinter::PdfFormat);
    pages.setOutputFileName(file.fileName());
    pages.setResolution(printer.resolution());
    pages.setPageLayout(printer.pageLayout());
    pages.setColorMode(printer.colorMode());
    out = PrintPages(grid, pages, documentName, progress, screenDpiX, screenDpiY, choice);
    out.printer = printer.printerName();
    if (out.ok) {
        SpoolRefusal refusal;
        const int32_t id = SpoolPdfFile(out.printer, file.fileName(), documentName,
                                        SpoolOptionsOf(printer), &refusal);
        if (id > 0) {
            out.job = PrintJobId{out.printer, id};
        } else {
            out.ok = false;
            out.refused = true;
            out.systemReason = refusal.reason;
            // The queue's own word is worth quoting only where the refusal does not say it.
            if (!refusal.reason.contains(refusal.queueMessage)) {
                out.queueMessage = refusal.queueMessage;
            }
            out.error = QStringLiteral("the print service refused the job: %1").arg(refusal.reason);
            if (!out.queueMessage.isEmpty()) {
                out.error +=
                    QStringLiteral(" (the %1 says: \"%2\")").arg(QueueWord(), out.queueMessage);
            }
        }
    }
    return out;
}

PageChoice PageChoiceOf(const QPrinter& printer) {
    PageChoice choice;
    // Both of the dialog's ways to name pages ("from ... to ..." and a list such as "1,3-4").
    if (printer.printRange() == QPrinter::PageRange) {
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList()) {
            choice.ranges.push_back(PageRange{range.from, range.to});
        }
    }
    choice.copies = std::max(1, printer.copyCount());
    choice.collate = printer.collateCopies();
    choice.selection = printer.printRange() == QPrinter::Selection;
    return choice;
}

bool SheetHasContent(const CGridCtrl& grid) {
    for (int32_t r = 0; r < grid.RowCount(); ++r) {
        for (int32_t c = 0; c < grid.ColumnCount(); ++c) {
            const CGridCell* cell = grid.GetCell(r, c);
            if (cell != nullptr && (!cell->text.isEmpty() || cell->picture)) {
                return true;
            }
        }
    }
    return false;
}

int PrintSheet(CGridCtrl& grid, const QString& documentName, IPrinterChooser* chooser,
               IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY,
               PrintOutcome* outcome, const ISelectionSheet* selection) {
    PrintOutcome out;
    PageChoice choice;
    // The cells the operator chose are those that cut and copy work on.
    const std::optional<CellRange> chosen = grid.ClipboardRange();
    const bool offered = selection != nullptr && chosen && selection->CanPrint(grid, *chosen);
    if (!SheetHasContent(grid)) {
        out.nothingToPrint = true;
        out.error = QStringLiteral("the sheet has nothing to print");
    } else if (QPrinter* printer =
                   PrinterForJob(grid, chooser, screenDpiX, screenDpiY, offered, &choice)) {
        CGridCtrl chosenSheet;
        CGridCtrl* sheet = &grid;
        if (choice.selection) {
            selection->MakeSheet(grid, *chosen, chosenSheet);
            sheet = &chosenSheet;
        }
        if (!SheetHasContent(*sheet)) {
            out.nothingToPrint = true;
            out.error = QStringLiteral("the chosen cells have nothing to print");
        } else {
            out = PrintGridOn(*sheet, *printer, documentName, progress, screenDpiX, screenDpiY,
                              choice);
        }
    }
    if (outcome != nullptr) {
        *outcome = out;
    }
    return out.ok ? 1 : 0;
}

PrintOutcome PrintGridToPrinter(CGridCtrl& grid, QPrinter& printer, const PrintRequest& request,
                                IPrintProgress* progress) {
    grid.Print().firstPageOffset = request.firstPageOffset;
    grid.Print().fitColumnsToPage = request.fitColumnsToPage;
    return PrintGridOn(grid, printer, request.documentName,
                       progress != nullptr ? progress : request.progress, 96, 96, request.pages);
}

PrintOutcome PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageSize& paper,
                            const PrintRequest& request) {
    auto printer = CreatePdfPrinter(path, paper);
    PrintOutcome out = PrintGridToPrinter(grid, *printer, request);
    printer.reset();
    if (!out.ok && out.documentStarted) {
        QFile::remove(path);
    }
    if (!out.ok && !out.documentStarted) {
        // The printer only says it could not start; the file system says why.
        const QString why = WhyNotWritable(path);
        if (!why.isEmpty()) {
            out.error = QStringLiteral("cannot write %1: %2").arg(PathForMessage(path), why);
        }
    }
    if (!out.ok && out.error.isEmpty()) {
        out.error = QStringLiteral("could not write %1").arg(PathForMessage(path));
    }
    return out;
}

PrintOutcome PrintGridToQueue(CGridCtrl& grid, const QString& queue,
                              const std::optional<QPageSize>& paper, const PrintRequest& request) {
    QString error;
    auto printer = CreateQueuePrinter(queue, paper, &error);
    if (!printer) {
        PrintOutcome out;
        out.error = error;
        return out;
    }
    return PrintGridToPrinter(grid, *printer, request);
}

}  // namespace vantric
