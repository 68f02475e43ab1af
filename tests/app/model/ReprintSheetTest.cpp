// Reprints: which labels a choice of cells or a label list names, the sheet of those labels,
// sheets that start at a later place, and the counts of a ticket file.
#include "app/model/ReprintSheet.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/model/BuildOverweightSheet.h"
#include "app/model/CountRules.h"
#include "app/model/LabelChoice.h"
#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"

namespace {

using Places = std::vector<int64_t>;

// The caption, number and origin texts of every place, in sheet order.
QStringList LabelTexts(const CGridCtrl& grid) {
    QStringList texts;
    for (int64_t place = 0; sheet::LabelCaptionRow(place) < grid.RowCount(); ++place) {
        QStringList cells;
        for (int i = 0; i < 3; ++i) {
            cells
                << grid.GetCell(sheet::LabelCaptionRow(place) + i, sheet::LabelColumn(place))->text;
        }
        texts << cells.join(u'|');
    }
    return texts;
}

QString Label(const QString& number) {
    return QStringLiteral(" Carton No. :|%1|Made in China").arg(number);
}
const QString kEmpty = QStringLiteral("||");

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

TEST(LabelChoice, ListsNameLabelsInRunOrderOrAreRefusedInTheirOwnWords) {
    const std::vector<int32_t> single{120};
    const std::vector<int32_t> three{30, 5, 4};  // tickets start at places 0, 30 and 35
    const struct {
        const char* name;
        const std::vector<int32_t>& tickets;
        bool multi;
        const char16_t* list;
        Places places;
        QString error;  // what the refusal says, part of it
    } cases[] = {
        {"single_desk_case", single, false, u"37,40-42", {36, 39, 40, 41}, {}},
        {"single_unsorted_twice", single, false, u"42, 37,40-42", {36, 39, 40, 41}, {}},
        {"multi_desk_case",
         three,
         true,
         u"2:5,1:28-30,3:",
         {27, 28, 29, 30 + 4, 35, 36, 37, 38},
         {}},
        {"multi_of_one_ticket", single, true, u"1:120", {119}, {}},
        {"past_the_run",
         single,
         false,
         u"37,118-121",
         {},
         "carton 121 in \"118-121\" is not "
         "in the run, which has 120 cartons"},
        {"carton_zero", single, false, u"0", {}, "carton 0 in \"0\""},
        {"ticket_form_in_single", single, false, u"2:5", {}, "\"2:5\" is not a carton number"},
        {"carton_form_in_multi", three, true, u"5", {}, "\"5\" is not TICKET:CARTON"},
        {"no_such_ticket",
         three,
         true,
         u"4:1",
         {},
         "ticket 4 in \"4:1\" is not in the run, "
         "which has 3 tickets"},
        {"past_a_ticket",
         three,
         true,
         u"2:5-6",
         {},
         "carton 6 in \"2:5-6\" is not in ticket 2, "
         "which has 5 cartons"},
        {"backwards", single, false, u"42-40", {}, "\"42-40\" runs backwards"},
        {"empty_item", single, false, u"37,,40", {}, "\"\" is not a carton number"},
        {"letters", single, false, u"3a", {}, "\"3a\" is not a carton number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const labels::LabelList list = labels::ReadLabelList(c.list, c.tickets, c.multi);
        EXPECT_EQ(list.places, c.places);
        if (c.error.isEmpty()) {
            EXPECT_TRUE(list.error.isEmpty()) << list.error.toStdString();
        } else {
            EXPECT_TRUE(list.error.contains(c.error)) << list.error.toStdString();
        }
    }
}

// Counts in a ticket file are read as the dialog and the command line read them.
TEST(CountRules, WrittenCountsAreDigitsReadAsTheDialogReadsThem) {
    const struct {
        const char16_t* text;
        std::optional<int32_t> count;
    } cases[] = {{u"12", 12},
                 {u"0012", 12},
                 {u"000000000999", 999},
                 {u"1000", std::nullopt},
                 {u"0", std::nullopt},
                 {u"-5", std::nullopt},
                 {u"+5", std::nullopt},
                 {u"1 200", std::nullopt},
                 {u"7a", std::nullopt},
                 {u"", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(counts::ReadWrittenCount(c.text), c.count)
            << QString::fromUtf16(c.text).toStdString();
    }
}

struct ReprintTest : ::testing::Test {
    CGridCtrl whole;
    SheetWorkingIntegers ints;
    void SetUp() override { SetUpSheetGrid(whole); }
};

// Every label keeps its cells as the whole sheet has them; an edited text stays edited, and the
// pages are laid out as every carton sheet is.
TEST_F(ReprintTest, LabelsAreCopiedCellForCellOntoFreshPages) {
    // A ticket of 3 (numbers at 180) and one of 12 (at 145): places 0-2 and 3-14, 1 filler.
    ASSERT_EQ(BuildMultiTicketSheet(whole, {3, 12}, ints), SheetBuildResult::Built);
    whole.PutCellValue(sheet::LabelCaptionRow(9), sheet::LabelColumn(9), 1, u'S',
                       QStringLiteral("Carton No. : (torn)"));
    whole.SetPrintLayoutValue(3, 35);
    whole.Print().firstPageOffset = {20, 20};

    const struct {
        const char* name;
        Places places;
        int32_t firstPlace;
        std::vector<int64_t> from;  // per place of the reprint: the whole sheet's place, or -1
    } cases[] = {
        {"one_label", {9}, 0, {9, -1, -1, -1}},
        {"two_pages_packed", {2, 3, 9, 10, 14}, 0, {2, 3, 9, 10, 14, -1, -1, -1}},
        {"from_place_3", {2, 3}, 2, {-1, -1, 2, 3}},
        {"from_place_4_onto_page_2", {0, 1}, 3, {-1, -1, -1, 0, 1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl reprint;
        BuildReprintSheet(whole, c.places, c.firstPlace, reprint);
        ASSERT_EQ(reprint.RowCount(), int32_t(c.from.size() / 4 * 7));
        for (size_t place = 0; place < c.from.size(); ++place) {
            SCOPED_TRACE(place);
            for (int i = 0; i < 3; ++i) {
                const int32_t row = sheet::LabelCaptionRow(int64_t(place)) + i;
                const int32_t column = sheet::LabelColumn(int64_t(place));
                const CGridCell* got = reprint.GetCell(row, column);
                if (c.from[place] < 0) {
                    EXPECT_EQ(got->text, "");
                    continue;
                }
                const int32_t fromRow = sheet::LabelCaptionRow(c.from[place]) + i;
                const int32_t fromColumn = sheet::LabelColumn(c.from[place]);
                EXPECT_EQ(got->text, whole.GetCell(fromRow, fromColumn)->text);
                EXPECT_EQ(got->format, whole.GetCell(fromRow, fromColumn)->format);
                EXPECT_EQ(reprint.CellFont(row, column), whole.CellFont(fromRow, fromColumn));
            }
        }
        // Rows, keep marks, lines and print settings of the whole sheet's pages.
        for (int32_t r = 0; r < reprint.RowCount(); ++r) {
            EXPECT_EQ(reprint.RowHeight(r), whole.RowHeight(r)) << "row " << r;
            EXPECT_EQ(reprint.RowKeptWithNext(r), whole.RowKeptWithNext(r)) << "row " << r;
        }
        EXPECT_EQ(reprint.ColumnWidth(1), whole.ColumnWidth(1));
        EXPECT_EQ(reprint.GridLineMode(), whole.GridLineMode());
        EXPECT_EQ(reprint.Print().layout, whole.Print().layout);
        EXPECT_EQ(reprint.Print().firstPageOffset, whole.Print().firstPageOffset);
        EXPECT_EQ(reprint.Print().printLineWidth, whole.Print().printLineWidth);
    }
    CGridCtrl one;
    BuildReprintSheet(whole, {9}, 0, one);
    EXPECT_EQ(LabelTexts(one).front(), QStringLiteral("Carton No. : (torn)|7/12|Made in China"));
    EXPECT_EQ(one.CellFont(1, 0).height, 145);
}

// A sheet whose first places were used: they stay empty, and the fillers complete the last page
// of what prints, drawn as the run draws its fillers.
TEST_F(ReprintTest, BuildersStartAtALaterPlace) {
    ASSERT_EQ(BuildSingleTicketSheet(whole, u"5", ints, 2), SheetBuildResult::Built);
    EXPECT_EQ(LabelTexts(whole),
              (QStringList{kEmpty, kEmpty, Label("1/5"), Label("2/5"), Label("3/5"), Label("4/5"),
                           Label("5/5"), Label("1/1")}));
    EXPECT_EQ(ints.FillerCount, 1);
    ASSERT_EQ(BuildMultiTicketSheet(whole, {3, 2}, ints, 3), SheetBuildResult::Built);
    EXPECT_EQ(LabelTexts(whole), (QStringList{kEmpty, kEmpty, kEmpty, Label("1/3"), Label("2/3"),
                                              Label("3/3"), Label("1/2"), Label("2/2")}));
    ASSERT_EQ(BuildMultiTicketSheet(whole, {10}, ints, 1), SheetBuildResult::Built);
    EXPECT_EQ(LabelTexts(whole).mid(10), (QStringList{Label("10/10"), Label("1/1")}));
    EXPECT_EQ(whole.CellFont(sheet::LabelCaptionRow(11) + 1, sheet::LabelColumn(11)).height,
              counts::NumberFontHeightFor(1));
}

TEST_F(ReprintTest, SelectionIsOfferedForLabelCellsOfACartonSheetOnly) {
    const CartonSelectionSheet selection;
    const CellRange caption{0, 0, 0, 0};
    EXPECT_FALSE(selection.CanPrint(whole, caption));  // nothing built yet
    ASSERT_EQ(BuildSingleTicketSheet(whole, u"12", ints), SheetBuildResult::Built);
    EXPECT_TRUE(selection.CanPrint(whole, caption));
    EXPECT_FALSE(selection.CanPrint(whole, CellRange{3, 0, 3, 2}));  // the gap row
    EXPECT_FALSE(selection.CanPrint(whole, CellRange{0, 1, 6, 1}));  // the gutter

    CGridCtrl sheet;
    selection.MakeSheet(whole, CellRange{5, 2, 7, 2}, sheet);  // labels 4 and 6, two pages
    EXPECT_EQ(LabelTexts(sheet), (QStringList{Label("4/12"), Label("6/12"), kEmpty, kEmpty}));

    const QTemporaryDir drive;
    rg_class_ChaoChongBiao_BianJu overweight;
    vantric::BuildOverweightSheet(whole, overweight, true, drive.filePath("dypz.ini"),
                                  drive.path());
    EXPECT_FALSE(selection.CanPrint(whole, caption));
}

}  // namespace
