// The grid's focus cell and selection, and cut, copy and paste of cells: in the model (the text
// that goes to and comes from the clipboard) and in the window, with the keys an operator uses.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "grid/CVWnd_Grid.h"
#include "grid/model/GridClipboard.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

// A 3 x 3 grid holding "r,c" in each cell.
struct NumberedGrid : ::testing::Test {
    CGridCtrl grid;
    void SetUp() override {
        grid.StoredDefaults().rows = 3;
        grid.StoredDefaults().columns = 3;
        grid.StoredDefaults().fixedRows = 0;
        grid.StoredDefaults().fixedColumns = 0;
        grid.ApplyStoredDefaults();
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                grid.PutCellValue(r, c, 1, u'S', QStringLiteral("%1,%2").arg(r).arg(c));
            }
        }
    }
    QString Row(int r) const {
        return grid.GetCell(r, 0)->text + "|" + grid.GetCell(r, 1)->text + "|" +
               grid.GetCell(r, 2)->text;
    }
};

TEST_F(NumberedGrid, FocusAndSelectionGoWithClearSheetAndShrinking) {
    EXPECT_FALSE(grid.HasFocusCell());
    EXPECT_FALSE(grid.SetFocusCell(3, 0));
    EXPECT_FALSE(grid.SetSelection(0, 0, 0, 3));
    ASSERT_TRUE(grid.SetFocusCell(2, 2));
    ASSERT_TRUE(grid.SetSelection(2, 2, 1, 0));  // corners in any order
    EXPECT_EQ(grid.ClipboardRange()->top, 1);
    EXPECT_EQ(grid.ClipboardRange()->right, 2);

    grid.SetRowTotal(2);  // the focus row is gone, the selection is cut to the grid
    EXPECT_FALSE(grid.HasFocusCell());
    ASSERT_NE(grid.Selection(), nullptr);
    EXPECT_EQ(grid.Selection()->bottom, 1);

    grid.SetFocusCell(0, 0);
    grid.ClearSheet();  // same size, new cells: nothing of the old sheet is focused or selected
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_FALSE(grid.HasFocusCell());
    EXPECT_EQ(grid.Selection(), nullptr);
    EXPECT_FALSE(grid.ClipboardRange().has_value());
}

TEST_F(NumberedGrid, RangesCopyAsTabsAndLineEnds) {
    EXPECT_EQ(CellsClipboardText(grid, {0, 0, 0, 0}), "0,0");
    EXPECT_EQ(CellsClipboardText(grid, {1, 1, 2, 2}), "1,1\t1,2\n2,1\t2,2");
    EXPECT_EQ(CellsClipboardText(grid, {2, 1, 9, 9}), "2,1\t2,2");  // clamped to the grid
}

TEST_F(NumberedGrid, PastedTextFillsCellsFromTheTarget) {
    struct Case {
        const char* name;
        int row, column;
        QString text;
        QStringList rows;  // the grid afterwards
        CellRange covered;
    } cases[] = {
        {"one cell", 1, 1, "x", {"0,0|0,1|0,2", "1,0|x|1,2", "2,0|2,1|2,2"}, {1, 1, 1, 1}},
        {"a range with a closing line end", 0, 0, "a\tb\r\nc\td\r\n",
         {"a|b|0,2", "c|d|1,2", "2,0|2,1|2,2"}, {0, 0, 1, 1}},
        {"cut off at the grid's edges", 2, 2, "p\tq\nr\ts", {"0,0|0,1|0,2", "1,0|1,1|1,2",
                                                            "2,0|2,1|p"}, {2, 2, 2, 2}},
        {"an empty field empties its cell", 0, 0, "\tz", {"|z|0,2", "1,0|1,1|1,2", "2,0|2,1|2,2"},
         {0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::optional<PastedCells> pasted =
            PasteCellsClipboardText(grid, c.row, c.column, c.text);
        ASSERT_TRUE(pasted.has_value()) << c.name;
        EXPECT_TRUE(pasted->changed) << c.name;
        EXPECT_TRUE(grid.Modified()) << c.name;
        EXPECT_EQ((QStringList{Row(0), Row(1), Row(2)}), c.rows) << c.name;
        EXPECT_EQ(pasted->covered.bottom, c.covered.bottom) << c.name;
        EXPECT_EQ(pasted->covered.right, c.covered.right) << c.name;
    }
}

TEST_F(NumberedGrid, CellsTheOperatorMayNotChangeKeepTheirText) {
    grid.GetCell(0, 1)->state |= cellstate::kReadOnly;
    ASSERT_TRUE(grid.MergeCells({1, 0, 1, 1}));  // (1, 1) is covered by the merge
    const CellEditCheck notColumnTwo = [](int32_t, int32_t column) { return column != 2; };
    PasteCellsClipboardText(grid, 0, 0, "a\tb\tc\nd\te\tf", notColumnTwo);
    EXPECT_EQ(Row(0), "a|0,1|0,2");
    EXPECT_EQ(Row(1), "d|1,1|1,2");
    EXPECT_TRUE(ClearCellsText(grid, {0, 0, 1, 2}, notColumnTwo));
    EXPECT_EQ(Row(0), "|0,1|0,2");
    EXPECT_FALSE(PasteCellsClipboardText(grid, 0, 1, "x")->changed);
    EXPECT_FALSE(PasteCellsClipboardText(grid, 5, 0, "x").has_value());
}

class GridKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fixtures::EnsureGuiApp();
        window_ = std::make_unique<QWidget>();
        grid_ = new CVWnd_Grid(window_.get());
        window_->resize(800, 600);
        grid_->setGeometry(0, 0, 800, 600);
        ASSERT_TRUE(grid_->Create());
        fixtures::BuildDeskSheet(grid_->Grid(), {8});
        window_->show();
        QApplication::processEvents();
        grid_->setFocus();
    }
    const QString& Text(int r, int c) const { return grid_->Grid().GetCell(r, c)->text; }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(grid_, key, modifiers);
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> window_;
    CVWnd_Grid* grid_ = nullptr;
};

TEST_F(GridKeysTest, TypingEditsNothingUntilACellHasTheFocus) {
    const QString caption = Text(0, 0);
    QTest::keyClicks(grid_, QStringLiteral("x"));
    QApplication::processEvents();
    EXPECT_FALSE(grid_->Editing());
    EXPECT_EQ(Text(0, 0), caption);
    EXPECT_FALSE(grid_->Grid().Modified());

    Key(Qt::Key_Down);  // the first movement key only puts the focus on the first cell
    EXPECT_EQ(grid_->FocusRow(), 0);
    EXPECT_EQ(grid_->FocusColumn(), 0);
    QTest::keyClicks(grid_, QStringLiteral("x"));
    EXPECT_TRUE(grid_->Editing());

    // A rebuilt sheet has no focus frame left over: typing edits nothing again.
    QTest::keyClick(grid_->findChild<QLineEdit*>(), Qt::Key_Escape);
    QApplication::processEvents();
    grid_->Grid().ClearSheet();
    fixtures::BuildDeskSheet(grid_->Grid(), {4});
    QTest::keyClicks(grid_, QStringLiteral("y"));
    QApplication::processEvents();
    EXPECT_FALSE(grid_->Editing());
    EXPECT_EQ(grid_->FocusRow(), -1);
}

TEST_F(GridKeysTest, CutCopyAndPasteThroughTheSystemClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    grid_->SetFocusCell(1, 0);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);  // row 1, columns 0 to 2: "1/8", gutter, "2/8"
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), Text(1, 0) + "\t\t" + Text(1, 2));
    EXPECT_EQ(clipboard->text(), "1/8\t\t2/8");

    grid_->SetFocusCell(5, 0);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(5, 0), "1/8");
    EXPECT_EQ(Text(5, 2), "2/8");
    EXPECT_TRUE(grid_->Grid().Modified());

    grid_->SetFocusCell(2, 0);
    const QString origin = Text(2, 0);
    Key(Qt::Key_Delete, Qt::ShiftModifier);  // cut
    EXPECT_EQ(clipboard->text(), origin);
    EXPECT_EQ(Text(2, 0), QString());
    Key(Qt::Key_Insert, Qt::ShiftModifier);  // paste back
    EXPECT_EQ(Text(2, 0), origin);

    // The commands belong to the cell-editing switch.
    grid_->SetCellEditingProperty(false);
    clipboard->setText("z");
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_X, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Text(2, 0), origin);
    EXPECT_EQ(clipboard->text(), "z");
}

}  // namespace
