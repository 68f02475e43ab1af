#include "grid/CGridPrinter.h"

#include <QDate>
#include <QPainter>

namespace vantric {

namespace {

uint32_t AlignmentFlag(int32_t position, uint32_t otherwise) {
    switch (position) {
        case 1:
            return dt::kLeft;
        case 2:
            return dt::kCenter;
        case 3:
            return dt::kRight;
        default:
            return otherwise;
    }
}

}  // namespace

QString PageNumberText(int32_t page, int32_t total) {
    return QString::asprintf("第 %d 页 / 共 %d 页", page, total);
}

QString FooterDateText(const QDate& date) {
    return QString::asprintf("%d-%d-%d", date.year(), date.month(), date.day());
}

CGridPrinter::CGridPrinter(CGridCtrl& grid) : grid_(grid) {
    printFont_.faceName = QStringLiteral("Arial");
    printFont_.height = -10;
    printFont_.weight = 400;
}

CGridPrinter::~CGridPrinter() = default;

void CGridPrinter::SetScreenDpi(int32_t x, int32_t y) {
    screenDpiX_ = x > 0 ? x : 96;
    screenDpiY_ = y > 0 ? y : 96;
}

void CGridPrinter::SetPageRect(QRect rect) {
    pageRect_ = rect;
}

void CGridPrinter::SetWindowOrigin(QPainter& dc, int32_t x, int32_t y) {
    dc.setWindow(x, y, geometry_.pageWidth, geometry_.pageHeight);
}

void CGridPrinter::BeginPrintLayout(QPainter&, const PageSurface& surface, PrintJobInfo& info) {
    preview_ = info.preview;
    surface_ = surface;
    const int32_t rows = grid_.RowCount();
    const int32_t columns = grid_.ColumnCount();
    rowHeights_.resize(rows);
    rowMarks_.resize(rows);
    for (int32_t r = 0; r < rows; ++r) {
        rowHeights_[r] = grid_.RowHeight(r);
        rowMarks_[r] = grid_.RowMarks(r);
    }
    columnWidths_.resize(columns);
    columnMarks_.resize(columns);
    for (int32_t c = 0; c < columns; ++c) {
        columnWidths_[c] = grid_.ColumnWidth(c);
        columnMarks_[c] = grid_.ColumnMarks(c);
    }

    const PrintSettings& ps = grid_.Print();
    geometry_ = ComputePageGeometry(LayoutInputOf(grid_, surface, screenDpiX_, screenDpiY_),
                                    GridExtent{rowHeights_, columnWidths_, grid_.FixedRowCount(),
                                               grid_.FixedColumnCount(), rowMarks_, columnMarks_});

    fonts_ = FontCache(true);
    cellContext_ = CellPaintContext{};
    cellContext_.grid = &grid_;
    cellContext_.colours = ResolvedColours(grid_);
    cellContext_.fonts = &fonts_;
    // A preview draws on the screen, whose resolution decides the cell margin there.
    cellContext_.logPixelsX = preview_ ? screenDpiX_ : surface.logPixelsX;
    cellContext_.pixelSize = grid_.PixelSize();
    cellContext_.preview = preview_;
    cellContext_.monochrome = surface.monochrome;
    cellContext_.lineWidth = ps.printLineWidth;

    info.maxPage = geometry_.totalPages;
    info.currentPage = 1;
    grid_.SetLastPageCount(geometry_.totalPages);
    lastRowPrinted_ = 0;
    laidOut_ = true;
}

void CGridPrinter::PrintOnePage(QPainter& dc, PrintJobInfo& info) {
    if (!laidOut_ || !geometry_.printable || !dc.isActive()) {
        return;
    }
    const PageGeometry& g = geometry_;
    const auto& m = g.margins;
    place_ = LocatePage(g, info.currentPage, grid_.RowCount(), grid_.ColumnCount());

    dc.save();
    dc.setFont(FontFromLogFont(printFont_, true));
    dc.setPen(Qt::black);
    dc.setBrush(Qt::NoBrush);
    dc.setBackgroundMode(Qt::TransparentMode);
    dc.setViewport(pageRect_.isEmpty() ? QRect(0, 0, g.paperWidth, g.paperHeight) : pageRect_);

    const bool shifted = place_.firstPage && g.HasOffset();
    const int32_t ox = m[lay::kLeft] + (shifted ? g.offset.x : 0);
    const int32_t oy = m[lay::kTop] + (shifted ? g.offset.y : 0);
    SetWindowOrigin(dc, -ox, -oy);

    const int32_t bandWidth = g.pageWidth - m[lay::kRight] - m[lay::kLeft];
    info.drawRect = GdiRect{0, 0, bandWidth, m[lay::kHeader]};
    PrintPageHeader(dc, info);

    if (place_.firstRow >= grid_.RowCount() || place_.firstRow >= place_.endRow) {
        // Nothing of the grid on this page: it ends with its header band.
        dc.restore();
        return;
    }

    // The body's origin: below the header, the gap and the fixed rows, right of the fixed
    // columns.
    const int32_t bx = ox + g.fixedColumnsWidth;
    const int32_t by = oy + m[lay::kHeader] + m[lay::kGap] + g.fixedRowsHeight;
    SetWindowOrigin(dc, -bx, -by);

    // The rows and columns of this page with their edges: each starts one unit after the
    // previous one ends.
    const int32_t bodyHeight = place_.bodyHeight;
    const int32_t bodyWidth = g.bodyWidth;
    bodyRows_.clear();
    for (int32_t r = place_.firstRow, top = 0; r < place_.endRow; ++r) {
        bodyRows_.push_back(Span{r, top, top + rowHeights_[r] - 1});
        top += rowHeights_[r];
    }
    bodyColumns_.clear();
    for (int32_t c = place_.firstColumn, left = 0; c < place_.endColumn; ++c) {
        bodyColumns_.push_back(Span{c, left, left + columnWidths_[c] - 1});
        left += columnWidths_[c];
    }
    const bool tallRow = place_.clipRows;
    const bool wideColumn = place_.clipColumns;

    PrintHeadingColumns(dc, info, place_.partWidth);

    // Fixed rows above the body.
    info.drawRect = GdiRect{0, 0, bandWidth, g.fixedRowsHeight};
    PrintHeadingRows(dc, info);

    if (tallRow || wideColumn) {
        const int32_t pad = cellContext_.lineWidth + 1;
        dc.setClipRect(QRect(-pad, -pad, (wideColumn ? bodyWidth : g.pageWidth) + 2 * pad,
                             (tallRow ? bodyHeight : g.pageHeight) + 2 * pad));
    }
    PrintBlock(dc, bodyRows_, bodyColumns_);
    FlushLines(dc);
    if (tallRow || wideColumn) {
        dc.setClipping(false);
    }
    lastRowPrinted_ = bodyRows_.empty() ? 0 : bodyRows_.back().index;

    // The footer band ends at the bottom of the logical page.
    info.drawRect = GdiRect{0, 0, bandWidth, m[lay::kFooter]};
    SetWindowOrigin(dc, -m[lay::kLeft], m[lay::kFooter] - g.pageHeight);
    PrintPageFooter(dc, info);
    dc.restore();
}

void CGridPrinter::EndPrintLayout(QPainter&, PrintJobInfo&) {
    lastRowPrinted_ = 0;
    fonts_ = FontCache(true);
    laidOut_ = false;
}

void CGridPrinter::PrintBlock(QPainter& dc, const std::vector<Span>& rows,
                              const std::vector<Span>& columns) {
    if (rows.empty() || columns.empty()) {
        return;
    }
    const int32_t mode = grid_.GridLineMode();
    const bool horizontal = mode == 1 || mode == 3;
    const bool vertical = mode == 2 || mode == 3;
    const bool anyMerged = !grid_.MergedRanges().empty();

    for (size_t ri = 0; ri < rows.size(); ++ri) {
        const Span& row = rows[ri];
        const int32_t top = row.lo;
        const int32_t bottom = row.hi;
        for (size_t ci = 0; ci < columns.size(); ++ci) {
            const Span& col = columns[ci];
            const int32_t left = col.lo;
            const int32_t right = col.hi;
            const CellRange* range =
                anyMerged ? grid_.MergedRangeAt(row.index, col.index) : nullptr;
            const bool topLeft =
                range != nullptr && range->top == row.index && range->left == col.index;
            if (range == nullptr) {
                PrintCell(dc, cellContext_, row.index, col.index,
                          GdiRect{left, top, right, bottom});
            } else if (topLeft) {
                int64_t w = 0;
                int64_t h = 0;
                for (int32_t c = range->left; c <= range->right; ++c) {
                    w += std::max(0, grid_.ColumnWidth(c));
                }
                for (int32_t r = range->top; r <= range->bottom; ++r) {
                    h += std::max(0, grid_.RowHeight(r));
                }
                PrintCell(dc, cellContext_, row.index, col.index,
                          GdiRect{left, top, static_cast<int32_t>(left + w - 1),
                                  static_cast<int32_t>(top + h - 1)});
            }

            const int32_t lineLeft = col.index == 0 ? left : left - 1;
            const int32_t lineTop = row.index == 0 ? top : top - 1;
            if (horizontal) {
                if (range == nullptr || range->bottom == row.index) {
                    lines_.emplace_back(lineLeft, bottom, right, bottom);
                }
                if (ri == 0) {
                    lines_.emplace_back(lineLeft, top - 1, right, top - 1);
                }
                if (mode == 1 && ci + 1 == columns.size()) {
                    lines_.emplace_back(right, top - 1, right, bottom);
                }
            }
            if (vertical) {
                if (range == nullptr || range->right == col.index) {
                    lines_.emplace_back(right, lineTop, right, bottom);
                }
                if (ci == 0) {
                    lines_.emplace_back(left, lineTop, left, bottom);
                }
                if (mode == 2 && ri + 1 == rows.size()) {
                    lines_.emplace_back(left, bottom, right, bottom);
                }
            }
        }
    }
}

void CGridPrinter::FlushLines(QPainter& dc) {
    if (lines_.empty()) {
        return;
    }
    QPen pen(ColourOf(cellContext_.colours.gridLine), cellContext_.lineWidth);
    pen.setCapStyle(cellContext_.lineWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
    dc.setPen(pen);
    dc.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
}

void CGridPrinter::PrintHeadingRows(QPainter& dc, PrintJobInfo&) {
    const int32_t fixedRows = grid_.FixedRowCount();
    if (fixedRows <= 0) {
        return;
    }
    std::vector<Span> rows;
    for (int32_t r = 0, top = -geometry_.fixedRowsHeight; r < fixedRows; ++r) {
        rows.push_back(Span{r, top, top + rowHeights_[r] - 1});
        top += rowHeights_[r];
    }
    std::vector<Span> columns;
    for (int32_t c = 0, left = -geometry_.fixedColumnsWidth; c < grid_.FixedColumnCount(); ++c) {
        columns.push_back(Span{c, left, left + columnWidths_[c] - 1});
        left += columnWidths_[c];
    }
    columns.insert(columns.end(), bodyColumns_.begin(), bodyColumns_.end());
    PrintBlock(dc, rows, columns);
    FlushLines(dc);
}

void CGridPrinter::PrintHeadingColumns(QPainter& dc, PrintJobInfo&, int32_t) {
    const int32_t fixedColumns = grid_.FixedColumnCount();
    if (fixedColumns <= 0) {
        return;
    }
    std::vector<Span> columns;
    for (int32_t c = 0, left = -geometry_.fixedColumnsWidth; c < fixedColumns; ++c) {
        columns.push_back(Span{c, left, left + columnWidths_[c] - 1});
        left += columnWidths_[c];
    }
    PrintBlock(dc, bodyRows_, columns);
    FlushLines(dc);
}

void CGridPrinter::PrintPageHeader(QPainter& dc, PrintJobInfo& info) {
    const PrintSettings& ps = grid_.Print();
    if (ps.pageHeaderText.isEmpty()) {
        return;
    }
    LogFont lf = grid_.GridFont();
    lf.faceName = ps.pageHeaderFontFace;
    lf.height = ps.pageHeaderFontHeight;
    lf.weight = ps.pageHeaderBold ? 700 : 400;
    dc.save();
    dc.setFont(FontFromLogFont(lf, true));
    dc.setPen(Qt::black);
    GdiRect r = info.drawRect;
    DrawTextGdi(dc, ps.pageHeaderText, r,
                AlignmentFlag(ps.pageHeaderAlignment, dt::kCenter) | dt::kSingleLine |
                    dt::kVCenter | dt::kNoPrefix);
    dc.restore();
}

void CGridPrinter::PrintPageFooter(QPainter& dc, PrintJobInfo& info) {
    const PrintSettings& ps = grid_.Print();
    if (ps.pageNumberPosition <= 0 && ps.printDatePosition <= 0) {
        return;
    }
    LogFont bold = printFont_;
    bold.weight = 700;
    dc.save();
    dc.setFont(FontFromLogFont(bold, true));
    dc.setPen(Qt::black);
    const uint32_t line = dt::kSingleLine | dt::kVCenter | dt::kNoPrefix;
    if (ps.pageNumberPosition > 0) {
        GdiRect r = info.drawRect;
        const uint32_t align = ps.pageNumberPosition == 2   ? dt::kCenter
                               : ps.pageNumberPosition == 3 ? dt::kRight
                                                            : dt::kLeft;
        DrawTextGdi(dc, PageNumberText(info.currentPage, info.maxPage), r, align | line);
    }
    if (ps.printDatePosition > 0) {
        GdiRect r = info.drawRect;
        const uint32_t align = ps.printDatePosition == 1   ? dt::kLeft
                               : ps.printDatePosition == 2 ? dt::kCenter
                                                           : dt::kRight;
        DrawTextGdi(dc, FooterDateText(QDate::currentDate()), r, align | line);
    }
    dc.restore();
}

int32_t RenderPreviewPage(CGridCtrl& grid, QPainter& dc, const PageSurface& surface, QRect target,
                          int32_t page) {
    CGridPrinter printer(grid);
    printer.SetPageRect(target);
    PrintJobInfo info;
    info.preview = true;
    info.drawRect = GdiRect{0, 0, surface.deviceWidth, surface.deviceHeight};
    printer.BeginPrintLayout(dc, surface, info);
    info.currentPage = page;
    printer.PrintOnePage(dc, info);
    printer.EndPrintLayout(dc, info);
    return info.maxPage;
}

}  // namespace vantric
