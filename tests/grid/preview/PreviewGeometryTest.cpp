// Zoom, fit, scroll, sheet placement and paging rules of the print preview, over plain values.
#include <gtest/gtest.h>

#include "grid/PreviewGeometry.h"

using namespace vantric;
using namespace vantric::preview;

namespace {

struct ZoomCase {
    const char* name;
    int32_t from;
    int32_t expected;
};

class ZoomInTest : public testing::TestWithParam<ZoomCase> {};
class ZoomOutTest : public testing::TestWithParam<ZoomCase> {};

std::string CaseName(const testing::TestParamInfo<ZoomCase>& info) {
    return info.param.name;
}

}  // namespace

TEST_P(ZoomInTest, StepsUpToTheCap) {
    EXPECT_EQ(ZoomIn(GetParam().from), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Zoom, ZoomInTest,
                         testing::Values(ZoomCase{"from300", 300, 300 + 300},
                                         ZoomCase{"from2700", 2700, 2700 + 300},
                                         ZoomCase{"from2900", 2900, 3000},
                                         // A fit may go past the cap; zooming in then comes back.
                                         ZoomCase{"from4000", 4000, 3000}),
                         CaseName);

TEST_P(ZoomOutTest, StepsDownToTheFloor) {
    EXPECT_EQ(ZoomOut(GetParam().from), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Zoom, ZoomOutTest,
                         testing::Values(ZoomCase{"from500", 500, 300},
                                         ZoomCase{"from599", 599, 300},
                                         ZoomCase{"from600", 600, 600 - 300},
                                         ZoomCase{"from1000", 1000, 1000 - 300},
                                         ZoomCase{"from300", 300, 300}),
                         CaseName);

TEST(FitZoomTest, PaperAndSlackFillTheView) {
    // A4 height 2970 + 100 in a view 3070 tenths high at true size: exactly true size.
    EXPECT_EQ(FitZoom(3070, 2970), 3070 * 1000 / (2970 + 100));
    // A view of 1500 tenths: 1500 * 1000 / 3070 = 488.6, truncated.
    EXPECT_EQ(FitZoom(1500, 2970), 488);
    // Never below the floor, but no cap above.
    EXPECT_EQ(FitZoom(500, 2970), 300);
    EXPECT_EQ(FitZoom(22000, 2100), 22000 * 1000 / (2100 + 100));
    EXPECT_EQ(FitZoom(0, 2970), 300);
}

TEST(PreviewScaleTest, TenthsToPixelsAtZoom) {
    const PreviewScale trueSize{254, 254, 1000};
    EXPECT_EQ(trueSize.ToDeviceX(2100), 2100);
    EXPECT_EQ(trueSize.ToTenthsY(2970), 2970);
    const PreviewScale screen{96, 96, 500};
    EXPECT_EQ(screen.ToDeviceX(2100), 397);  // 2100 * 96 * 500 / 254000 = 396.85
    EXPECT_EQ(screen.ToTenthsX(397), 2101);  // 397 * 254000 / 48000 = 2100.79
    // The view measured for a fit ignores the current zoom.
    EXPECT_EQ(screen.TrueSizeOf(QSize(960, 480)), QSize(2540, 1270));
}

TEST(ScrollRangeTest, SheetPlusSlackWithAPageSizedThumb) {
    // Positions 0 .. (2970 + 100) - 1000 + 1: the last one shows the range's end.
    EXPECT_EQ(ScrollRange(2970, 1000), (ScrollSetup{2970 + 100 - 1000 + 1, 1000}));
    // A view larger than the range cannot scroll.
    EXPECT_EQ(ScrollRange(2970, 5000), (ScrollSetup{0, 5000}));
    EXPECT_EQ(ScrollRange(2970, 2970 + 100 + 1), (ScrollSetup{0, 2970 + 100 + 1}));
}

TEST(PlaceSheetTest, CentredAcrossWideViewsAndScrolled) {
    const PreviewScale scale{254, 254, 1000};  // one tenth is one pixel
    PaperGeometry paper = A4Paper();
    // A view narrower than the sheet: 50 from the left and the top.
    SheetPlacement s = PlaceSheet(paper, scale, 1000, QPoint(0, 0));
    EXPECT_EQ(s.paper, QRect(50, 50, 2100, 2970));
    EXPECT_EQ(s.rightShadow, QRect(50 + 2100, 50 + 20, 20, 2970));
    EXPECT_EQ(s.bottomShadow, QRect(50 + 20, 50 + 2970, 2100, 20));
    EXPECT_EQ(s.printableOrigin, QPoint(50, 50));
    EXPECT_EQ(s.printableSize, QSize(2100, 2970));
    // A wide view centres it; scrolling moves it back.
    s = PlaceSheet(paper, scale, 3100, QPoint(30, 40));
    EXPECT_EQ(s.paper.topLeft(), QPoint((3100 - 2100) / 2 - 30, 50 - 40));
    // Unprintable strips move the page's origin and shrink it, not the sheet.
    paper.offsetLeft = 42;
    paper.offsetTop = 17;
    paper.stripRight = 40;
    paper.stripBottom = 50;
    paper.printableWidth = 2100 - 42 - 40;
    paper.printableHeight = 2970 - 17 - 50;
    s = PlaceSheet(paper, scale, 1000, QPoint(0, 0));
    EXPECT_EQ(s.paper, QRect(50, 50, 2100, 2970));
    EXPECT_EQ(s.printableOrigin, QPoint(50 + 42, 50 + 17));
    EXPECT_EQ(s.printableSize, QSize(2100 - 42 - 40, 2970 - 17 - 50));
}

TEST(PlaceSheetTest, PrintableSizeDoesNotWobbleWhileScrolling) {
    // At 96 dpi and zoom 700 a tenth is 0.2646 pixels: edges round differently at every offset.
    const PreviewScale scale{96, 96, 700};
    const QSize first = PlaceSheet(A4Paper(), scale, 0, QPoint(0, 0)).printableSize;
    for (int y = 0; y < 200; ++y) {
        EXPECT_EQ(PlaceSheet(A4Paper(), scale, 0, QPoint(0, y)).printableSize, first);
    }
}

TEST(PagingTest, OpeningEnablesBothButtonsUnlessThereIsOnePage) {
    EXPECT_EQ(OpenPaging(1), (Paging{1, 1, false, false}));
    EXPECT_EQ(OpenPaging(3), (Paging{1, 3, true, true}));
    EXPECT_EQ(OpenPaging(0), (Paging{1, 0, false, false}));
    EXPECT_EQ(PageIndicatorText(OpenPaging(1)), QStringLiteral("1 / 1"));
    EXPECT_EQ(PageIndicatorText(OpenPaging(0)), QString());
}

TEST(PagingTest, NextAndPreviousWalkTheSheet) {
    Paging p = OpenPaging(3);
    // Previous on page 1 only disables itself.
    p = PreviousPage(p);
    EXPECT_EQ(p, (Paging{1, 3, false, true}));
    p = NextPage(p);
    EXPECT_EQ(p, (Paging{2, 3, true, true}));
    p = NextPage(p);
    EXPECT_EQ(p, (Paging{3, 3, true, false}));
    // Past the end nothing moves.
    EXPECT_EQ(NextPage(p), (Paging{3, 3, true, false}));
    p = PreviousPage(p);
    EXPECT_EQ(p, (Paging{2, 3, true, true}));
    p = PreviousPage(p);
    EXPECT_EQ(p, (Paging{1, 3, false, true}));
    EXPECT_EQ(PageIndicatorText(NextPage(p)), QStringLiteral("2 / 3"));
}

TEST(PagingTest, JumpsAreClampedAndReenableTheOtherDirection) {
    const Paging last{3, 3, true, false};
    EXPECT_EQ(JumpToPage(last, 2), (Paging{2, 3, true, true}));
    EXPECT_EQ(JumpToPage(last, 99), (Paging{3, 3, true, false}));
    EXPECT_EQ(JumpToPage(last, 0), (Paging{1, 3, false, true}));
    EXPECT_EQ(JumpToPage(last, -7), (Paging{1, 3, false, true}));
    EXPECT_EQ(JumpToPage(Paging{2, 0, true, true}, 5), (Paging{1, 0, false, false}));
}

TEST(ClampTypedTest, HoldsTypedNumbersToTheRange) {
    EXPECT_EQ(ClampTyped(1200, 0, 999), 999);
    EXPECT_EQ(ClampTyped(1000, 0, 999), 999);
    EXPECT_EQ(ClampTyped(-5, 0, 999), 0);
    EXPECT_EQ(ClampTyped(0, 1, 12), 1);
    EXPECT_EQ(ClampTyped(9999, 1, 12), 12);
    EXPECT_EQ(ClampTyped(int64_t{1} << 40, 0, 999), 999);
}
