// Which labels a choice of cells names, and when the print dialog may offer them alone (the
// person's run and vantric-batch's tests read the sheets of chosen labels back from paper).
#include "app/model/ReprintSheet.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/model/BuildOverweightSheet.h"
#include "app/model/LabelChoice.h"
#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace {

using Places = std::vector<int64_t>;

TEST(LabelChoice, CellsNameTheLabelsTheyTouch) {
    // A sheet of 3 pages (21 rows). Rows of a page: 0-2 the upper labels, 3 the gap, 4-6 the
    // lower ones; columns 0 and 2 the left and right labels, 1 the gutter.
    const struct {
        const char* name;
        CellRange cells;  // top, left, bottom, right
        Places places;
    } cases[] = {
        {"caption_of_the_first", {0, 0, 0, 0}, {0}},
        {"number_top_right", {1, 2, 1, 2}, {1}},
        {"origin_bottom_left_of_page_2", {13, 0, 13, 0}, {4 + 2}},
        {"gap_row", {3, 0, 3, 2}, {}},
        {"gutter", {0, 1, 20, 1}, {}},
        {"across_gutter", {5, 0, 5, 2}, {2, 3}},
        {"across_a_page_end", {5, 2, 7, 2}, {3, 4 + 1}},
        {"whole_page", {7, 0, 13, 2}, {4, 5, 6, 7}},
        {"past_the_last_row", {18, 0, 40, 0}, {4 * 2 + 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(labels::PlacesInCells(c.cells, 3 * 7), c.places);
    }
}

// The dialog offers its selection for label cells of a carton sheet only.
TEST(ReprintSheet, SelectionIsOfferedForLabelCellsOfACartonSheetOnly) {
    CGridCtrl grid;
    SetUpSheetGrid(grid);
    SheetWorkingIntegers ints;
    const CartonSelectionSheet selection;
    const CellRange caption{0, 0, 0, 0};
    EXPECT_FALSE(selection.CanPrint(grid, caption));  // nothing built yet
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"12", ints), SheetBuildResult::Built);
    EXPECT_TRUE(selection.CanPrint(grid, caption));
    EXPECT_FALSE(selection.CanPrint(grid, CellRange{0, 1, 6, 1}));  // the gutter
    const QTemporaryDir drive;
    rg_class_ChaoChongBiao_BianJu overweight;
    vantric::BuildOverweightSheet(grid, overweight, true, drive.filePath("dypz.ini"), drive.path());
    EXPECT_FALSE(selection.CanPrint(grid, caption));
}

}  // namespace
