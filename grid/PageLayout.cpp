#include "grid/PageLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

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
        for (; end < sizes.size() && end - 1 < keptWithNext.size() &&
               (keptWithNext[end - 1] & stockmark::kKeptWithNext) != 0;
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

uint8_t MarkAt(std::span<const uint8_t> marks, size_t i) {
    return i < marks.size() ? marks[i] : 0;
}

// One past the last of the run of marks from i that ends at a mark carrying `lastBit` (the end
// of `count` when none does).
size_t RunEnd(std::span<const uint8_t> marks, size_t i, size_t count, uint8_t lastBit) {
    while (i < count && (MarkAt(marks, i) & lastBit) == 0) {
        ++i;
    }
    return std::min(count, i + 1);
}

// The labels' column spans [first, end) among `count` columns.
std::vector<std::pair<size_t, size_t>> LabelSpans(std::span<const uint8_t> marks, size_t count) {
    std::vector<std::pair<size_t, size_t>> spans;
    for (size_t c = 0; c < count; ++c) {
        if ((MarkAt(marks, c) & stockmark::kLabelFirst) != 0) {
            const size_t end = RunEnd(marks, c, count, stockmark::kLabelLast);
            spans.emplace_back(c, end);
            c = end - 1;
        }
    }
    return spans;
}

// Label stock's rows on pages. Counted in label rows (rows that make up labels side by side):
// a printed page needs `needed` of them whole, and found room for `fit`.
struct StockRows {
    std::vector<int32_t> starts, ends, heights;
    bool whole = true;
    int32_t fit = 0, needed = 0;
};

// The label rows of the first sheet page, or 1 when the sheet has no sheet pages: what a
// printed page must hold whole.
int32_t LabelRowsAPageNeeds(std::span<const uint8_t> marks, size_t count) {
    for (size_t r = 0; r < count; ++r) {
        if ((MarkAt(marks, r) & stockmark::kSheetPageFirst) != 0) {
            const size_t end = RunEnd(marks, r, count, stockmark::kSheetPageLast);
            int32_t rows = 0;
            for (size_t k = r; k < end; ++k) {
                rows += (MarkAt(marks, k) & stockmark::kLabelFirst) != 0 ? 1 : 0;
            }
            return rows;
        }
    }
    return 1;
}

// Each sheet page on a page of its own; other rows greedily as GreedyBreaks does, a label's
// rows kept together. A label or sheet page larger than its page ends the walk short. Rows
// without a label never start a page: one that does not fit after the labels above it ends
// that page and prints on none, and a page that would hold no label is not made.
StockRows StockRowPages(std::span<const int32_t> sizes, std::span<const uint8_t> marks,
                        int32_t base, int32_t firstLimit, int32_t limit) {
    constexpr size_t kNone = SIZE_MAX;
    const size_t n = sizes.size();
    auto size = [&](size_t i) { return int64_t{std::max(0, sizes[i])}; };
    auto mark = [&](size_t i) { return MarkAt(marks, i); };
    StockRows out;
    int64_t cap = firstLimit;
    int64_t sum = 0;
    size_t open = kNone;
    bool openHasLabel = false;
    auto close = [&](size_t end) {
        if (open != kNone && openHasLabel) {
            out.starts.push_back(base + static_cast<int32_t>(open));
            out.ends.push_back(base + static_cast<int32_t>(end));
            out.heights.push_back(Clamp32(sum));
            cap = limit;  // a page left unmade leaves page 1's limit to the next
        }
        open = kNone;
        sum = 0;
        openHasLabel = false;
    };
    auto place = [&](size_t i, int64_t height, bool label) {
        open = open == kNone ? i : open;
        sum += height;
        openHasLabel = openHasLabel || label;
    };
    auto shortBy = [&](int32_t fit, int32_t needed) {
        out.whole = false;
        out.fit = fit;
        out.needed = needed;
        return out;
    };

    struct Atom {
        size_t first, end;
        int64_t height;
        bool label;
    };
    std::vector<Atom> atoms;
    for (size_t i = 0; i < n;) {
        if ((mark(i) & stockmark::kSheetPageFirst) != 0) {
            const size_t end = RunEnd(marks, i, n, stockmark::kSheetPageLast);
            close(i);
            int64_t y = 0;
            int32_t rows = 0, fit = 0;
            for (size_t k = i; k < end;) {
                const size_t e = (mark(k) & stockmark::kLabelFirst) != 0
                                     ? std::min(end, RunEnd(marks, k, n, stockmark::kLabelLast))
                                     : k + 1;
                const bool label = (mark(k) & stockmark::kLabelFirst) != 0;
                for (; k < e; ++k) {
                    y += size(k);
                }
                rows += label ? 1 : 0;
                fit += label && y <= cap ? 1 : 0;
            }
            if (y > cap) {
                return shortBy(fit, rows);
            }
            place(i, y, rows > 0);
            close(end);
            i = end;
            continue;
        }
        // A block: labels and single rows chained by the keep flag, up to a sheet page.
        atoms.clear();
        int64_t block = 0;
        bool hasLabel = false;
        size_t j = i;
        do {
            Atom a{j, j + 1, 0, (mark(j) & stockmark::kLabelFirst) != 0};
            if (a.label) {
                a.end = RunEnd(marks, j, n, stockmark::kLabelLast);
            }
            for (size_t k = a.first; k < a.end; ++k) {
                a.height += size(k);
            }
            block += a.height;
            hasLabel = hasLabel || a.label;
            atoms.push_back(a);
            j = a.end;
        } while (j < n && (mark(j - 1) & stockmark::kKeptWithNext) != 0 &&
                 (mark(j) & stockmark::kSheetPageFirst) == 0);

        if (!hasLabel) {
            if (open != kNone && sum + block > cap) {
                close(i);  // blank rows that find no room below the labels are left off
            } else if (block <= cap) {
                place(i, block, false);
            }
            i = j;
            continue;
        }
        if (open != kNone && sum + block > cap) {
            close(i);
        }
        if (block <= cap) {
            place(i, block, true);
            i = j;
            continue;
        }
        // Larger than a page: broken between its labels and rows.
        for (const Atom& a : atoms) {
            if (open != kNone && sum + a.height > cap) {
                close(a.first);
                if (!a.label) {
                    continue;
                }
            }
            if (a.height > cap) {
                if (a.label) {
                    return shortBy(0, 1);
                }
                continue;
            }
            place(a.first, a.height, a.label);
        }
        i = j;
    }
    close(n);
    return out;
}

// The columns of each part: as GreedyBreaks splits them when they are split across pages (a
// label's columns kept together), otherwise the columns from the first that reach no further
// than one unit past the body width, or the first alone when even it does not.
void ColumnParts(PageGeometry& g, std::span<const int32_t> widths, std::span<const uint8_t> marks,
                 int32_t base, bool split) {
    const auto count = static_cast<int32_t>(widths.size());
    if (split) {
        std::vector<uint8_t> kept(widths.size(), 0);
        for (const auto& [first, end] : LabelSpans(marks, widths.size())) {
            for (size_t c = first; c + 1 < end; ++c) {
                kept[c] = stockmark::kKeptWithNext;
            }
        }
        g.columnPartStarts = GreedyBreaks(widths, kept, base, g.bodyWidth, g.bodyWidth);
        for (size_t p = 1; p < g.columnPartStarts.size(); ++p) {
            g.columnPartEnds.push_back(g.columnPartStarts[p]);
        }
        g.columnPartEnds.push_back(base + count);
    } else {
        int64_t right = 0;
        int32_t end = 0;
        while (end < count && (end == 0 || right + widths[end] - 1 <= g.bodyWidth)) {
            right += widths[end++];
        }
        g.columnPartStarts = {base};
        g.columnPartEnds = {base + end};
    }
    for (size_t p = 0; p < g.columnPartStarts.size(); ++p) {
        int64_t w = 0;
        for (int32_t c = g.columnPartStarts[p]; c < g.columnPartEnds[p]; ++c) {
            w += widths[c - base];
        }
        g.columnPartWidths.push_back(Clamp32(w));
    }
}

// Of the label column spans, those that lie whole in one part (in the first part only when the
// grid has sheet pages, which print on one page each).
int32_t LabelColumnsThatFit(const PageGeometry& g, std::span<const uint8_t> marks, size_t count,
                            int32_t base, bool sheetPages) {
    int32_t fit = 0;
    for (const auto& [first, end] : LabelSpans(marks, count)) {
        const auto f = static_cast<int32_t>(first) + base;
        const auto e = static_cast<int32_t>(end) + base;
        const size_t parts = sheetPages ? 1 : g.columnPartStarts.size();
        for (size_t p = 0; p < parts; ++p) {
            fit += f >= g.columnPartStarts[p] && e <= g.columnPartEnds[p] ? 1 : 0;
        }
    }
    return fit;
}

}  // namespace

PageLayoutInput LayoutInputOf(const CGridCtrl& grid, const PageSurface& surface, int32_t screenDpiX,
                              int32_t screenDpiY) {
    const PrintSettings& ps = grid.Print();
    PageLayoutInput in;
    in.surface = surface;
    in.screenDpiX = screenDpiX;
    in.screenDpiY = screenDpiY;
    in.pixelSize = grid.PixelSize();
    in.layout = ps.layout;
    in.fitColumnsToPage = ps.fitColumnsToPage;
    in.splitColumnsAcrossPages = ps.splitColumnsAcrossPages;
    in.firstPageOffset = ps.firstPageOffset;
    return in;
}

PageGeometry ComputePageGeometry(const PageLayoutInput& in, const GridExtent& grid) {
    PageGeometry g;
    const PageSurface& s = in.surface;
    const auto& lv = in.layout;

    const int32_t fixedRows = std::clamp<int32_t>(grid.fixedRows, 0, grid.rowHeights.size());
    const int32_t fixedCols = std::clamp<int32_t>(grid.fixedColumns, 0, grid.columnWidths.size());
    g.fixedRowsHeight = Clamp32(Sum(grid.rowHeights.first(fixedRows)));
    g.fixedColumnsWidth = Clamp32(Sum(grid.columnWidths.first(fixedCols)));

    // Label stock: the marks of the rows and columns below and right of the fixed ones.
    const auto bodyRows = grid.rowHeights.subspan(fixedRows);
    const auto bodyColumns = grid.columnWidths.subspan(fixedCols);
    auto after = [](std::span<const uint8_t> marks, int32_t fixed) {
        return marks.size() > static_cast<size_t>(fixed) ? marks.subspan(fixed)
                                                         : std::span<const uint8_t>();
    };
    const auto rowMarks = after(grid.rowMarks, fixedRows);
    const auto columnMarks = after(grid.columnMarks, fixedCols);
    bool labelStock = false, sheetPages = false;
    for (size_t r = 0; r < bodyRows.size(); ++r) {
        const uint8_t m = MarkAt(rowMarks, r);
        labelStock = labelStock || (m & (stockmark::kLabelFirst | stockmark::kSheetPageFirst)) != 0;
        sheetPages = sheetPages || (m & stockmark::kSheetPageFirst) != 0;
    }
    const auto labelColumns =
        static_cast<int32_t>(LabelSpans(columnMarks, bodyColumns.size()).size());
    const int32_t labelsAcross = std::max(1, labelColumns);
    // What a page needs, until the layout shows how many of them fit.
    if (labelStock) {
        g.labels.needed = LabelRowsAPageNeeds(rowMarks, bodyRows.size()) * labelsAcross;
    }

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
        g.bodyWidth = Clamp32(std::max<int64_t>(g.bodyWidth, Sum(bodyColumns)));
    }

    // Margins that leave no room would give a page per row and print nothing on any of them.
    if (g.fullBodyHeight <= 0 || g.firstBodyHeight <= 0 || g.bodyWidth <= 0) {
        return g;
    }

    ColumnParts(g, bodyColumns, columnMarks, fixedCols, in.splitColumnsAcrossPages);
    g.pagesAcross = static_cast<int32_t>(g.columnPartStarts.size());
    const int32_t acrossFit =
        labelColumns == 0
            ? 1
            : LabelColumnsThatFit(g, columnMarks, bodyColumns.size(), fixedCols, sheetPages);

    if (labelStock) {
        StockRows rows =
            StockRowPages(bodyRows, rowMarks, fixedRows, g.firstBodyHeight, g.fullBodyHeight);
        const int32_t rowsNeeded = rows.whole ? g.labels.needed / labelsAcross : rows.needed;
        const int32_t rowsFit = rows.whole ? rowsNeeded : rows.fit;
        // A sheet page prints on one page, so its labels must all lie on the first part.
        const bool acrossWhole = acrossFit == labelColumns || labelColumns == 0;
        if (!rows.whole || !acrossWhole || (sheetPages && g.pagesAcross > 1) ||
            rows.starts.empty()) {
            g.labels = LabelRoom{rowsFit * acrossFit, rowsNeeded * labelsAcross};
            g.pagesAcross = 0;
            g.columnPartStarts.clear();
            g.columnPartEnds.clear();
            g.columnPartWidths.clear();
            return g;
        }
        g.rowBandStarts = std::move(rows.starts);
        g.rowBandEnds = std::move(rows.ends);
        g.rowBandHeights = std::move(rows.heights);
    } else {
        g.rowBandStarts =
            GreedyBreaks(bodyRows, rowMarks, fixedRows, g.firstBodyHeight, g.fullBodyHeight);
        const auto rowCount = static_cast<int32_t>(grid.rowHeights.size());
        for (size_t b = 0; b < g.rowBandStarts.size(); ++b) {
            const int32_t first = g.rowBandStarts[b];
            const int32_t end = b + 1 < g.rowBandStarts.size() ? g.rowBandStarts[b + 1] : rowCount;
            g.rowBandEnds.push_back(end);
            g.rowBandHeights.push_back(
                Clamp32(Sum(grid.rowHeights.subspan(first, std::max(0, end - first)))));
        }
    }
    g.printable = true;
    g.labels = LabelRoom{g.labels.needed, g.labels.needed};
    g.pagesDown = static_cast<int32_t>(g.rowBandStarts.size());
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
    p.endRow = std::min(g.rowBandEnds[p.band - 1], rowCount);
    p.firstColumn = g.columnPartStarts[p.part - 1];
    p.endColumn = std::min(g.columnPartEnds[p.part - 1], columnCount);
    p.partWidth = g.columnPartWidths[p.part - 1];
    // Only page 1 is moved down by the offset; the rest of its row band fits the full body.
    p.bodyHeight = p.firstPage ? g.firstBodyHeight : g.fullBodyHeight;
    // Only a row or column alone on its page can reach past the body: each starts one unit
    // after the one before ends, so a page's last one ends one unit short of their total.
    p.clipRows = int64_t{g.rowBandHeights[p.band - 1]} - 1 > p.bodyHeight;
    p.clipColumns = int64_t{p.partWidth} - 1 > g.bodyWidth;
    return p;
}

}  // namespace vantric
