#include "app/model/LabelSheetBuilders.h"

#include <gtest/gtest.h>

#include <ostream>

#include "app/model/CountRules.h"
#include "grid/model/CGridCtrl.h"

namespace {

// Label numbers in page and slot order (top left, top right, bottom left, bottom right).
QStringList Numbers(const CGridCtrl& grid) {
    QStringList numbers;
    for (int top = 0; top + 6 < grid.RowCount(); top += 7) {
        for (int slot = 0; slot < 4; ++slot) {
            numbers << grid.GetCell(top + (slot < 2 ? 1 : 5), slot % 2 == 0 ? 0 : 2)->text;
        }
    }
    return numbers;
}

QStringList Labels(int from, int to, int total) {
    QStringList run;
    for (int k = from; k <= to; ++k) {
        run << QStringLiteral("%1/%2").arg(k).arg(total);
    }
    return run;
}

// Everything a sheet shows, to compare two builds.
QString Snapshot(const CGridCtrl& grid) {
    QString out = QStringLiteral("%1x%2 lines %3/%4/%5\n")
                      .arg(grid.RowCount())
                      .arg(grid.ColumnCount())
                      .arg(grid.GridLineMode())
                      .arg(grid.Print().printLineWidth)
                      .arg(grid.GridLineColour());
    for (const ColumnKindEntry& k : grid.ColumnKinds()) {
        out += QStringLiteral("kind %1:%2 ").arg(k.column).arg(k.kind);
    }
    for (int c = 0; c < grid.ColumnCount(); ++c) {
        out += QStringLiteral("w%1 ").arg(grid.ColumnWidth(c));
    }
    for (int r = 0; r < grid.RowCount(); ++r) {
        out += QStringLiteral("\nh%1:").arg(grid.RowHeight(r));
        for (int c = 0; c < grid.ColumnCount(); ++c) {
            const LogFont& f = grid.CellFont(r, c);
            out += QStringLiteral(" [%1|%2|%3|%4]")
                       .arg(grid.GetCell(r, c)->text, f.faceName)
                       .arg(f.height)
                       .arg(grid.GetCell(r, c)->format);
        }
    }
    return out;
}

struct SheetTest : ::testing::Test {
    CGridCtrl grid;
    SheetWorkingIntegers ints;
    void SetUp() override { SetUpSheetGrid(grid); }
};

struct SingleCase {
    const char16_t* text;
    int rows;
    int fillers;
    int numberHeight;
    QStringList lastPage;
};

void PrintTo(const SingleCase& c, std::ostream* os) {
    *os << '"' << QString::fromUtf16(c.text).toStdString() << '"';
}

class SingleSheet : public SheetTest, public ::testing::WithParamInterface<SingleCase> {};

TEST_P(SingleSheet, NumbersEveryCartonThenTheFillers) {
    const SingleCase& c = GetParam();
    ASSERT_EQ(BuildSingleTicketSheet(grid, c.text, ints), SheetBuildResult::Built);
    const int total = QString::fromUtf16(c.text).toInt();
    EXPECT_EQ(grid.RowCount(), c.rows);
    EXPECT_EQ(ints.CartonTotal, total);
    EXPECT_EQ(ints.FullPageCount, total / 4);
    EXPECT_EQ(ints.FillerCount, c.fillers);
    EXPECT_EQ(ints.NumberFontHeight, c.numberHeight);
    EXPECT_EQ(Numbers(grid), Labels(1, total, total) + Labels(1, c.fillers, c.fillers));
    EXPECT_EQ(Numbers(grid).mid(Numbers(grid).size() - 4), c.lastPage);
    EXPECT_EQ(grid.CellFont(c.rows - 2, 2).height, c.numberHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Totals, SingleSheet,
    ::testing::Values(SingleCase{u"1", 7, 3, 180, {"1/1", "1/3", "2/3", "3/3"}},
                      SingleCase{u"4", 7, 0, 180, {"1/4", "2/4", "3/4", "4/4"}},
                      SingleCase{u"5", 2 * 7, 3, 180, {"5/5", "1/3", "2/3", "3/3"}},
                      SingleCase{u"10", 3 * 7, 2, 145, {"9/10", "10/10", "1/2", "2/2"}},
                      SingleCase{u"99", 25 * 7, 1, 145, {"97/99", "98/99", "99/99", "1/1"}},
                      SingleCase{u"100", 25 * 7, 0, 100, {"97/100", "98/100", "99/100", "100/100"}},
                      SingleCase{
                          u"999", 250 * 7, 1, 100, {"997/999", "998/999", "999/999", "1/1"}}),
    [](const auto& info) { return "total_" + QString::fromUtf16(info.param.text).toStdString(); });

TEST_F(SheetTest, PageLayoutRowsColumnsFontsAndAlignment) {
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"5", ints), SheetBuildResult::Built);
    const int heights[] = {61, 304, 101, 70, 61, 304, 101};
    for (int r = 0; r < 14; ++r) {
        EXPECT_EQ(grid.RowHeight(r), heights[r % 7]) << "row " << r;
    }
    EXPECT_EQ(grid.ColumnWidth(0), 336);
    EXPECT_EQ(grid.ColumnWidth(1), 23);
    EXPECT_EQ(grid.ColumnWidth(2), 336);
    ASSERT_EQ(grid.ColumnKinds().size(), 2u);
    EXPECT_EQ(grid.ColumnKindOf(0)->kind, 101);
    EXPECT_EQ(grid.ColumnKindOf(2)->kind, 101);
    EXPECT_EQ(grid.GridLineMode(), 3);
    EXPECT_EQ(grid.GridLineColour(), 0u);
    EXPECT_EQ(grid.StoredDefaults().rows, 14);

    // Page 1: caption left-aligned at 33, number and origin centred at 180 and 41.
    EXPECT_EQ(grid.GetCell(11, 2)->text, " Carton No. :");
    EXPECT_EQ(grid.GetCell(11, 2)->format, 0x824u);
    EXPECT_EQ(grid.CellFont(11, 2).height, 33);
    EXPECT_EQ(grid.CellFont(11, 2).faceName, "Arial");
    EXPECT_EQ(grid.GetCell(12, 1)->format, 0x825u);
    EXPECT_EQ(grid.CellFont(12, 1).height, 180);
    EXPECT_EQ(grid.GetCell(13, 0)->text, "Made in China");
    EXPECT_EQ(grid.CellFont(13, 0).height, 41);
    EXPECT_EQ(grid.GetCell(13, 0)->format, 0x825u);
    // The gutter column and the separator row stay empty.
    EXPECT_EQ(grid.GetCell(12, 1)->text, "");
    EXPECT_EQ(grid.GetCell(10, 0)->text, "");
    EXPECT_EQ(grid.GetCell(10, 0)->format, 0x824u);
    EXPECT_EQ(grid.CellFont(10, 0), grid.GridFont());
}

TEST_F(SheetTest, RefusedTotalsLeaveAClearedGridAndOnlyTheTotalChanged) {
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"10", ints), SheetBuildResult::Built);
    const SheetWorkingIntegers before = ints;
    for (const char16_t* text : {u"0", u"-5", u"-", u"", u"-0", u"-12", u"abc", u"1000"}) {
        EXPECT_EQ(BuildSingleTicketSheet(grid, text, ints), SheetBuildResult::TotalRefused)
            << QString::fromUtf16(text).toStdString();
        SheetWorkingIntegers expected = before;
        expected.CartonTotal = counts::ReadCartonTotal(text);
        EXPECT_EQ(ints, expected);
        EXPECT_TRUE(Numbers(grid).join("").isEmpty());
        EXPECT_TRUE(grid.ColumnKinds().empty());
        EXPECT_EQ(grid.RowHeight(0), 24);
    }
    EXPECT_EQ(SheetRefusalMessage(SheetBuildResult::TotalRefused), "请输入   1-999  数量的箱标号");
}

TEST_F(SheetTest, MultiTicketsRunAcrossPageEndsAndLeaveTheListAsFound) {
    const std::vector<int32_t> tickets{3, 2};
    ASSERT_EQ(BuildMultiTicketSheet(grid, tickets, ints), SheetBuildResult::Built);
    EXPECT_EQ(grid.RowCount(), 14);
    EXPECT_EQ(Numbers(grid), Labels(1, 3, 3) + Labels(1, 2, 2) + Labels(1, 3, 3));
    EXPECT_EQ(tickets, (std::vector<int32_t>{3, 2}));
    EXPECT_EQ(ints.NumberFontHeight, 180);  // from the filler ticket, the last one numbered
    EXPECT_EQ(ints.CartonTotal, 0);         // the single-ticket integers are not touched
    EXPECT_EQ(ints.FillerCount, 0);
    // Number cells carry their font one by one; the gutter keeps the grid font.
    EXPECT_EQ(grid.CellFont(8, 0).height, 180);
    EXPECT_EQ(grid.CellFont(8, 1), grid.GridFont());
}

TEST_F(SheetTest, MultiTicketNumberHeightFollowsEachTicket) {
    ASSERT_EQ(BuildMultiTicketSheet(grid, {12, 100}, ints), SheetBuildResult::Built);
    EXPECT_EQ(grid.RowCount(), 28 * 7);
    const QStringList numbers = Numbers(grid);
    EXPECT_EQ(numbers, Labels(1, 12, 12) + Labels(1, 100, 100));
    // Label 12 (page 2, slot 3) is the last at 145; label 13 (page 3, slot 0) the first at 100.
    EXPECT_EQ(grid.CellFont(2 * 7 + 5, 2).height, 145);
    EXPECT_EQ(grid.CellFont(3 * 7 + 1, 0).height, 100);
    EXPECT_EQ(ints.NumberFontHeight, 100);
}

TEST_F(SheetTest, RebuildingGivesTheSameSheetAndMultiReplacesSingle) {
    ASSERT_EQ(BuildMultiTicketSheet(grid, {3, 2}, ints), SheetBuildResult::Built);
    const QString multi = Snapshot(grid);
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"999", ints), SheetBuildResult::Built);
    const QString single = Snapshot(grid);
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"999", ints), SheetBuildResult::Built);
    EXPECT_EQ(Snapshot(grid), single);
    ASSERT_EQ(BuildMultiTicketSheet(grid, {3, 2}, ints), SheetBuildResult::Built);
    EXPECT_EQ(Snapshot(grid), multi);
}

TEST_F(SheetTest, RefusedMultiBuildsKeepTheCurrentSheet) {
    ASSERT_EQ(BuildSingleTicketSheet(grid, u"7", ints), SheetBuildResult::Built);
    const QString sheet = Snapshot(grid);
    const SheetWorkingIntegers before = ints;
    EXPECT_EQ(BuildMultiTicketSheet(grid, {}, ints), SheetBuildResult::NoTickets);
    EXPECT_EQ(BuildMultiTicketSheet(grid, {5, 0}, ints), SheetBuildResult::TicketCountRefused);
    EXPECT_EQ(BuildMultiTicketSheet(grid, {1000}, ints), SheetBuildResult::TicketCountRefused);
    // One label past the cap: 1001 tickets of 999 and one of 2.
    std::vector<int32_t> huge(1001, 999);
    huge.push_back(2);
    EXPECT_EQ(BuildMultiTicketSheet(grid, huge, ints), SheetBuildResult::TooManyLabels);
    EXPECT_EQ(Snapshot(grid), sheet);
    EXPECT_EQ(ints, before);
    EXPECT_FALSE(SheetRefusalMessage(SheetBuildResult::TooManyLabels).isEmpty());
}

TEST(CountRules, ConversionAndPageArithmetic) {
    EXPECT_EQ(counts::ReadCartonTotal(u" 7"), 7);
    EXPECT_EQ(counts::ReadCartonTotal(u"-0"), 0);
    EXPECT_EQ(counts::FillerCountFor(5), 3);
    EXPECT_EQ(counts::FillerCountFor(99'900), 0);
    EXPECT_EQ(counts::PageCountFor(99'900), 99'900 / 4);
    EXPECT_EQ(counts::PageCountFor(1'000'001), 1'000'000 / 4 + 1);
    EXPECT_EQ(counts::NumberFontHeightFor(9), 180);
    EXPECT_EQ(counts::NumberFontHeightFor(10), 145);
    EXPECT_EQ(counts::NumberFontHeightFor(99), 145);
    EXPECT_EQ(counts::NumberFontHeightFor(100), 100);
}

}  // namespace
