// A grid window re-measures every row when told that sizes changed. A sheet build tells it once,
// at the end, however many rows the sheet has: one notice per row made a long sheet take time
// growing with the square of its rows.
#include <gtest/gtest.h>

#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace {

struct CountingObserver : IGridObserver {
    int content = 0;
    int sizes = 0;
    void GridContentChanged() override { ++content; }
    void GridSizesChanged() override { ++sizes; }
};

struct BuildNotices : ::testing::Test {
    CGridCtrl grid;
    CountingObserver observer;
    SheetWorkingIntegers ints;
    void SetUp() override {
        SetUpSheetGrid(grid);
        grid.SetObserver(&observer);
    }
    void TearDown() override { grid.SetObserver(nullptr); }
};

TEST_F(BuildNotices, EachBuildRefreshesOnceAtTheEnd) {
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"999", ints), SheetBuildResult::Built);
    EXPECT_EQ(observer.sizes, 1);
    EXPECT_EQ(observer.content, 1);
    EXPECT_TRUE(grid.Redraw());

    observer = {};
    ASSERT_EQ(BuildMultiTicketSheet(grid, std::vector<int32_t>(200, 999), ints),
              SheetBuildResult::Built);
    EXPECT_EQ(grid.RowCount(), 200 * 999 / 4 * 7);
    EXPECT_EQ(observer.sizes, 1);
    EXPECT_EQ(observer.content, 1);

    // A refused total still clears the sheet: one refresh. A refused list changes nothing.
    observer = {};
    EXPECT_EQ(BuildSingleTicketSheet(grid, u"0", ints), SheetBuildResult::TotalRefused);
    EXPECT_EQ(observer.sizes, 1);
    observer = {};
    EXPECT_EQ(BuildMultiTicketSheet(grid, {0}, ints), SheetBuildResult::TicketCountRefused);
    EXPECT_EQ(observer.sizes + observer.content, 0);
}

TEST_F(BuildNotices, RedrawSwitchedOffByTheCallerStaysOff) {
    grid.SetRedraw(false);
    ASSERT_EQ(BuildMultiTicketSheet(grid, {5, 7}, ints), SheetBuildResult::Built);
    EXPECT_FALSE(grid.Redraw());
    EXPECT_EQ(observer.sizes + observer.content, 0);
}

}  // namespace
