// The preview shows the pages that print: near a page break, at every zoom, it has as many pages
// as the printed PDF, each with the same labels. The preview's pages are drawn as the view draws
// them into a PDF and read back as text, as the print's are.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <unistd.h>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CPreviewDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/GridPrintJob.h"
#include "platform/Printer.h"
#include "tests/grid/gui/PrinterTest.h"
#include "tests/support/PrintedPdf.h"

using namespace vantric;
using Window = CPreviewParentDialog;

namespace {

using Pages = QList<QStringList>;  // the label numbers on each page

Pages PagesOf(const QString& pdf) {
    Pages pages;
    for (const QString& text : testsupport::PdfPageTexts(pdf)) {
        pages << testsupport::LabelNumbersIn(text);
    }
    return pages;
}

// Every page of the preview at its zoom, paged with its own buttons and painted by its view.
Pages PreviewPages(Window& window, const QString& pdf) {
    while (window.PagingState().current > 1) {
        window.PreviousPage();
    }
    CPreviewDialog* view = window.PageView();
    const preview::PreviewScale scale = view->Scale();
    // Room for the whole sheet at this zoom.
    const QSize client(scale.ToDeviceX(view->Paper().paperWidth + 200),
                       scale.ToDeviceY(view->Paper().paperHeight + 200));
    QPdfWriter writer(pdf);
    writer.setResolution(scale.dpiX);
    writer.setPageSize(QPageSize(QSizeF(client) * 72.0 / scale.dpiX, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    QPainter dc(&writer);
    for (int page = 1; page <= window.PagingState().total; ++page) {
        if (page > 1) {
            window.NextPage();
            writer.newPage();
        }
        view->PaintView(dc, client, scale);
    }
    dc.end();
    return PagesOf(pdf);
}

// The zooms an operator reaches with the buttons: the fit to the height the window opens with,
// every step from the smallest to the largest, and the fit to the width.
template <typename Check>
void AtEveryZoom(Window& window, Check check) {
    check();
    while (window.PageView()->Zoom() > preview::kMinZoom) {
        window.ZoomOut();
    }
    check();
    while (window.PageView()->Zoom() < preview::kMaxStepZoom) {
        window.ZoomIn();
        check();
    }
    window.FitWidth();
    check();
}

// Four cartons fill one label page (1002 grid pixels); a page header of about 115 tenths of a
// millimetre leaves that much body on A4, less the first-page offset, and more leaves no room for
// the lower labels: the print refuses, and the preview shows no page. `printedPdf` finds what the
// print of the given title made.
void ExpectPreviewEqualsPrint(int header, const std::function<QString(const QString&)>& printedPdf,
                              const QString& previewPdf) {
    SCOPED_TRACE(testing::Message() << "page header " << header);
    CGridCtrl grid;
    SetUpSheetGrid(grid);
    SheetWorkingIntegers ints;
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"4", ints), SheetBuildResult::Built);
    grid.SetPrintLayoutValue(5, header);
    // As the main window sets before it previews or prints.
    grid.Print().firstPageOffset = {20, 20};
    grid.Print().askForPrinter = false;
    const QString title = QStringLiteral("vantricpreview%1x%2x%3")
                              .arg(::getpid())
                              .arg(header)
                              .arg(QDateTime::currentMSecsSinceEpoch());
    PrintOutcome outcome;
    Window window(grid,
                  [&] { return PrintSheet(grid, title, nullptr, nullptr, 96, 96, &outcome); });
    window.show();
    window.Print();
    Pages printed;
    if (!outcome.noRoomForTable) {
        const QString pdf = printedPdf(title);
        printed = PagesOf(pdf);
        QFile::remove(pdf);
        ASSERT_FALSE(printed.isEmpty()) << "no print of " << title.toStdString();
    }
    EXPECT_EQ(outcome.documentStarted, !printed.isEmpty());
    AtEveryZoom(window, [&] {
        SCOPED_TRACE(testing::Message() << "zoom " << window.PageView()->Zoom());
        EXPECT_EQ(window.PagingState().total, printed.size());
        if (!printed.isEmpty()) {
            EXPECT_EQ(PreviewPages(window, previewPdf), printed);
        }
    });
}

class PreviewPagesTest : public fixtures::PrinterTest {};

}  // namespace

TEST_F(PreviewPagesTest, PdfFileOnA4) {
    REQUIRE_POPPLER();
    const QString printed = Path("printed.pdf");
    RememberPrinter(CreatePdfPrinter(printed, QPageSize(QPageSize::A4)));
    for (int header = 100; header <= 130; ++header) {
        QFile::remove(printed);
        ExpectPreviewEqualsPrint(
            header, [&](const QString&) { return printed; }, Path("preview.pdf"));
    }
}

// A print queue whose paper has unprintable strips: the preview lays its pages out on the
// queue's printable area, as the job does.
TEST_F(PreviewPagesTest, CupsQueueWithStrips) {
    REQUIRE_POPPLER();
    const QString queue = QStringLiteral("Vantric12Strips");
    REQUIRE_CUPS_QUEUE(queue);
    QString error;
    RememberPrinter(CreateQueuePrinter(queue, QPageSize(QPageSize::A4), &error));
    ASSERT_NE(RememberedPrinter(), nullptr) << error.toStdString();
    for (int header : {100, 111, 114, 117, 118, 119, 120, 122, 125, 130}) {
        ExpectPreviewEqualsPrint(
            header, [](const QString& title) { return testsupport::WaitForSpooled(title, 60'000); },
            Path("preview.pdf"));
    }
}
