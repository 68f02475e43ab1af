// Opens the print preview of a 12-carton sheet built by the sheet builders, as the main window
// would, and saves what the window shows: `preview_screenshot OUT.png [page [OUT.pdf]]`, the
// last one being the same sheet printed on A4 as the print command prints it. Run it on a
// display (xvfb-run) to look at the preview without clicking through the program.
#include <QApplication>
#include <QPageSize>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CPreviewDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintJob.h"

using namespace vantric;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_screenshot OUT.png [page [OUT.pdf]]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int page = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1;

    CVWnd_Grid grid;
    grid.Create();
    SetUpSheetGrid(grid.Grid(), grid.logicalDpiY());
    SheetWorkingIntegers ints;
    BuildSingleTicketSheet(grid.Grid(), u"12", ints);

    CPreviewParentDialog window(grid.Grid(), [&grid] { return grid.PrintSheet(); });
    window.show();
    for (int p = 1; p < page; ++p) {
        window.NextPage();
    }
    int result = 1;
    QTimer::singleShot(1500, &window, [&] {
        const PaperGeometry& paper = window.PageView()->Paper();
        std::printf("paper %d x %d, printable %d x %d at (%d, %d); zoom %d; pages %d\n",
                    paper.paperWidth, paper.paperHeight, paper.printableWidth,
                    paper.printableHeight, paper.offsetLeft, paper.offsetTop,
                    window.PageView()->Zoom(), window.PagingState().total);
        result = window.grab().save(out) ? 0 : 1;
        window.close();
    });
    window.exec();
    if (result == 0 && argc > 3) {
        const PrintOutcome printed = PrintGridToPdf(grid.Grid(), QString::fromLocal8Bit(argv[3]),
                                                    QPageSize(QPageSize::A4), {});
        std::printf("pdf: %d pages%s\n", printed.pagesPrinted, printed.ok ? "" : ", failed");
        result = printed.ok ? 0 : 1;
    }
    return result;
}
