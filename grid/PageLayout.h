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

struct PageLayoutInput {
    PageSurface surface;
    int32_t screenDpiX = 96, screenDpiY = 96;
    double pixelSize = 254.0 / 96.0;  // tenths of a millimetre per grid pixel
    std::array<int32_t, 7> layout{40, 40, 20, 20, 60, 60, 20};
    bool fitColumnsToPage = true;
    bool splitColumnsAcrossPages = false;
    IntPair firstPageOffset;  // device pixels
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
    // First row of each row band (pagesDown entries) and first column of each column part
    // (pagesAcross entries), with the width of that part's columns.
    std::vector<int32_t> rowBandStarts;
    std::vector<int32_t> columnPartStarts;
    std::vector<int32_t> columnPartWidths;
    // False when the margins leave no body to print into: there are then no pages at all.
    bool printable = false;

    bool HasOffset() const { return offset.x != 0 || offset.y != 0; }
};

// The grid measures the layout needs.
struct GridExtent {
    std::span<const int32_t> rowHeights;    // every row, fixed ones first
    std::span<const int32_t> columnWidths;  // every column, fixed ones first
    int32_t fixedRows = 0, fixedColumns = 0;
    std::span<const uint8_t> keptWithNext;  // per row: on the page of the row after it
};

PageGeometry ComputePageGeometry(const PageLayoutInput& in, const GridExtent& grid);

// Where page p (from 1) lies in the grid.
struct PagePlace {
    int32_t band = 0, part = 0;              // v and h, from 1
    int32_t firstRow = 0, endRow = 0;        // rows [firstRow, endRow)
    int32_t firstColumn = 0, endColumn = 0;  // columns [firstColumn, endColumn)
    int32_t partWidth = 0;                   // width of this part's columns
    int32_t bodyHeight = 0;                  // B for this page
    bool firstPage = false;
};

// Out-of-range pages give an empty place (firstRow == endRow == row count).
PagePlace LocatePage(const PageGeometry& g, int32_t page, int32_t rowCount, int32_t columnCount);

// The greedy walk that splits sizes into runs of at most `limit` (first run `firstLimit`).
// A size larger than its run's limit gets a run of its own rather than being skipped. A size
// whose `keptWithNext` flag is set stays in the run of the size after it: such a block that does
// not fit what is left of a run starts the next run, and is split size by size only when it is
// larger than a whole run. Returns the index (offset by `base`) each run starts at; at least one.
std::vector<int32_t> GreedyBreaks(std::span<const int32_t> sizes,
                                  std::span<const uint8_t> keptWithNext, int32_t base,
                                  int32_t firstLimit, int32_t limit);

}  // namespace vantric
