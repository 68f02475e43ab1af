// Page arithmetic of a printed grid, over plain values.
//
// A page is mapped like this: the printable area of the device (HORZRES x VERTRES device pixels)
// shows a logical page of W x H units, one unit being one grid pixel scaled onto the paper. The
// seven layout values (tenths of a millimetre) go through the device into logical units; what the
// margins, bands and fixed rows leave is the body height B, into which the rows are paginated.
//
// Everything is integer arithmetic with the rounding the device mapping has (half away from
// zero), so that the same inputs give the same pages on every machine. Page breaks are computed
// once per layout, so any page's rows are found directly.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "grid/model/CGridCtrl.h"
#include "platform/Printer.h"

namespace vantric {

// a * b / c rounded half away from zero in 64 bits; -1 when c is 0 (as the device mapping
// answers a division it cannot make).
int32_t MulDiv(int64_t a, int64_t b, int64_t c);

// The printer page the grid is laid out on, in the printer's device pixels. A preview lays its
// pages out on the printer that will print them and only scales the drawing.
struct PageSurface {
    int32_t deviceWidth = 0, deviceHeight = 0;  // printable area: HORZRES, VERTRES
    int32_t logPixelsX = 0, logPixelsY = 0;     // LOGPIXELSX, LOGPIXELSY
    bool monochrome = false;
    bool operator==(const PageSurface&) const = default;
};

// A printer page of the given resolution and printable size.
PageSurface PrinterSurface(int32_t dpiX, int32_t dpiY, int32_t horzRes, int32_t vertRes);
PageSurface PrinterSurface(const DeviceMeasures& measures);

// Indexes into the converted layout values.
namespace lay {
constexpr int kLeft = 0, kRight = 1, kTop = 2, kBottom = 3, kHeader = 4, kFooter = 5, kGap = 6;
}

// Everything a page layout depends on besides the grid's rows and columns. Gathered from a grid
// by LayoutInputOf only, so that what prints and what a kept preview layout is checked against
// never differ.
struct PageLayoutInput {
    PageSurface surface;
    int32_t screenDpiX = 96, screenDpiY = 96;
    double pixelSize = kDefaultPixelSize;  // tenths of a millimetre per grid pixel
    std::array<int32_t, 7> layout = kDefaultPrintLayout;
    bool fitColumnsToPage = true;
    bool splitColumnsAcrossPages = false;
    IntPair firstPageOffset;  // device pixels
    bool operator==(const PageLayoutInput&) const = default;
};

// The layout input of `grid` on `surface`, shown on a screen of the given resolution.
PageLayoutInput LayoutInputOf(const CGridCtrl& grid, const PageSurface& surface, int32_t screenDpiX,
                              int32_t screenDpiY);

// What a layout that cannot print its labels whole had room for: `fit` of the `needed` labels a
// printed page must hold whole (a sheet page's, or one row of labels where the sheet has no
// sheet pages). `needed` is 0 for a grid without labels.
struct LabelRoom {
    int32_t fit = 0;
    int32_t needed = 0;
    bool operator==(const LabelRoom&) const = default;
};

struct PageGeometry {
    int32_t paperWidth = 0, paperHeight = 0;  // viewport extent, device pixels
    int32_t paperTenthsWidth = 0, paperTenthsHeight = 0;
    int32_t pageWidth = 0, pageHeight = 0;  // W, H: window extent, logical units
    std::array<int32_t, 7> margins{};       // layout values in logical units (lay:: order)
    int32_t fullBodyHeight = 0;             // B
    int32_t firstBodyHeight = 0;            // B on page 1 (less the first-page offset)
    int32_t bodyWidth = 0;                  // A
    IntPair offset;                         // first-page offset, logical units
    int32_t fixedRowsHeight = 0, fixedColumnsWidth = 0;
    int32_t pagesDown = 0, pagesAcross = 0, totalPages = 0;
    // The rows [start, end) of each row band with their height (pagesDown entries), and the
    // columns of each column part with their width (pagesAcross entries). Rows between one
    // band's end and the next band's start print on no page (blank rows of label stock that
    // found no room after the labels above them).
    std::vector<int32_t> rowBandStarts, rowBandEnds, rowBandHeights;
    std::vector<int32_t> columnPartStarts, columnPartEnds, columnPartWidths;
    // False when nothing can be printed: the margins leave no body, or the labels of a page do
    // not fit it whole (then `labels` says how many do). There are then no pages at all.
    bool printable = false;
    LabelRoom labels;

    bool HasOffset() const { return offset.x != 0 || offset.y != 0; }
};

// The grid measures the layout needs.
struct GridExtent {
    std::span<const int32_t> rowHeights;    // every row, fixed ones first
    std::span<const int32_t> columnWidths;  // every column, fixed ones first
    int32_t fixedRows = 0, fixedColumns = 0;
    std::span<const uint8_t> rowMarks;     // stockmark bits per row (may be empty)
    std::span<const uint8_t> columnMarks;  // stockmark bits per column (may be empty)
};

// Pages of a grid. Without stock marks, rows are paginated greedily (kept rows together) and a
// row or column larger than the body prints alone, clipped. A grid marked as label stock prints
// each sheet page on a printed page of its own and every label whole; when the body has no room
// for that, the layout is not printable. Such a grid never gets a page without a label.
PageGeometry ComputePageGeometry(const PageLayoutInput& in, const GridExtent& grid);

// Where page p (from 1) lies in the grid: exactly the rows and columns it prints.
struct PagePlace {
    int32_t band = 0, part = 0;              // v and h, from 1
    int32_t firstRow = 0, endRow = 0;        // rows [firstRow, endRow)
    int32_t firstColumn = 0, endColumn = 0;  // columns [firstColumn, endColumn)
    int32_t partWidth = 0;                   // width of this part's columns
    int32_t bodyHeight = 0;                  // B for this page
    bool firstPage = false;
    // A row or column larger than the body, printed alone and cut at the body's edge.
    bool clipRows = false, clipColumns = false;
};

// Out-of-range pages give an empty place (firstRow == endRow == row count).
PagePlace LocatePage(const PageGeometry& g, int32_t page, int32_t rowCount, int32_t columnCount);

// The greedy walk that splits sizes into runs of at most `limit` (first run `firstLimit`).
// A size larger than its run's limit gets a run of its own rather than being skipped. A size
// whose flags carry stockmark::kKeptWithNext stays in the run of the size after it: such a
// block that does not fit what is left of a run starts the next run, and is split size by size
// only when it is larger than a whole run. Returns the index (offset by `base`) each run starts
// at; at least one.
std::vector<int32_t> GreedyBreaks(std::span<const int32_t> sizes,
                                  std::span<const uint8_t> keptWithNext, int32_t base,
                                  int32_t firstLimit, int32_t limit);

}  // namespace vantric
