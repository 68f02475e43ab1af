// Page arithmetic on invented devices: no printer, no window.
#include <gtest/gtest.h>

#include <random>

#include "grid/PageLayout.h"
#include "platform/Printer.h"

using namespace vantric;

namespace {

// One carton-label page: rows of 61, 304, 101, 70, 61, 304, 101 pixels (1002 in all); columns
// 336, 23, 336 (695 in all).
std::vector<int32_t> LabelRows(int pages) {
    std::vector<int32_t> rows;
    for (int p = 0; p < pages; ++p) {
        rows.insert(rows.end(), {61, 304, 101, 70, 61, 304, 101});
    }
    return rows;
}
const std::vector<int32_t> kLabelColumns{336, 23, 336};

// A4 with a printable area of 203.2 x 290 mm: 2400 x 3425 pixels at 300 dpi, twice that at 600.
PageLayoutInput A4Input(int dpi) {
    PageLayoutInput in;
    in.surface = PrinterSurface(dpi, dpi, 8 * dpi, 3425 * dpi / 300);
    return in;
}

PageGeometry Layout(const PageLayoutInput& in, const std::vector<int32_t>& rows,
                    const std::vector<int32_t>& columns = kLabelColumns, int fixedRows = 0) {
    return ComputePageGeometry(in, GridExtent{rows, columns, fixedRows, 0, {}, {}});
}

}  // namespace

TEST(MulDivTest, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);        // 2.5
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);      // -2.5
    EXPECT_EQ(MulDiv(7, 1, 3), 2);        // 2.33
    EXPECT_EQ(MulDiv(40, 300, 254), 47);  // 47.24
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

// Fit-to-page on the label sheet: W = 695 + 40 + 40 whatever the resolution; the layout values go
// tenths -> device pixels -> logical units and land on the same figures at 300 and 600 dpi.
TEST(PageGeometryTest, FitToPageOnA4At300And600Dpi) {
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        const PageGeometry g = Layout(A4Input(dpi), LabelRows(250));
        EXPECT_EQ(g.pageWidth, 695 + 40 + 40);
        EXPECT_EQ(g.pageHeight, 1106);  // 775 * 3425 / 2400 = 1105.99
        // left 40 -> 47.24 px at 300 dpi -> 47 * 775 / 2400 = 15.18; at 600 dpi 94 -> 15.18
        EXPECT_EQ(g.margins[lay::kLeft], 15);
        EXPECT_EQ(g.margins[lay::kRight], 15);
        EXPECT_EQ(g.margins[lay::kTop], 8);  // 24 px -> 7.75 at 300 dpi; 47 px -> 7.59 at 600
        EXPECT_EQ(g.margins[lay::kBottom], 8);
        EXPECT_EQ(g.margins[lay::kHeader], 23);  // 71 px -> 22.93; 142 px -> 22.93
        EXPECT_EQ(g.margins[lay::kFooter], 23);
        EXPECT_EQ(g.margins[lay::kGap], 8);
        EXPECT_EQ(g.fullBodyHeight, 1106 - 2 * 8 - 23 - 23 - 8 - 8);
        EXPECT_EQ(g.bodyWidth, 775 - 15 - 15);
        EXPECT_TRUE(g.printable);
        // 1002 of 1028 per page: one label page per printed page.
        EXPECT_EQ(g.pagesDown, 250);
        EXPECT_EQ(g.pagesAcross, 1);
        EXPECT_EQ(g.totalPages, 250);
    }
}

TEST(PageGeometryTest, PaperWidthCaseFollowsThePaperNotTheColumns) {
    PageLayoutInput in = A4Input(300);
    in.fitColumnsToPage = false;
    const PageGeometry g = Layout(in, LabelRows(1));
    EXPECT_EQ(g.paperTenthsWidth, 2032);  // 2400 * 254 / 300
    // (40 + 40 + 2032) tenths / (254 / 96) tenths per pixel = 798.2
    EXPECT_EQ(g.pageWidth, 798);
    EXPECT_EQ(g.pageHeight, 1139);  // 798 * 3425 / 2400 = 1138.8
}

TEST(PageGeometryTest, WiderGridPrintsSmallerWithFitToPage) {
    const PageGeometry narrow = Layout(A4Input(300), LabelRows(1), {100});
    const PageGeometry wide = Layout(A4Input(300), LabelRows(1), {1000, 1000});
    EXPECT_EQ(narrow.pageWidth, 100 + 80);
    EXPECT_EQ(wide.pageWidth, 2000 + 80);
    // More logical units on the same paper: every column still fits across, although the
    // margins come out at 47 px * 2080 / 2400 = 40.7 -> 41 units each (2080 - 82 < 2000).
    EXPECT_EQ(wide.margins[lay::kLeft], 41);
    EXPECT_EQ(wide.pagesAcross, 1);
    EXPECT_EQ(wide.bodyWidth, 2000);
}

TEST(PageGeometryTest, SplitColumnsAcrossPages) {
    PageLayoutInput in = A4Input(300);
    in.splitColumnsAcrossPages = true;
    const PageGeometry g = Layout(in, LabelRows(3));
    EXPECT_EQ(g.pageWidth, 96 * 2400 / 300 * 3 / 4);   // 576
    EXPECT_EQ(g.pageHeight, 96 * 3425 / 300 * 3 / 4);  // 822
    // left 47 px * 576 / 2400 = 11.28; right 47 px * 822 / 3425 = 11.28
    EXPECT_EQ(g.bodyWidth, 576 - 11 - 11);
    // 336 + 23 fit in 554, the third column starts a second part.
    EXPECT_EQ(g.columnPartStarts, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(g.columnPartWidths, (std::vector<int32_t>{336 + 23, 336}));
    EXPECT_EQ(g.totalPages, g.pagesDown * 2);

    // Pages run across first: page 3 is the second row band's first part.
    const PagePlace p3 = LocatePage(g, 3, 21, 3);
    EXPECT_EQ(p3.band, 2);
    EXPECT_EQ(p3.part, 1);
    EXPECT_EQ(p3.firstRow, g.rowBandStarts[1]);
    EXPECT_EQ(p3.firstColumn, 0);
    EXPECT_EQ(p3.endColumn, 2);
}

TEST(PageGeometryTest, ZeroLayoutValuesLeaveTheWholePageToTheBody) {
    PageLayoutInput in = A4Input(300);
    in.layout = {0, 0, 0, 0, 0, 0, 0};
    const PageGeometry g = Layout(in, LabelRows(1), {100, 100}, 1);
    EXPECT_EQ(g.pageWidth, 200);
    EXPECT_EQ(g.pageHeight, 285);           // 200 * 3425 / 2400 = 285.4
    EXPECT_EQ(g.fullBodyHeight, 285 - 61);  // less the fixed row
    EXPECT_EQ(g.bodyWidth, 200);
}

// With a first-page offset only page 1 is shortened; later pages are counted with the full body,
// so the run ends with the last row rather than with pages that print only a header band.
TEST(PaginationTest, FirstPageOffsetShortensPageOneOnly) {
    PageLayoutInput in = A4Input(300);
    in.firstPageOffset = {20, 20};
    // Four rows of 257 fill the 1028 body exactly; page 1 has 1028 - 6 and holds three.
    const PageGeometry g = Layout(in, std::vector<int32_t>(16, 257), {695});
    EXPECT_EQ(g.offset.y, 6);  // 20 * 1106 / 3425 = 6.46
    EXPECT_EQ(g.fullBodyHeight, 1028);
    EXPECT_EQ(g.firstBodyHeight, 1028 - 6);
    EXPECT_EQ(g.rowBandStarts, (std::vector<int32_t>{0, 3, 7, 11, 15}));
    EXPECT_EQ(g.totalPages, 5);  // 3 + 4 + 4 + 4 + 1; counting every page with 1022 gives 6
    const PagePlace last = LocatePage(g, 5, 16, 1);
    EXPECT_EQ(last.firstRow, 15);
    EXPECT_EQ(last.endRow, 16);
    EXPECT_EQ(LocatePage(g, 1, 16, 1).bodyHeight, 1022);
    EXPECT_EQ(LocatePage(g, 2, 16, 1).bodyHeight, 1028);

    // The desk's labels: (20, 20) still leaves room for a whole label page on page 1.
    EXPECT_EQ(Layout(in, LabelRows(250)).totalPages, 250);
}

TEST(PaginationTest, RowTallerThanTheBodyGetsAPageOfItsOwn) {
    struct Case {
        const char* name;
        std::vector<int32_t> sizes;
        std::vector<int32_t> starts;
    };
    const Case cases[] = {
        {"tall_in_the_middle", {100, 2000, 100}, {0, 1, 2}},
        {"tall_first", {2000, 100}, {0, 1}},
        {"two_tall", {2000, 2000}, {0, 1}},
        {"exact_fit", {514, 514, 1}, {0, 2}},
        {"zero_heights", {0, 0, 1028, 0}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GreedyBreaks(c.sizes, {}, 0, 1028, 1028), c.starts);
    }
}

// Rows kept with the next one go to the next page together; only a block taller than a page is
// broken, where its rows break.
TEST(PaginationTest, KeptRowsBreakOnlyWhereABlockOutgrowsAPage) {
    // The label sheet's blocks: caption, number, origin and gap (536); caption, number, origin
    // (466). Page breaks by rows are 1002 + 61 in a body of 1064, then 1002 and so on.
    std::vector<uint8_t> labels;
    for (int p = 0; p < 3; ++p) {
        labels.insert(labels.end(), {1, 1, 1, 0, 1, 1, 0});
    }
    struct Case {
        const char* name;
        std::vector<int32_t> sizes;
        std::vector<uint8_t> kept;
        int32_t first, limit;
        std::vector<int32_t> starts;
    };
    const Case cases[] = {
        {"rows_alone", LabelRows(3), {}, 1064, 1064, {0, 8, 15}},
        {"labels_kept", LabelRows(3), labels, 1064, 1064, {0, 7, 14}},
        {"one_label_to_a_page", LabelRows(2), labels, 915, 915, {0, 4, 7, 11}},
        {"block_moves_on", {500, 300, 300}, {0, 1}, 1028, 1028, {0, 1}},
        {"block_taller_than_a_page", {100, 600, 600, 100}, {0, 1}, 1028, 1028, {0, 1, 2}},
        {"block_taller_than_page_one", {100, 850}, {1}, 900, 1028, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GreedyBreaks(c.sizes, c.kept, 0, c.first, c.limit), c.starts);
    }
}

TEST(PaginationTest, NoBodyHeightMeansNoPages) {
    PageLayoutInput in = A4Input(300);
    in.layout[lay::kHeader] = 3000;
    const PageGeometry g = Layout(in, LabelRows(250));
    EXPECT_FALSE(g.printable);
    EXPECT_EQ(g.totalPages, 0);
    EXPECT_EQ(LocatePage(g, 1, 1750, 3).firstRow, 1750);

    // An offset that eats the whole first page is refused the same way.
    PageLayoutInput offset = A4Input(300);
    offset.firstPageOffset = {0, 5000};
    EXPECT_FALSE(Layout(offset, LabelRows(1)).printable);
}

TEST(PaginationTest, EmptyGridPrintsOnePageWithNoRows) {
    const PageGeometry g = Layout(A4Input(300), {30}, kLabelColumns, 1);
    EXPECT_EQ(g.totalPages, 1);
    const PagePlace p = LocatePage(g, 1, 1, 3);
    EXPECT_EQ(p.firstRow, 1);
    EXPECT_EQ(p.endRow, 1);
}

// The breaks found once per layout give every page the rows a walk from the top finds for it.
TEST(PaginationTest, DirectLookupMatchesAWalkFromTheTop) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> height(1, 400);
    std::vector<int32_t> rows(3000);
    for (auto& r : rows) {
        r = height(random);
    }
    PageLayoutInput in = A4Input(600);
    in.firstPageOffset = {0, 300};
    const PageGeometry g = Layout(in, rows, {695});
    ASSERT_TRUE(g.printable);

    // The walk of one page: start at its first row, take rows while they fit.
    int32_t row = 0;
    for (int32_t page = 1; page <= g.totalPages; ++page) {
        const PagePlace p = LocatePage(g, page, 3000, 1);
        ASSERT_EQ(p.firstRow, row) << "page " << page;
        const int32_t body = page == 1 ? g.firstBodyHeight : g.fullBodyHeight;
        int64_t sum = 0;
        while (row < 3000 && sum + rows[row] <= body) {
            sum += rows[row++];
        }
        ASSERT_EQ(p.endRow, row) << "page " << page;
    }
    EXPECT_EQ(row, 3000);
}

namespace {

// A grid marked as label stock, as the sheet builders mark it.
struct Stock {
    std::vector<int32_t> rows, columns;
    std::vector<uint8_t> rowMarks, columnMarks;
};

constexpr uint8_t kSheetFirst = stockmark::kSheetPageFirst, kSheetLast = stockmark::kSheetPageLast,
                  kFirst = stockmark::kLabelFirst, kLast = stockmark::kLabelLast,
                  kKept = stockmark::kKeptWithNext;

// Carton label pages: each a sheet page of two label rows (caption, number, origin) in the two
// label columns, with the gap row between them.
Stock CartonStock(int pages) {
    Stock s{LabelRows(pages), kLabelColumns, {}, {kFirst | kLast, 0, kFirst | kLast}};
    for (int p = 0; p < pages; ++p) {
        s.rowMarks.insert(s.rowMarks.end(), {kSheetFirst | kFirst, 0, kLast, 0, kFirst, 0,
                                             static_cast<uint8_t>(kLast | kSheetLast)});
    }
    return s;
}

// The overweight sheet: three rows of two pictures, each kept with the gap below it.
Stock OverweightStock() {
    const uint8_t picture = kFirst | kLast;
    return Stock{{310, 20, 310, 20, 310},
                 {331, 30, 331},
                 {static_cast<uint8_t>(picture | kKept), 0, static_cast<uint8_t>(picture | kKept),
                  0, picture},
                 {picture, 0, picture}};
}

// Fitted to the page on a surface of one device pixel to the tenth of a millimetre and to the
// grid pixel: a page `body` + 200 high (gaps 2 x 20, bands 60 + 60, margins 20 + 20) leaves a
// body of exactly `body`; the first-page offset shortens page 1 by its own size.
PageGeometry OnBody(const Stock& s, int32_t body, int32_t offset = 0, bool fit = true) {
    PageLayoutInput in;
    int32_t width = 80;
    for (int32_t c : s.columns) {
        width += c;
    }
    in.surface = PrinterSurface(254, 254, width, body + 200);
    in.pixelSize = 1;
    in.fitColumnsToPage = fit;
    in.firstPageOffset = {0, offset};
    return ComputePageGeometry(in, GridExtent{s.rows, s.columns, 0, 0, s.rowMarks, s.columnMarks});
}

}  // namespace

// Label stock: a printed page holds one sheet page, or a label row's labels whole; else there
// are no pages, and the layout says how many labels of a page fit.
TEST(StockPaginationTest, WholeSheetPagesOrNoPages) {
    struct Case {
        const char* name;
        Stock stock;
        int32_t body, offset;
        std::vector<int32_t> starts, ends;  // empty: refused
        LabelRoom labels;
    };
    const Case cases[] = {
        {"one_label_page_to_a_page", CartonStock(3), 1002, 0, {0, 7, 14}, {7, 14, 21}, {4, 4}},
        {"room_for_two_still_one", CartonStock(3), 2100, 0, {0, 7, 14}, {7, 14, 21}, {4, 4}},
        // The lower labels end at 1002; the upper pair at 466.
        {"upper_labels_only", CartonStock(3), 1001, 0, {}, {}, {2, 4}},
        {"no_label_whole", CartonStock(3), 465, 0, {}, {}, {0, 4}},
        // Later pages have room, page 1 less the offset has not.
        {"page_one_short", CartonStock(3), 1003, 2, {}, {}, {2, 4}},
        // Rows of pictures with their gaps (330), or alone when the gap does not fit after them.
        {"overweight_rows_with_gaps", OverweightStock(), 330, 0, {0, 2, 4}, {2, 4, 5}, {2, 2}},
        {"overweight_gaps_left_off", OverweightStock(), 320, 0, {0, 2, 4}, {1, 3, 5}, {2, 2}},
        {"overweight_one_page", OverweightStock(), 970, 0, {0}, {5}, {2, 2}},
        {"overweight_picture_too_tall", OverweightStock(), 309, 0, {}, {}, {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PageGeometry g = OnBody(c.stock, c.body, c.offset);
        EXPECT_EQ(g.printable, !c.starts.empty());
        EXPECT_EQ(g.rowBandStarts, c.starts);
        EXPECT_EQ(g.rowBandEnds, c.ends);
        EXPECT_EQ(g.totalPages, static_cast<int32_t>(c.starts.size()));
        EXPECT_EQ(g.labels, c.labels);
        for (int32_t page = 1; page <= g.totalPages; ++page) {
            const PagePlace p = LocatePage(g, page, static_cast<int32_t>(c.stock.rows.size()), 3);
            EXPECT_EQ(p.endRow, c.ends[page - 1]);
            EXPECT_FALSE(p.clipRows || p.clipColumns);
        }
    }
}

// Without fitting, a page narrower than the sheet would cut its right label column off: a page
// without its right labels is refused as well.
TEST(StockPaginationTest, LabelColumnsCutOffAreRefused) {
    const Stock stock = CartonStock(1);
    PageLayoutInput in = A4Input(300);
    in.surface.deviceHeight *= 2;  // paper long enough for the rows
    in.fitColumnsToPage = false;
    // W = (40 + 40 + 2032) / 3 = 704 less two margins of 47 px * 704 / 2400 = 14: a body 676
    // wide, short of the columns' 695.
    in.pixelSize = 3.0;
    const PageGeometry g = ComputePageGeometry(
        in, GridExtent{stock.rows, stock.columns, 0, 0, stock.rowMarks, stock.columnMarks});
    ASSERT_EQ(g.bodyWidth, 676);
    EXPECT_FALSE(g.printable);
    EXPECT_EQ(g.labels, (LabelRoom{2, 4}));
    // Unmarked, the same grid prints the columns that fit: 336 + 23, not the third.
    EXPECT_EQ(LocatePage(Layout(in, stock.rows), 1, 7, 3).endColumn, 2);
}

// Which rows and columns a page prints, and whether they are cut, is the paginator's answer
// alone: a row or column larger than the body prints alone and clipped.
TEST(PaginationTest, OversizedRowOrColumnIsClippedOnItsOwnPage) {
    PageLayoutInput in = A4Input(300);
    in.fitColumnsToPage = false;
    const PageGeometry body = Layout(in, {1}, {1});
    const int32_t b = body.fullBodyHeight, a = body.bodyWidth;
    // Each row and column starts one unit after the one before ends: one of b + 1 ends on the
    // body's last unit, one of b + 2 past it.
    const std::vector<int32_t> rows{400, b + 2, 400, b + 1};
    const PageGeometry g = Layout(in, rows, {a + 2, 100});
    ASSERT_EQ(g.totalPages, 4);
    const struct {
        int32_t first, end;
        bool clipped;
    } expected[] = {{0, 1, false}, {1, 2, true}, {2, 3, false}, {3, 4, false}};
    for (int32_t page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        const PagePlace p = LocatePage(g, page, 4, 2);
        EXPECT_EQ(p.firstRow, expected[page - 1].first);
        EXPECT_EQ(p.endRow, expected[page - 1].end);
        EXPECT_EQ(p.clipRows, expected[page - 1].clipped);
        EXPECT_EQ(p.endColumn, 1);  // the wide column alone, cut; the next one on no page
        EXPECT_TRUE(p.clipColumns);
    }
}

TEST(PaperGeometryTest, TenthsOfAMillimetreFromDeviceMeasures) {
    DeviceMeasures m;
    m.dpiX = m.dpiY = 600;
    m.physicalWidth = 4960;  // A4 at 600 dpi
    m.physicalHeight = 7016;
    m.physicalOffsetX = 100;
    m.physicalOffsetY = 100;
    m.horzRes = 4760;
    m.vertRes = 6816;
    const PaperGeometry g = PaperGeometryOf(m);
    EXPECT_EQ(g.paperWidth, 2098);   // 4960 / 600 * 10 / 0.0394 = 2098.1
    EXPECT_EQ(g.paperHeight, 2968);  // 2967.84, fraction over 0.5
    EXPECT_EQ(g.offsetLeft, 43);     // 42.30, fraction over 0.1
    EXPECT_EQ(g.offsetTop, 43);
    EXPECT_EQ(g.stripRight, 43);
    EXPECT_EQ(g.stripBottom, 43);
    EXPECT_EQ(g.printableWidth, 2098 - 43 - 43);
    EXPECT_EQ(g.printableHeight, 2968 - 43 - 43);
    EXPECT_EQ(DeviceToTenths(100, 0, 0.1), 0);
    EXPECT_EQ(DeviceToTenths(1, 600, 0.1), 1);  // 0.42: the fraction reaches 0.1
    EXPECT_EQ(DeviceToTenths(1, 600, 0.5), 0);  // but not 0.5
}
