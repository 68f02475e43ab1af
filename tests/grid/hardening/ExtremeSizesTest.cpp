// Margins and sizes from a settings file edited by hand: any 32-bit number may arrive. A layout
// either prints (and every page draws without the page arithmetic leaving the 32-bit range, which
// the sanitizer run checks) or is refused as leaving no room; nothing in between.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <limits>

#include "grid/CGridPrinter.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// One tenth of a millimetre to one device pixel (see PageRenderTest).
PageSurface UnitSurface() {
    return PrinterSurface(254, 254, 775, 1250);
}

// Lays the grid out on the surface, then draws its first two pages and its last one.
PageGeometry LayOutAndDraw(CGridCtrl& grid, const PageSurface& surface) {
    QImage image(surface.deviceWidth, surface.deviceHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    CGridPrinter printer(grid);
    PrintJobInfo info;
    printer.BeginPrintLayout(dc, surface, info);
    const PageGeometry geometry = printer.Geometry();
    for (const int32_t page : {1, 2, info.maxPage}) {
        if (page >= 1 && page <= info.maxPage) {
            info.currentPage = page;
            printer.PrintOnePage(dc, info);
        }
    }
    printer.EndPrintLayout(dc, info);
    return geometry;
}

void ExpectSoundGeometry(const PageGeometry& g) {
    if (!g.printable) {
        EXPECT_EQ(g.totalPages, 0);
        return;
    }
    EXPECT_GT(g.fullBodyHeight, 0);
    EXPECT_GT(g.firstBodyHeight, 0);
    EXPECT_GT(g.bodyWidth, 0);
    EXPECT_GE(g.totalPages, 1);
    for (int i = 0; i < 7; ++i) {
        const bool across = i == lay::kLeft || i == lay::kRight;
        EXPECT_LE(std::abs(int64_t{g.margins[i]}), across ? g.pageWidth : g.pageHeight) << i;
    }
}

// Each of the seven margins in turn at the ends of the range and beyond the page, the others as
// the program starts with them, with and without fitting the columns to the page.
TEST(ExtremeMargins, EachMarginAtTheEndsOfTheRangePrintsOrIsRefused) {
    fixtures::EnsureGuiApp();
    const int32_t values[] = {kMin, kMin + 1, -1'000'000, -1250,    -1,  0,
                              1,    1250,     1'000'000,  kMax - 1, kMax};
    for (const bool fit : {true, false}) {
        for (int which = 1; which <= 7; ++which) {
            for (const int32_t value : values) {
                SCOPED_TRACE(testing::Message()
                             << "fit " << fit << ", layout value " << which << " = " << value);
                CGridCtrl grid;
                fixtures::BuildDeskSheet(grid, {12});
                grid.Print().fitColumnsToPage = fit;
                grid.Print().firstPageOffset = {20, 20};
                grid.SetPrintLayoutValue(which, value);
                ExpectSoundGeometry(LayOutAndDraw(grid, UnitSurface()));
            }
        }
    }
}

// Found with vantric-batch on settings files holding such margins: each made the page drawing
// overflow. Such margins leave nothing of the table on the paper and are refused.
TEST(ExtremeMargins, MarginsBeyondThePageAreRefused) {
    fixtures::EnsureGuiApp();
    // left, right, top, bottom, header, footer, gap
    const std::array<int32_t, 7> found[] = {
        {2147483646, 20, 20, 60, 1, 20, 60},
        {1'000'000, 3000, kMin, 1, -5000, 60, 1'000'000},
        {kMax, kMin, 20, 20, 60, 60, 20},  // the sum is small, each part is not
    };
    for (const auto& layout : found) {
        CGridCtrl grid;
        fixtures::BuildDeskSheet(grid, {3, 999});
        for (int i = 0; i < 7; ++i) {
            grid.SetPrintLayoutValue(i + 1, layout[i]);
        }
        const PageGeometry g = LayOutAndDraw(grid, PrinterSurface(600, 600, 4960, 7016));
        EXPECT_FALSE(g.printable);
        EXPECT_EQ(g.totalPages, 0);
    }
    // A margin somewhat below zero still prints: it only moves the table towards the edge. (A
    // negative left margin would also narrow the fitted page, and with it its height, below a
    // whole sheet page.)
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {12});
    grid.SetPrintLayoutValue(3, -20);
    grid.SetPrintLayoutValue(4, -20);
    const PageGeometry g = LayOutAndDraw(grid, UnitSurface());
    EXPECT_TRUE(g.printable);
    EXPECT_GE(g.totalPages, 3);
}

// The preview lays out the same way: a margin beyond the page shows no page at all.
TEST(ExtremeMargins, PreviewOfMarginsBeyondThePageShowsNoPage) {
    fixtures::EnsureGuiApp();
    for (const int32_t value : {kMin, -1'000'000, 1'000'000, kMax}) {
        for (int which = 1; which <= 7; ++which) {
            SCOPED_TRACE(testing::Message() << which << " = " << value);
            CGridCtrl grid;
            fixtures::BuildDeskSheet(grid, {12});
            grid.SetPrintLayoutValue(which, value);
            QImage image(775, 1250, QImage::Format_RGB32);
            QPainter dc(&image);
            const int32_t total = RenderPreviewPage(grid, dc, UnitSurface(), image.rect(), 1);
            EXPECT_EQ(total, 0);
        }
    }
}

// Overweight-label sizes go straight into the grid; beyond a million pixels it keeps the size it
// had, as it does for a negative one, so that placing rows and columns cannot overflow.
TEST(ExtremeSizes, GridRefusesSizesBeyondItsLimitAndStillPrints) {
    fixtures::EnsureGuiApp();
    CGridCtrl grid;
    grid.SetColumnTotal(3);
    grid.SetRowTotal(5);
    const int32_t before = grid.ColumnWidth(0);
    EXPECT_FALSE(grid.SetColumnPixelWidth(0, kMax));
    EXPECT_FALSE(grid.SetColumnPixelWidth(0, kMaxCellExtent + 1));
    EXPECT_FALSE(grid.SetRowPixelHeight(1, kMax));
    EXPECT_FALSE(grid.SetColumnPixelWidth(0, kMin));
    EXPECT_EQ(grid.ColumnWidth(0), before);
    EXPECT_TRUE(grid.SetColumnPixelWidth(2, kMaxCellExtent));
    EXPECT_TRUE(grid.SetRowPixelHeight(0, kMaxCellExtent));
    EXPECT_TRUE(grid.SetRowPixelHeight(4, kMaxCellExtent));
    EXPECT_EQ(grid.RowHeight(0), kMaxCellExtent);

    // The largest sizes print: each oversized row alone on its page, clipped.
    for (const bool fit : {true, false}) {
        grid.Print().fitColumnsToPage = fit;
        const PageGeometry g = LayOutAndDraw(grid, UnitSurface());
        ExpectSoundGeometry(g);
        EXPECT_TRUE(g.printable);
    }
}

}  // namespace
