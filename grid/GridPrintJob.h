// Print jobs of a grid: the whole sheet onto a QPrinter, page by page, with the printer chosen by
// a dialog, remembered from earlier jobs or taken from the system's default.
//
// Everything here runs without a window: the dialog and the progress display sit behind small
// interfaces, so a headless caller (vantric-batch, tests) prints with neither.
#pragma once

#include <QPageSize>
#include <QString>
#include <cstdint>
#include <optional>

#include "grid/model/CGridCtrl.h"

class QPrinter;

namespace vantric {

// Progress of a job; a long job shows it and may be cancelled.
class IPrintProgress {
  public:
    virtual ~IPrintProgress() = default;
    virtual void Started(int32_t totalPages) = 0;
    // After each page; false cancels the job.
    virtual bool PageDone(int32_t page) = 0;
    virtual void Finished() = 0;
};

// Asks the operator for a printer, changing `printer` to the choice; false when the choice was
// cancelled or there is no printer to choose.
class IPrinterChooser {
  public:
    virtual ~IPrinterChooser() = default;
    virtual bool Choose(QPrinter& printer) = 0;
};

struct PrintOutcome {
    bool ok = false;  // every page reached the printer and the document was closed
    int32_t pagesPrinted = 0;
    int32_t totalPages = 0;
    bool cancelled = false;
    bool documentStarted = false;  // the printer took the document (a file was created)
    QString error;                 // why it failed, for a message
};

// Prints every page of the grid on `printer` with the grid's print settings as they are, on the
// printable area of the printer's device (its margins are set to the device's strips). The
// document is aborted when a page fails, when the progress cancels, or when the margins leave no
// body to print into.
PrintOutcome PrintGridOn(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                         IPrintProgress* progress = nullptr, int32_t screenDpiX = 96,
                         int32_t screenDpiY = 96);

// The job of the print command: the dialog when AskForPrinter is on (its choice remembered only
// when accepted), otherwise the remembered printer or the default one (remembered from then
// on). Non-zero only when every page was spooled; 0 when the dialog was cancelled, there is no
// printer, or printing failed.
int PrintSheet(CGridCtrl& grid, const QString& documentName, IPrinterChooser* chooser,
               IPrintProgress* progress, int32_t screenDpiX = 96, int32_t screenDpiY = 96);

// How a headless job prints, as the main window's print command would.
struct PrintRequest {
    IntPair firstPageOffset{20, 20};  // printer device pixels
    bool fitColumnsToPage = true;
    QString documentName = QStringLiteral("Vantric");
};

// Sets the request's offset and fitting on the grid (live values), then prints.
PrintOutcome PrintGridToPrinter(CGridCtrl& grid, QPrinter& printer, const PrintRequest& request,
                                IPrintProgress* progress = nullptr);
// A PDF file on the given paper; a file that could not be finished is removed.
PrintOutcome PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageSize& paper,
                            const PrintRequest& request);
// A print queue by name, "default" for the system's default queue; the queue's own paper unless
// one is given.
PrintOutcome PrintGridToQueue(CGridCtrl& grid, const QString& queue,
                              const std::optional<QPageSize>& paper, const PrintRequest& request);

}  // namespace vantric
