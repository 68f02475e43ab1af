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
#include <vector>

#include "grid/model/CGridCtrl.h"
#include "grid/model/ISelectionSheet.h"
#include "platform/PrintJobs.h"

class QPrinter;

namespace vantric {

// Progress of a job; a long job shows it and may be cancelled.
class IPrintProgress {
  public:
    virtual ~IPrintProgress() = default;
    // The pages the job will print (every page of every copy).
    virtual void Started(int32_t totalPages) = 0;
    // After each page, with the pages printed so far; false cancels the job.
    virtual bool PageDone(int32_t page) = 0;
    virtual void Finished() = 0;
};

// Asks the operator for a printer, changing `printer` to the choice; false when the choice was
// cancelled or there is no printer to choose. The print command hands over a printer set to
// print every page once, its from and to page the first and last page of the run on it; the
// pages and copies chosen are read back from the printer (PageChoiceOf).
class IPrinterChooser {
  public:
    virtual ~IPrinterChooser() = default;
    virtual bool Choose(QPrinter& printer) = 0;
    // Told before Choose whether the grid's chosen cells can be printed alone, so that the
    // dialog offers its "selection" only then; a choice of it is read back as the printer's
    // print range QPrinter::Selection.
    virtual void OfferSelection(bool offered) { (void)offered; }
};

// Pages first to last of a run, from 1; a last page of 0 runs to the run's end.
struct PageRange {
    int32_t first = 1;
    int32_t last = 0;
    bool operator==(const PageRange&) const = default;
};

// Which pages of the run a job prints, and how often. Each page prints exactly as it does in the
// whole run (page 1 with its first-page offset); the pages go out in the run's order, each once
// per copy. Collated copies repeat the whole selection (2, 3, 2, 3), others each page
// (2, 2, 3, 3).
struct PageChoice {
    std::vector<PageRange> ranges;  // empty: every page
    int32_t copies = 1;
    bool collate = true;
    bool selection = false;  // the chosen cells alone, as their own run
};

// The pages and copies a print dialog chose on `printer`.
PageChoice PageChoiceOf(const QPrinter& printer);

// The pages of a run of `totalPages` pages that `ranges` names, ascending and each once; empty
// ranges name every page, a reversed range none. Null when a range reaches past the run, with
// its page outside the run in *outside.
std::optional<std::vector<int32_t>> ChosenPages(const std::vector<PageRange>& ranges,
                                                int32_t totalPages, int32_t* outside = nullptr);

struct PrintOutcome {
    bool ok = false;           // every page reached the printer and the document was closed
    int32_t pagesPrinted = 0;  // pages made, copies included
    int32_t totalPages = 0;    // pages of the whole run
    bool cancelled = false;
    bool pagesOutsideRun = false;   // the choice named a page the run does not have
    bool noRoomForTable = false;    // the margins leave no body, or no room for a page's labels
    int32_t labelsFit = 0;          // with no room: the labels that fit whole, of
    int32_t labelsNeeded = 0;       // those a page must hold (0 for a grid without labels)
    bool nothingToPrint = false;    // no cell of the sheet holds text or a picture
    bool documentStarted = false;   // the printer took the document (a file was created)
    bool documentNotEnded = false;  // every page was made, but the document could not be closed
    bool printerNotReady = false;   // the printer could not take a job: nothing was sent
    PrinterReadiness readiness;     // what kept it from taking one
    bool refused = false;           // the print service refused the job
    QString printer;                // the queue or printer the job was for; empty for a file
    QString systemReason;           // what the system said of the failure, in its own words
    QString queueMessage;           // what a refusing queue says of itself
    std::optional<PrintJobId> job;  // the job the print service took: follow it to its end
    QString error;                  // why it failed, for a message
};

// Whether any cell holds text or a picture; a sheet without either has nothing to print.
bool SheetHasContent(const CGridCtrl& grid);

// Prints the pages `choice` names of the grid on `printer` with the grid's print settings as
// they are, on the printable area of the printer's device (its margins are set to the device's
// strips). The job makes every copy itself, so the printer's own copy count should be one. No
// document is started when the printer cannot take a job now, the margins leave no body or the
// choice names no page of the run; a started one is aborted when a page fails or the progress
// cancels. A job the print service took is in `job`, to be followed.
PrintOutcome PrintGridOn(CGridCtrl& grid, QPrinter& printer, const QString& documentName,
                         IPrintProgress* progress = nullptr, int32_t screenDpiX = 96,
                         int32_t screenDpiY = 96, const PageChoice& choice = {});

// The job of the print command: nothing at all for a sheet without content; the dialog when
// AskForPrinter is on (its printer and paper remembered only when accepted, its pages and copies
// for this job only), otherwise every page once on the remembered printer or the default one
// (remembered from then on). Non-zero only when every page was spooled; 0 when the sheet is
// empty, the dialog was cancelled, there is no printer, or printing failed. What happened goes
// to *outcome. With `selection`, the dialog offers to print the grid's chosen cells (the
// selection, else the focus cell) when it says they can be; chosen, the sheet it makes of them
// is printed in place of the grid, its pages and copies counted in its own run.
int PrintSheet(CGridCtrl& grid, const QString& documentName, IPrinterChooser* chooser,
               IPrintProgress* progress, int32_t screenDpiX = 96, int32_t screenDpiY = 96,
               PrintOutcome* outcome = nullptr, const ISelectionSheet* selection = nullptr);

// Where the print command starts page 1, in printer device pixels: the main window's "打印"
// prints with it, its "预览" shows it, and a headless job prints with it.
inline constexpr IntPair kFirstPageOffset{20, 20};

// How a headless job prints, as the main window's print command would.
struct PrintRequest {
    IntPair firstPageOffset = kFirstPageOffset;
    bool fitColumnsToPage = true;
    QString documentName = QStringLiteral("Vantric");
    PageChoice pages;
    IPrintProgress* progress = nullptr;
};

// Sets the request's offset and fitting on the grid (live values), then prints; `progress`
// stands in for the request's.
PrintOutcome PrintGridToPrinter(CGridCtrl& grid, QPrinter& printer, const PrintRequest& request,
                                IPrintProgress* progress = nullptr);
// A PDF file on the given paper; a file that could not be finished is removed. A file that
// cannot be written is reported with the system's reason.
PrintOutcome PrintGridToPdf(CGridCtrl& grid, const QString& path, const QPageSize& paper,
                            const PrintRequest& request);
// A print queue by name, "default" for the system's default queue; the queue's own paper unless
// one is given.
PrintOutcome PrintGridToQueue(CGridCtrl& grid, const QString& queue,
                              const std::optional<QPageSize>& paper, const PrintRequest& request);

}  // namespace vantric
