#include "grid/model/CGridCtrl.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kDefaultFormat = 0x824;
constexpr uint32_t kCentred = 0x825;

// A grid as the component makes it before a window exists: stored defaults applied.
struct GridTest : ::testing::Test {
    CGridCtrl grid;
    void SetUp() override {
        grid.StoredDefaults().fixedRows = 0;
        grid.StoredDefaults().fixedColumns = 0;
        grid.ApplyStoredDefaults();
    }
    QString Text(int r, int c) const { return grid.GetCell(r, c)->text; }
};

struct CountingObserver : IGridObserver {
    int content = 0;
    int sizes = 0;
    void GridContentChanged() override { ++content; }
    void GridSizesChanged() override { ++sizes; }
};

struct FixedMetrics : IFontMeasurer {
    TextMetrics Measure(const LogFont&) override { return {16, 1, 7, 4}; }
};

struct OnePicture : IPictureSource {
    PictureRef LoadById(int32_t id) override {
        return id == 501 ? std::make_shared<CellPicture>(CellPicture{501, {}, "png"}) : nullptr;
    }
    PictureRef LoadByName(const QString&) override { return nullptr; }
};

TEST_F(GridTest, RowTotalZeroKeepsColumnsAndRegrowsWithDefaultHeightAndFormatFromAbove) {
    grid.PutCellValue(4, 1, 1, u'S', QStringLiteral("x"));
    ASSERT_TRUE(grid.SetRowTotal(0));
    EXPECT_EQ(grid.ColumnCount(), 5);
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);

    ASSERT_TRUE(grid.SetRowTotal(2));
    grid.CentreRowCells(1, 1);
    ASSERT_TRUE(grid.SetRowTotal(4));
    EXPECT_EQ(grid.RowHeight(3), 24);
    EXPECT_EQ(Text(1, 1), QString());
    // New rows copy the format of the cell above: centred in columns 0..2, default beyond.
    EXPECT_EQ(grid.GetCell(3, 2)->format, kCentred);
    EXPECT_EQ(grid.GetCell(3, 3)->format, kDefaultFormat);
    EXPECT_EQ(grid.GetCell(0, 0)->format, kDefaultFormat);
}

TEST_F(GridTest, TotalsRefuseNegativeAndOversizedCountsWithoutChange) {
    EXPECT_FALSE(grid.SetRowTotal(-1));
    EXPECT_FALSE(grid.SetColumnTotal(-1));
    EXPECT_FALSE(grid.SetRowTotal(static_cast<int32_t>(CGridCtrl::kMaxCells / 5 + 1)));
    EXPECT_FALSE(grid.SetFixedRowTotal(-1));
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.ColumnCount(), 5);
    EXPECT_TRUE(grid.SetRowTotal(5));
}

TEST_F(GridTest, ColumnChangesKeepEveryCellInItsPlace) {
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            grid.PutCellValue(r, c, 1, u'n', r * 10 + c);
        }
    }
    grid.AddColumnKind(4, colkind::kText);
    ASSERT_TRUE(grid.SetColumnTotal(7));
    EXPECT_EQ(Text(3, 4), "34");
    EXPECT_EQ(Text(3, 6), "");
    EXPECT_EQ(grid.ColumnWidth(6), 60);
    ASSERT_TRUE(grid.SetColumnTotal(3));
    EXPECT_EQ(Text(4, 2), "42");
    EXPECT_EQ(Text(1, 0), "10");
    EXPECT_EQ(grid.ColumnKindOf(4), nullptr);  // the dropped column's kind went with it
}

TEST_F(GridTest, ShrinkingShortensOrDropsMergedRanges) {
    ASSERT_TRUE(grid.MergeCells({1, 0, 3, 1}));
    ASSERT_TRUE(grid.MergeCells({4, 2, 4, 4}));
    EXPECT_FALSE(grid.MergeCells({2, 1, 2, 2}));  // overlaps
    EXPECT_TRUE(grid.GetCell(3, 1)->IsCovered());
    EXPECT_FALSE(grid.GetCell(1, 0)->IsCovered());

    ASSERT_TRUE(grid.SetRowTotal(3));
    ASSERT_EQ(grid.MergedRanges().size(), 1u);
    EXPECT_EQ(grid.MergedRanges()[0].bottom, 2);
    EXPECT_EQ(grid.MergedRangeAt(2, 1), &grid.MergedRanges()[0]);
}

TEST_F(GridTest, FixedRowsFlagCellsResetColoursGrowAndRespectMerges) {
    grid.GetCell(1, 3)->background = 0x123456;
    ASSERT_TRUE(grid.SetFixedRowTotal(2));
    EXPECT_TRUE(grid.GetCell(1, 3)->IsFixed());
    EXPECT_EQ(grid.GetCell(1, 3)->background, kDefaultColour);
    EXPECT_FALSE(grid.GetCell(2, 3)->IsFixed());

    ASSERT_TRUE(grid.SetFixedRowTotal(8));
    EXPECT_EQ(grid.RowCount(), 8);
    ASSERT_TRUE(grid.SetFixedRowTotal(0));
    EXPECT_FALSE(grid.GetCell(1, 3)->IsFixed());

    ASSERT_TRUE(grid.MergeCells({0, 0, 1, 1}));
    EXPECT_TRUE(grid.SetFixedColumnTotal(1));  // no fixed rows: the corner is empty
    EXPECT_FALSE(grid.SetFixedRowTotal(1));    // the corner would hold the merged range's start
    EXPECT_EQ(grid.FixedRowCount(), 0);
}

TEST_F(GridTest, RangeFontClampsKeepsOtherAttributesAndSharesFonts) {
    LogFont bold;
    bold.faceName = "Grid";
    bold.height = -12;
    bold.weight = 700;
    grid.SetGridFont(bold);

    EXPECT_FALSE(grid.SetRangeFont(0, 0, 0, 0, QString(), 0));
    ASSERT_TRUE(grid.SetRangeFont(1, 1, -1, -1, "Arial", 40));  // -1: the first row/column only
    EXPECT_EQ(grid.CellFont(1, 1).faceName, "Arial");
    EXPECT_EQ(grid.CellFont(1, 1).weight, 700);
    EXPECT_EQ(grid.CellFont(1, 2).faceName, "Grid");
    EXPECT_EQ(grid.CellFont(2, 1).faceName, "Grid");

    ASSERT_TRUE(grid.SetRangeFont(3, -4, 99, 99, QString(), 20));  // clamped to the grid
    EXPECT_EQ(grid.CellFont(4, 4).height, 20);
    EXPECT_EQ(grid.CellFont(4, 4).faceName, "Grid");
    EXPECT_EQ(grid.GetCell(3, 0)->fontId, grid.GetCell(4, 4)->fontId);
    EXPECT_FALSE(grid.SetRangeFont(7, 0, 9, 0, "Arial", 1));  // wholly outside

    grid.SetRangeFont(0, 0, 0, 0, QString(40, u'x'), 0);
    EXPECT_EQ(grid.CellFont(0, 0).faceName.size(), 31);
}

TEST_F(GridTest, CentreRowCellsTouchesAtMostThreeColumnsAndKeepsWordBreak) {
    grid.GetCell(0, 1)->format = dt::kWordBreak;
    ASSERT_TRUE(grid.CentreRowCells(0, 0));
    EXPECT_EQ(grid.GetCell(0, 0)->format, kCentred);
    EXPECT_EQ(grid.GetCell(0, 1)->format, 0x815u);
    EXPECT_EQ(grid.GetCell(0, 3)->format, kDefaultFormat);

    ASSERT_TRUE(grid.SetColumnTotal(1));
    ASSERT_TRUE(grid.CentreRowCells(1, 1));
    EXPECT_EQ(grid.GetCell(1, 0)->format, kCentred);
}

TEST_F(GridTest, PutCellValueTextTypes) {
    EXPECT_TRUE(grid.PutCellValue(0, 0, 1, u'S', QStringLiteral(" Carton No. :")));
    EXPECT_EQ(Text(0, 0), " Carton No. :");
    EXPECT_TRUE(grid.PutCellValue(0, 1, 1, u'n', -42));
    EXPECT_EQ(Text(0, 1), "-42");
    EXPECT_TRUE(grid.PutCellValue(0, 2, 1, u'F', 2.5));
    EXPECT_EQ(Text(0, 2), "2.5");
    EXPECT_TRUE(grid.PutCellValue(0, 3, 1, u'B', true));
    EXPECT_EQ(Text(0, 3), "1");
    EXPECT_FALSE(grid.PutCellValue(5, 0, 1, u'S', QStringLiteral("x")));
    EXPECT_FALSE(grid.PutCellValue(0, -1, 1, u'S', QStringLiteral("x")));
    EXPECT_FALSE(grid.PutCellValue(0, 0, 9, u'S', QStringLiteral("x")));
}

TEST_F(GridTest, NumberColumnsTrimAndRefuseTextsThatAreNotNumbers) {
    ASSERT_TRUE(grid.SetFixedRowTotal(1));
    grid.AddColumnKind(1, colkind::kNumber);
    EXPECT_TRUE(grid.PutCellValue(2, 1, 1, u'S', QStringLiteral("  12.5\t")));
    EXPECT_EQ(Text(2, 1), "12.5");
    EXPECT_FALSE(grid.PutCellValue(3, 1, 1, u'S', QStringLiteral("12a")));
    EXPECT_EQ(Text(3, 1), "");
    EXPECT_TRUE(grid.PutCellValue(0, 1, 1, u'S', QStringLiteral(" Price ")));  // fixed header
}

TEST_F(GridTest, PicturesAndCheckStatesOnlyInTheirColumnKinds) {
    OnePicture pictures;
    grid.SetPictureSource(&pictures);
    EXPECT_FALSE(grid.PutCellValue(1, 2, 6, u'n', 501));  // not a picture column yet
    grid.PutCellValue(1, 2, 1, u'S', QStringLiteral("gone"));
    ASSERT_TRUE(grid.AddColumnKind(2, colkind::kPicture));
    EXPECT_EQ(Text(1, 2), "");
    EXPECT_EQ(grid.ColumnKindOf(2)->param, 201);
    EXPECT_EQ(grid.FindColumnKind(2), 0);
    EXPECT_TRUE(grid.SetColumnKindParam(2, 205));
    EXPECT_FALSE(grid.SetColumnKindParam(3, 205));

    EXPECT_TRUE(grid.PutCellValue(1, 2, 6, u'n', 501));
    EXPECT_EQ(grid.GetCell(1, 2)->picture->resourceId, 501);
    EXPECT_FALSE(grid.PutCellValue(2, 2, 6, u'S', QStringLiteral("missing")));
    EXPECT_EQ(grid.GetCell(2, 2)->picture, nullptr);

    // Another kind for the column drops the pictures of the old one.
    ASSERT_TRUE(grid.AddColumnKind(2, colkind::kCheck));
    EXPECT_EQ(grid.GetCell(1, 2)->picture, nullptr);
    EXPECT_EQ(grid.FindColumnKind(2), -1);
    EXPECT_EQ(grid.ColumnKinds().size(), 1u);
    EXPECT_TRUE(grid.PutCellValue(1, 2, 5, u'n', 1));
    EXPECT_EQ(grid.GetCell(1, 2)->values[0], 1);
    EXPECT_FALSE(grid.PutCellValue(1, 3, 5, u'n', 1));
    EXPECT_FALSE(grid.AddColumnKind(5, colkind::kText));
}

TEST_F(GridTest, ClearSheetKeepsCountsAndRestoresStoredDefaults) {
    grid.SetFixedRowTotal(1);
    grid.SetRowTotal(9);
    grid.PutCellValue(3, 3, 1, u'S', QStringLiteral("x"));
    grid.SetRowPixelHeight(3, 300);
    grid.SetColumnPixelWidth(3, 300);
    grid.SetRangeFont(3, 3, 3, 3, "Arial", 99);
    grid.AddColumnKind(0, colkind::kText);
    grid.MergeCells({4, 0, 5, 0});
    grid.SetGridLineColour(0x00FF00);
    grid.Print().printLineWidth = 2;
    grid.Print().fitColumnsToPage = false;
    grid.SetControlBackground(0x0000FF);
    grid.SetCellEditing(false);

    ASSERT_TRUE(grid.ClearSheet());
    EXPECT_EQ(grid.RowCount(), 9);
    EXPECT_EQ(grid.ColumnCount(), 5);
    EXPECT_EQ(grid.FixedRowCount(), 1);
    EXPECT_TRUE(grid.GetCell(0, 4)->IsFixed());
    EXPECT_EQ(Text(3, 3), "");
    EXPECT_EQ(grid.CellFont(3, 3), grid.GridFont());
    EXPECT_FALSE(grid.GetCell(5, 0)->IsCovered());
    EXPECT_EQ(grid.RowHeight(3), 24);
    EXPECT_EQ(grid.ColumnWidth(3), 60);
    EXPECT_TRUE(grid.ColumnKinds().empty());
    EXPECT_TRUE(grid.MergedRanges().empty());
    EXPECT_EQ(grid.GridLineColour(), 0xC0C0C0u);
    EXPECT_TRUE(grid.CellEditing());
    // Not among what ClearSheet restores.
    EXPECT_EQ(grid.Print().printLineWidth, 2);
    EXPECT_FALSE(grid.Print().fitColumnsToPage);
    EXPECT_EQ(grid.ControlBackground(), 0x0000FFu);
}

TEST_F(GridTest, GridFontReachesEveryCellAndResizesOnlyTheDefaults) {
    FixedMetrics metrics;
    grid.SetFontMeasurer(&metrics);
    grid.SetRangeFont(0, 0, 0, 0, "Arial", 33);
    grid.SetRowPixelHeight(0, 61);
    LogFont font;
    font.faceName = "Window";
    grid.SetGridFont(font);
    EXPECT_EQ(grid.CellFont(0, 0).faceName, "Window");
    EXPECT_EQ(grid.DefaultRowHeight(), 16 / 4 + 1 + 16);
    EXPECT_EQ(grid.DefaultColumnWidth(), 7 * 12 + 2 * 4);
    EXPECT_EQ(grid.RowHeight(0), 61);
    EXPECT_EQ(grid.RowHeight(1), 24);
    grid.SetRowTotal(6);
    EXPECT_EQ(grid.RowHeight(5), 16 / 4 + 1 + 16);
}

TEST_F(GridTest, ObserverHearsOfChangesOnlyWhileRedrawIsOn) {
    CountingObserver observer;
    grid.SetObserver(&observer);
    grid.SetRowPixelHeight(0, 30);
    EXPECT_EQ(observer.sizes, 1);
    EXPECT_TRUE(grid.SizesChangedMark());
    grid.SetRedraw(false);
    grid.PutCellValue(0, 0, 1, u'S', QStringLiteral("x"));
    grid.SetRowTotal(10);
    EXPECT_EQ(observer.content, 1);
    grid.SetRedraw(true);
    EXPECT_EQ(observer.content, 2);
    EXPECT_EQ(observer.sizes, 2);
}

TEST_F(GridTest, BandingColoursNonFixedRowsAndFollowsNewRows) {
    grid.SetFixedRowTotal(1);
    grid.SetFixedColumnTotal(1);
    grid.ApplyRowBanding(1, 0xAAAAAA, 0xBBBBBB);
    EXPECT_EQ(grid.GetCell(1, 1)->background, 0xAAAAAAu);
    EXPECT_EQ(grid.GetCell(2, 4)->background, 0xBBBBBBu);
    EXPECT_EQ(grid.GetCell(2, 0)->background, kDefaultColour);
    grid.SetRowTotal(8);
    grid.ReapplyRowBanding();
    EXPECT_EQ(grid.GetCell(7, 2)->background, 0xAAAAAAu);
}

}  // namespace

// The label-stock marks belong to their rows and columns: rows that go take theirs along, new
// ones come unmarked, and a new sheet starts without any.
TEST_F(GridTest, StockMarksGoWithTheirRowsAndColumns) {
    ASSERT_TRUE(grid.MarkSheetPage(0, 4));
    ASSERT_TRUE(grid.MarkLabelRows(1, 2));
    ASSERT_TRUE(grid.MarkLabelColumns(4, 4));
    EXPECT_FALSE(grid.MarkSheetPage(3, 5));  // past the last row
    ASSERT_TRUE(grid.SetRowTotal(3));
    ASSERT_TRUE(grid.SetColumnTotal(4));
    ASSERT_TRUE(grid.SetRowTotal(5));
    ASSERT_TRUE(grid.SetColumnTotal(5));
    EXPECT_EQ(grid.RowMarks(1), stockmark::kLabelFirst);
    EXPECT_EQ(grid.RowMarks(4), 0);
    EXPECT_EQ(grid.ColumnMarks(4), 0);

    grid.ClearSheet();
    EXPECT_EQ(grid.RowMarks(0) | grid.RowMarks(1), 0);
}
