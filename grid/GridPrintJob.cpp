#include "grid/GridPrintJob.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include "grid/CGridPrinter.h"
#include "platform/Printer.h"

namespace vantric {

namespace {

// The pages of the grid onto the printer's own output.
PrintOutcome PrintPages(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                        IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY) {
    PrintOutcome out;
    printer.setDocName(documentName);
    printer.setFullPage(false);
    const DeviceMeasures m = MeasuresOf(printer);
    PageSurface surface = PrinterSurface(m.dpiX, m.dpiY, m.horzRes, m.vertRes);
    surface.monochrome = m.monochrome;

    QPainter dc;
    const bool started = dc.begin(&printer);
    out.documentStarted = started;
    CGridPrinter pages(grid);
    pages.SetScreenDpi(screenDpiX, screenDpiY);
    PrintJobInfo info;
    info.drawRect = GdiRect{0, 0, m.horzRes, m.vertRes};
    pages.BeginPrintLayout(dc, surface, info);
    out.totalPages = info.maxPage;

    bool ok = started;
    if (!started) {
        out.error = QStringLiteral("the printer could not start the document");
    } else if (info.maxPage < 1) {
        ok = false;
        out.error = QStringLiteral("the print margins leave no room for the table");
    }
    if (ok && progress != nullptr) {
        progress->Started(info.maxPage);
    }
    for (int32_t page = info.minPage; ok && page <= info.maxPage; ++page) {
        if (page > info.minPage && !printer.newPage()) {
            ok = false;
            out.error = QStringLiteral("the printer refused page %1").arg(page);
            break;
        }
        info.currentPage = page;
        pages.PrintOnePage(dc, info);
        out.pagesPrinted = page;
        if (progress != nullptr && !progress->PageDone(page)) {
            ok = false;
            out.cancelled = true;
            out.error = QStringLiteral("printing was cancelled");
        }
    }
    pages.EndPrintLayout(dc, info);
    if (progress != nullptr) {
        progress->Finished();
    }

    if (ok) {
        ok = dc.end() && printer.printerState() != QPrinter::Error;
        if (!ok) {
            out.error = QStringLiteral("the printer could not finish the document");
        }
    } else if (started) {
        // Nothing half-made may reach the printer as a finished job.
        printer.abort();
        if (dc.isActive()) {
            dc.end();
        }
    }
    out.ok = ok;
    return out;
}

}  // namespace

PrintOutcome PrintGridOn(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                         IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY) {
    // Whatever chose the printer and its paper, the page is the device's printable area.
    UseDeviceMargins(printer);
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty() ||
        !CanSpoolFiles()) {
        return PrintPages(grid, printer, documentName, progress, screenDpiX, screenDpiY);
    }
    // A queue gets the job only once every page is made: a printer that closes a cancelled
    // document still hands it to the queue, and does not say when the queue refuses it.
    PrintOutcome out;
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/vantric-XXXXXX.pdf"));
    if (!file.open()) {
        out.error = QStringLiteral("no room for the print file in %1").arg(QDir::tempPath());
        return out;
    }
    QPrinter pages(QPrinter::HighResolution);
    pages.setOutputFormat(QPrinter::PdfFormat);
    pages.setOutputFileName(file.fileName());
    pages.setResolution(printer.resolution());
    pages.setPageLayout(printer.pageLayout());
    pages.setColorMode(printer.colorMode());
    out = PrintPages(grid, pages, documentName, progress, screenDpiX, screenDpiY);
    if (out.ok) {
        out.ok = SpoolPdfFile(printer.printerName(), file.fileName(), documentName,
                              SpoolOptionsOf(printer), &out.error);
    }
    return out;
}

int PrintSheet(CGridCtrl& grid, const QString& documentName, IPrinterChooser* chooser,
               IPrintProgress* progress, int32_t screenDpiX, int32_t screenDpiY) {
    if (grid.Print().askForPrinter) {
        // The dialog works on a copy: a cancelled dialog leaves the remembered printer as it was.
        std::unique_ptr<QPrinter> chosen = PrinterForDialog();
        if (chooser == nullptr || !chooser->Choose(*chosen)) {
            return 0;
        }
        RememberPrinter(std::move(chosen));
    } else if (RememberedPrinter() == nullptr) {
        auto fallback = CreateDefaultPrinter();
        if (!fallback) {
            return 0;
        }
        RememberPrinter(std::move(fallback));
    }
    QPrinter* printer = RememberedPrinter();
    if (printer == nullptr || !printer->isValid()) {
        return 0;
    }
    return PrintGridOn(grid, *printer, documentName, progress, screenDpiX, screenDpiY).ok ? 1 : 0;
}

PrintOutcome PrintGridToPrinter(CGridCtrl& grid, QPrinter& printer, const PrintRequest& request,
                                IPrintProgress* progress) {
    grid.Print().firstPageOffset = request.firstPageOffset;
    grid.Print().fitColumnsToPage = request.fitColumnsToPage;
    return PrintGridOn(grid, printer, request.documentName, progress);
}

PrintOutcome PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageSize& paper,
                            const PrintRequest& request) {
    auto printer = CreatePdfPrinter(path, paper);
    PrintOutcome out = PrintGridToPrinter(grid, *printer, request);
    printer.reset();
    if (!out.ok && out.documentStarted) {
        QFile::remove(path);
    }
    if (!out.ok) {
        if (out.error.isEmpty()) {
            out.error = QStringLiteral("could not write %1").arg(path);
        }
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
