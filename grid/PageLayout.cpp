#include "grid/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace vantric {

int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) {
        return -1;
    }
    const int64_t n = a * b;
    const bool negative = (n < 0) != (c < 0);
    const int64_t an = n < 0 ? -n : n;
    const int64_t ac = c < 0 ? -c : c;
    const int64_t q = (an + ac / 2) / ac;
    const int64_t r = negative ? -q : q;
    return static_cast<int32_t>(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

PageSurface PrinterSurface(int32_t dpiX, int32_t dpiY, int32_t horzRes, int32_t vertRes) {
    PageSurface s;
    s.deviceWidth = horzRes;
    s.deviceHeight = vertRes;
    s.logPixelsX = dpiX;
    s.logPixelsY = dpiY;
    return s;
}

PageSurface PrinterSurface(const DeviceMeasures& m) {
    PageSurface s = PrinterSurface(m.dpiX, m.dpiY, m.horzRes, m.vertRes);
    s.monochrome = m.monochrome;
    return s;
}

std::vector<int32_t> GreedyBreaks(std::span<const int32_t> sizes,
                                  std::span<const uint8_t> keptWithNext, int32_t base,
                                  int32_t firstLimit, int32_t limit) {
    std::vector<int32_t> starts{base};
    int64_t sum = 0;
    int64_t cap = firstLimit;
    auto breakBefore = [&](size_t i) {
        starts.push_back(base + static_cast<int32_t>(i));
        sum = 0;
        cap = limit;
    };
    for (size_t i = 0; i < sizes.size();) {
        size_t end = i + 1;
        int64_t block = std::max(0, sizes[i]);
        for (; end < sizes.size() && end - 1 < keptWithNext.size() && keptWithNext[end - 1] != 0;
             ++end) {
            block += std::max(0, sizes[end]);
        }
        if (sum > 0 && sum + block > cap) {
            breakBefore(i);
        }
        // An empty run keeps whatever size comes, so an oversized one is printed alone (clipped)
        // instead of being given a page that then stays empty.
        if (end == i + 1 || block <= cap) {
            sum += block;
            i = end;
            continue;
        }
        // A block taller than a whole page: broken where its sizes break, as unkept sizes are.
        for (; i < end; ++i) {
            const int64_t size = std::max(0, sizes[i]);
            if (sum > 0 && sum + size > cap) {
                breakBefore(i);
            }
            sum += size;
        }
    }
    return starts;
}

namespace {

int64_t Sum(std::span<const int32_t> v) {
    int64_t s = 0;
    for (int32_t x : v) {
        s += x;
    }
    return s;
}

constexpr int32_t kTenthsPerInch = 254;

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

PageGeometry ComputePageGeometry(const PageLayoutInput& in, const GridExtent& grid) {
    PageGeometry g;
    const PageSurface& s = in.surface;
    const auto& lv = in.layout;

    const int32_t fixedRows = std::clamp<int32_t>(grid.fixedRows, 0, grid.rowHeights.size());
    const int32_t fixedCols = std::clamp<int32_t>(grid.fixedColumns, 0, grid.columnWidths.size());
    g.fixedRowsHeight = Clamp32(Sum(grid.rowHeights.first(fixedRows)));
    g.fixedColumnsWidth = Clamp32(Sum(grid.columnWidths.first(fixedCols)));

    // The layout values as four points, through the metric mapping into device pixels: the first
    // member of each pair scales horizontally, the second vertically.
    auto toDeviceX = [&](int32_t v) { return MulDiv(v, s.logPixelsX, kTenthsPerInch); };
    auto toDeviceY = [&](int32_t v) { return MulDiv(v, s.logPixelsY, kTenthsPerInch); };
    const std::array<int32_t, 7> device{toDeviceX(lv[lay::kLeft]),   toDeviceY(lv[lay::kRight]),
                                        toDeviceX(lv[lay::kTop]),    toDeviceY(lv[lay::kBottom]),
                                        toDeviceX(lv[lay::kHeader]), toDeviceY(lv[lay::kFooter]),
                                        toDeviceX(lv[lay::kGap])};

    g.paperWidth = s.deviceWidth;
    g.paperHeight = s.deviceHeight;
    g.paperTenthsWidth = MulDiv(s.deviceWidth, kTenthsPerInch, s.logPixelsX);
    g.paperTenthsHeight = MulDiv(s.deviceHeight, kTenthsPerInch, s.logPixelsY);

    if (in.splitColumnsAcrossPages) {
        if (s.logPixelsX > 0 && s.logPixelsY > 0) {
            g.pageWidth = Clamp32(int64_t{in.screenDpiX} * s.deviceWidth / s.logPixelsX * 3 / 4);
            g.pageHeight = Clamp32(int64_t{in.screenDpiY} * s.deviceHeight / s.logPixelsY * 3 / 4);
        }
    } else {
        if (in.fitColumnsToPage) {
            g.pageWidth = Clamp32(Sum(grid.columnWidths) + lv[lay::kLeft] + lv[lay::kRight]);
        } else if (in.pixelSize > 0) {
            g.pageWidth = Clamp32(static_cast<int64_t>(
                (int64_t{lv[lay::kLeft]} + lv[lay::kRight] + g.paperTenthsWidth) / in.pixelSize));
        }
        g.pageHeight = g.paperWidth > 0 ? MulDiv(g.pageWidth, g.paperHeight, g.paperWidth) : 0;
    }
    if (g.pageWidth <= 0 || g.pageHeight <= 0 || g.paperWidth <= 0 || g.paperHeight <= 0) {
        return g;  // nothing maps onto this surface
    }
    // Only margins of absurd size (the page width takes them in) make a page this large; the
    // page drawing adds several such extents up in 32 bits.
    constexpr int32_t kMaxPageExtent = 1 << 26;
    if (g.pageWidth > kMaxPageExtent || g.pageHeight > kMaxPageExtent) {
        return g;
    }

    // Back from device pixels into the page's logical units.
    auto toLogicalX = [&](int32_t d) { return MulDiv(d, g.pageWidth, g.paperWidth); };
    auto toLogicalY = [&](int32_t d) { return MulDiv(d, g.pageHeight, g.paperHeight); };
    for (int i = 0; i < 7; ++i) {
        const bool vertical = i == lay::kRight || i == lay::kBottom || i == lay::kFooter;
        g.margins[i] = vertical ? toLogicalY(device[i]) : toLogicalX(device[i]);
    }
    const auto& m = g.margins;
    // A margin wider or taller than the page itself leaves nothing of the table on the paper,
    // and sums of such values (a settings file may hold any 32-bit number) would overflow the
    // page arithmetic below and in the page drawing.
    for (int i = 0; i < 7; ++i) {
        const bool across = i == lay::kLeft || i == lay::kRight;
        if (std::abs(int64_t{m[i]}) > (across ? g.pageWidth : g.pageHeight)) {
            return g;
        }
    }
    g.fullBodyHeight =
        Clamp32(int64_t{g.pageHeight} - 2 * int64_t{m[lay::kGap]} - m[lay::kFooter] -
                m[lay::kHeader] - m[lay::kBottom] - m[lay::kTop] - g.fixedRowsHeight);
    g.offset = {toLogicalX(in.firstPageOffset.x), toLogicalY(in.firstPageOffset.y)};
    g.firstBodyHeight = Clamp32(int64_t{g.fullBodyHeight} - (g.HasOffset() ? g.offset.y : 0));
    g.bodyWidth =
        Clamp32(int64_t{g.pageWidth} - g.fixedColumnsWidth - m[lay::kLeft] - m[lay::kRight]);
    // Fitting promises every column on the page. When the grid is wider than the paper in
    // tenths, the margins come out larger in page units than the room W set aside for them and
    // would push the last column off; the right margin gives way instead.
    if (in.fitColumnsToPage && !in.splitColumnsAcrossPages) {
        const int64_t bodyColumns = Sum(grid.columnWidths.subspan(fixedCols));
        g.bodyWidth = Clamp32(std::max<int64_t>(g.bodyWidth, bodyColumns));
    }

    // Margins that leave no room would give a page per row and print nothing on any of them.
    if (g.fullBodyHeight <= 0 || g.firstBodyHeight <= 0 || g.bodyWidth <= 0) {
        return g;
    }
    g.printable = true;

    const auto kept = grid.keptWithNext.size() > static_cast<size_t>(fixedRows)
                          ? grid.keptWithNext.subspan(fixedRows)
                          : std::span<const uint8_t>();
    g.rowBandStarts = GreedyBreaks(grid.rowHeights.subspan(fixedRows), kept, fixedRows,
                                   g.firstBodyHeight, g.fullBodyHeight);
    g.pagesDown = static_cast<int32_t>(g.rowBandStarts.size());

    const auto bodyColumns = grid.columnWidths.subspan(fixedCols);
    if (in.splitColumnsAcrossPages) {
        g.columnPartStarts = GreedyBreaks(bodyColumns, {}, fixedCols, g.bodyWidth, g.bodyWidth);
    } else {
        g.columnPartStarts = {fixedCols};
    }
    g.pagesAcross = static_cast<int32_t>(g.columnPartStarts.size());
    const int32_t columnCount = static_cast<int32_t>(grid.columnWidths.size());
    for (int32_t p = 0; p < g.pagesAcross; ++p) {
        const int32_t first = g.columnPartStarts[p];
        const int32_t end = p + 1 < g.pagesAcross ? g.columnPartStarts[p + 1] : columnCount;
        g.columnPartWidths.push_back(
            Clamp32(Sum(grid.columnWidths.subspan(first, std::max(0, end - first)))));
    }
    g.totalPages = Clamp32(int64_t{g.pagesDown} * g.pagesAcross);
    return g;
}

PagePlace LocatePage(const PageGeometry& g, int32_t page, int32_t rowCount, int32_t columnCount) {
    PagePlace p;
    p.firstRow = p.endRow = rowCount;
    p.firstColumn = p.endColumn = columnCount;
    if (!g.printable || page < 1 || page > g.totalPages || g.pagesAcross <= 0) {
        return p;
    }
    const int32_t across = g.pagesAcross;
    p.part = (page - 1) % across + 1;
    p.band = (page - 1) / across + 1;
    p.firstPage = page == 1;
    p.firstRow = g.rowBandStarts[p.band - 1];
    p.endRow = p.band < g.pagesDown ? g.rowBandStarts[p.band] : rowCount;
    p.firstColumn = g.columnPartStarts[p.part - 1];
    p.endColumn = p.part < across ? g.columnPartStarts[p.part] : columnCount;
    p.partWidth = g.columnPartWidths[p.part - 1];
    // Only page 1 is moved down by the offset; the rest of its row band fits the full body.
    p.bodyHeight = p.firstPage ? g.firstBodyHeight : g.fullBodyHeight;
    return p;
}

}  // namespace vantric
