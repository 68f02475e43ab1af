// Pages painted into images: where the grid lines fall, the first-page offset, oversized rows.
#include <gtest/gtest.h>

#include <QDate>
#include <QImage>
#include <QPainter>

#include "grid/CGridPrinter.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

// A surface where one tenth of a millimetre is one device pixel and, with the label sheet's
// 775 logical units across 775 pixels, one logical unit is one pixel too. The layout values
// then stay as they are: left 40, right 40, top 20, bottom 20, header 60, footer 60, gap 20,
// and the body is 1250 - 2 * 20 - 60 - 60 - 20 - 20 = 1050 high, starting at (40, 100): one
// label page (1002) to a printed page.
PageSurface UnitSurface() {
    return PrinterSurface(254, 254, 775, 1250);
}
constexpr int kBodyX = 40;
constexpr int kBodyY = 20 + 60 + 20;

bool DarkAt(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 100;
}

// A line of width 2 drawn at c covers c - 1 and c; look there.
bool VerticalLineAt(const QImage& image, int x, int y) {
    return DarkAt(image, x, y) || DarkAt(image, x - 1, y);
}
bool HorizontalLineAt(const QImage& image, int x, int y) {
    return DarkAt(image, x, y) || DarkAt(image, x, y - 1);
}

QImage PrintPage(CGridCtrl& grid, int page, const PageSurface& surface, int32_t* total = nullptr) {
    QImage image(surface.deviceWidth, surface.deviceHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    CGridPrinter printer(grid);
    PrintJobInfo info;
    printer.BeginPrintLayout(dc, surface, info);
    if (total != nullptr) {
        *total = info.maxPage;
    }
    info.currentPage = page;
    printer.PrintOnePage(dc, info);
    printer.EndPrintLayout(dc, info);
    return image;
}

}  // namespace

TEST(PageRenderTest, GridLinesFallOnCellEdges) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {8});
    int32_t total = 0;
    const QImage page = PrintPage(grid, 1, UnitSurface(), &total);
    EXPECT_EQ(total, 2);

    // Column edges: 0, then each column ends at its width - 1 after the previous end + 1.
    const int columnLines[] = {0, 336 - 1, 336 + 23 - 1, 336 + 23 + 336 - 1};
    // Row bottoms of 61, 304, 101, 70, 61, 304, 101; the top line lies one above row 0.
    const int rowLines[] = {-1, 61 - 1, 365 - 1, 466 - 1, 536 - 1, 597 - 1, 901 - 1, 1002 - 1};
    for (int x : columnLines) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(VerticalLineAt(page, kBodyX + x, kBodyY + 200));
        EXPECT_FALSE(VerticalLineAt(page, kBodyX + x + 4, kBodyY + 200));
        // Lines stop with the last row.
        EXPECT_FALSE(VerticalLineAt(page, kBodyX + x, kBodyY + 1002 + 4));
    }
    for (int y : rowLines) {
        SCOPED_TRACE(y);
        EXPECT_TRUE(HorizontalLineAt(page, kBodyX + 20, kBodyY + y));
        EXPECT_FALSE(HorizontalLineAt(page, kBodyX + 20, kBodyY + y + 4));
        EXPECT_FALSE(HorizontalLineAt(page, kBodyX + 695 + 4, kBodyY + y));
    }
    // Nothing in the header band.
    EXPECT_FALSE(HorizontalLineAt(page, kBodyX + 20, 20 + 30));
}

TEST(PageRenderTest, FirstPageOffsetMovesPageOneOnly) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {8});
    grid.Print().firstPageOffset = {20, 30};  // one device pixel is one unit here
    const QImage first = PrintPage(grid, 1, UnitSurface());
    const QImage second = PrintPage(grid, 2, UnitSurface());
    EXPECT_TRUE(VerticalLineAt(first, kBodyX + 20 + 335, kBodyY + 30 + 200));
    EXPECT_TRUE(HorizontalLineAt(first, kBodyX + 20 + 20, kBodyY + 30 + 60));
    EXPECT_FALSE(HorizontalLineAt(first, kBodyX + 20 + 20, kBodyY + 60));
    EXPECT_TRUE(VerticalLineAt(second, kBodyX + 335, kBodyY + 200));
    EXPECT_TRUE(HorizontalLineAt(second, kBodyX + 20, kBodyY + 60));
}

// A preview page is the printed page, first-page offset and all, moved to where the preview's
// sheet lies and scaled into its printable area.
TEST(PageRenderTest, PreviewDrawsThePrintedPageIntoItsRect) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    grid.Print().firstPageOffset = {20, 30};
    const QImage printed = PrintPage(grid, 1, UnitSurface());
    QImage image(900, 1400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    EXPECT_EQ(RenderPreviewPage(grid, dc, UnitSurface(), QRect(50, 60, 775, 1250), 1), 1);
    dc.end();
    EXPECT_EQ(grid.LastPageCount(), 1);
    EXPECT_EQ(image.copy(50, 60, 775, 1250), printed);
    EXPECT_TRUE(VerticalLineAt(image, 50 + kBodyX + 20 + 335, 60 + kBodyY + 30 + 200));

    QImage half(388, 625, QImage::Format_RGB32);
    half.fill(Qt::white);
    QPainter halfDc(&half);
    RenderPreviewPage(grid, halfDc, UnitSurface(), half.rect(), 1);
    halfDc.end();
    EXPECT_TRUE(VerticalLineAt(half, (kBodyX + 20 + 335) / 2, (kBodyY + 30 + 200) / 2));
}

TEST(PageRenderTest, RowTallerThanTheBodyPrintsAloneAndClipped) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    grid.SetColumnTotal(1);
    grid.SetRowTotal(3);
    grid.SetColumnPixelWidth(0, 695);
    grid.SetRowPixelHeight(0, 100);
    grid.SetRowPixelHeight(1, 3000);
    grid.SetRowPixelHeight(2, 100);
    grid.GetCell(1, 0)->background = RGBColour(255, 0, 0);
    int32_t total = 0;
    const QImage tall = PrintPage(grid, 2, UnitSurface(), &total);
    EXPECT_EQ(total, 3);
    auto red = [&](int y) { return tall.pixel(kBodyX + 300, y) == qRgb(255, 0, 0); };
    EXPECT_TRUE(red(kBodyY + 10));
    EXPECT_TRUE(red(kBodyY + 1050 - 5));
    EXPECT_FALSE(red(kBodyY + 1050 + 5));  // clipped at the body's bottom
    // The rows around it keep their own pages.
    const QImage after = PrintPage(grid, 3, UnitSurface());
    EXPECT_FALSE(after.pixel(kBodyX + 300, kBodyY + 10) == qRgb(255, 0, 0));
}

// A row whose bottom edge lands exactly on the body's last unit did not fit the page count
// (its height makes the sum one more than the body), so it belongs to the next page only.
TEST(PageRenderTest, RowOnTheBreakIsPrintedOnce) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    grid.SetColumnTotal(1);
    grid.SetRowTotal(2);
    grid.SetColumnPixelWidth(0, 695);
    grid.SetRowPixelHeight(0, 525);
    grid.SetRowPixelHeight(1, 526);  // 525 + 526 = 1050 + 1; bottom edge at 1050
    grid.GetCell(1, 0)->background = RGBColour(255, 0, 0);
    int32_t total = 0;
    const QImage first = PrintPage(grid, 1, UnitSurface(), &total);
    EXPECT_EQ(total, 2);
    EXPECT_NE(first.pixel(kBodyX + 300, kBodyY + 800), qRgb(255, 0, 0));
    const QImage second = PrintPage(grid, 2, UnitSurface());
    EXPECT_EQ(second.pixel(kBodyX + 300, kBodyY + 200), qRgb(255, 0, 0));
}

TEST(PageRenderTest, MarginsWithoutRoomDrawNothing) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    grid.SetPrintLayoutValue(5, 3000);
    QImage image(775, 1250, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    EXPECT_EQ(RenderPreviewPage(grid, dc, UnitSurface(), image.rect(), 1), 0);
    dc.end();
    QImage white(775, 1250, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image, white);
}

TEST(PageRenderTest, FooterShowsPageNumberAndDateWhenAsked) {
    EXPECT_EQ(PageNumberText(3, 250), QString::fromUtf8("第 3 页 / 共 250 页"));
    EXPECT_EQ(FooterDateText(QDate(2026, 1, 5)), QStringLiteral("2026-1-5"));
}
