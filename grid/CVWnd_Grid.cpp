#include "grid/CVWnd_Grid.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "grid/CInPlaceEdit.h"
#include "grid/CellDrawing.h"
#include "grid/GridPrintDialogs.h"
#include "grid/PrintJobFollow.h"

namespace vantric {

CVWnd_Grid::CVWnd_Grid(QWidget* parent) : QAbstractScrollArea(parent) {
    grid_.SetObserver(this);
    grid_.SetFontMeasurer(&measurer_);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

CVWnd_Grid::~CVWnd_Grid() {
    grid_.SetObserver(nullptr);
    grid_.SetFontMeasurer(nullptr);
}

bool CVWnd_Grid::Create() {
    if (created_) {
        return true;
    }
    grid_.ApplyStoredDefaults();
    created_ = true;
    extentsDirty_ = true;
    RefreshScrollBars();
    Refresh();
    return true;
}

void CVWnd_Grid::DestroyWindow() {
    if (editor_) {
        editor_->hide();
        editor_->deleteLater();
    }
    created_ = false;
}

// --- guarded operations -------------------------------------------------------------------

bool CVWnd_Grid::SetPrintLayoutValue(int which, int32_t value) {
    if (!created_ || which < 1 || which > 7) {
        return false;
    }
    grid_.SetPrintLayoutValue(which, value);
    return true;
}

bool CVWnd_Grid::SetFirstPageOffset(int32_t x, int32_t y) {
    if (!created_) {
        return false;
    }
    grid_.Print().firstPageOffset = {x, y};
    return true;
}

bool CVWnd_Grid::SetGridFont(const LogFont& font) {
    if (!created_) {
        return false;
    }
    grid_.SetGridFont(font);
    Refresh();
    return true;
}

int CVWnd_Grid::PrintSheet(QWidget* asker) {
    if (!created_) {
        return 0;
    }
    QWidget* owner = asker != nullptr ? asker : this;
    DialogPrinterChooser dialog(owner);
    PrintProgressDialog progress(owner);
    PrintOutcome outcome;
    const int printed = vantric::PrintSheet(grid_, DocumentName(), chooser_ ? chooser_ : &dialog,
                                            progress_ ? progress_ : &progress, logicalDpiX(),
                                            logicalDpiY(), &outcome, selection_);
    TellWhyNothingPrinted(owner, outcome);
    if (outcome.job) {
        FollowAndTell(owner, *outcome.job);
    }
    return printed;
}

QString CVWnd_Grid::DocumentName() const {
    for (const QWidget* w = this; w != nullptr; w = w->parentWidget()) {
        if (!w->windowTitle().isEmpty()) {
            return w->windowTitle();
        }
    }
    return QString();
}

// --- properties -----------------------------------------------------------------------------

void CVWnd_Grid::SetGridLineColourProperty(COLORREF colour) {
    grid_.StoredDefaults().gridLineColour = colour;
    grid_.SetGridLineColour(colour);
    Refresh();
}

void CVWnd_Grid::SetGridLineModeProperty(int32_t mode) {
    grid_.SetGridLineMode(mode);
    Refresh();
}

void CVWnd_Grid::SetPrintLineWidthProperty(int32_t width) {
    grid_.StoredDefaults().printLineWidth = width;
    grid_.Print().printLineWidth = width;
    extentsDirty_ = true;
    Refresh();
}

void CVWnd_Grid::SetFitColumnsToPageProperty(bool on) {
    grid_.StoredDefaults().fitColumnsToPage = on;
    grid_.Print().fitColumnsToPage = on;
}

void CVWnd_Grid::SetAskForPrinterProperty(bool on) {
    grid_.StoredDefaults().askForPrinter = on;
    grid_.Print().askForPrinter = on;
}

void CVWnd_Grid::SetPreviewPrintButtonProperty(bool on) {
    grid_.StoredDefaults().previewPrintButton = on;
    grid_.Print().previewPrintButton = on;
}

void CVWnd_Grid::SetCellEditingProperty(bool on) {
    grid_.StoredDefaults().cellEditing = on;
    grid_.SetCellEditing(on);
}

void CVWnd_Grid::SetControlBackgroundProperty(COLORREF colour) {
    grid_.StoredDefaults().controlBackground = colour;
    grid_.SetControlBackground(colour);
    Refresh();
}

void CVWnd_Grid::SetPageNumberPositionProperty(int32_t position) {
    grid_.StoredDefaults().pageNumberPosition = position;
    grid_.Print().pageNumberPosition = position;
}

void CVWnd_Grid::SetPrintDatePositionProperty(int32_t position) {
    grid_.StoredDefaults().printDatePosition = position;
    grid_.Print().printDatePosition = position;
}

void CVWnd_Grid::SetRowResizeProperty(bool on) {
    grid_.StoredDefaults().rowResize = on;
}

void CVWnd_Grid::SetColumnResizeProperty(bool on) {
    grid_.StoredDefaults().columnResize = on;
}

// --- observer -------------------------------------------------------------------------------

void CVWnd_Grid::Refresh() {
    if (grid_.Redraw()) {
        viewport()->update();
    }
}

void CVWnd_Grid::GridContentChanged() {
    extentsDirty_ = true;
    viewport()->update();
}

void CVWnd_Grid::GridSizesChanged() {
    extentsDirty_ = true;
    RefreshScrollBars();
    viewport()->update();
}

// --- geometry -------------------------------------------------------------------------------

void CVWnd_Grid::UpdateExtents() const {
    const int32_t rows = grid_.RowCount();
    const int32_t columns = grid_.ColumnCount();
    if (!extentsDirty_ && rowTops_.size() == static_cast<size_t>(rows) + 1 &&
        columnLefts_.size() == static_cast<size_t>(columns) + 1) {
        return;
    }
    rowTops_.assign(rows + 1, 0);
    for (int32_t r = 0; r < rows; ++r) {
        rowTops_[r + 1] = rowTops_[r] + std::max(0, grid_.RowHeight(r));
    }
    columnLefts_.assign(columns + 1, 0);
    for (int32_t c = 0; c < columns; ++c) {
        columnLefts_[c + 1] = columnLefts_[c] + std::max(0, grid_.ColumnWidth(c));
    }
    extentsDirty_ = false;
}

int32_t CVWnd_Grid::Inset() const {
    return grid_.Print().printLineWidth / 2;
}

int32_t CVWnd_Grid::RowTop(int32_t row) const {
    UpdateExtents();
    const int64_t scroll = row >= grid_.FixedRowCount() ? verticalScrollBar()->value() : 0;
    return static_cast<int32_t>(Inset() + rowTops_[row] - scroll);
}

int32_t CVWnd_Grid::ColumnLeft(int32_t column) const {
    UpdateExtents();
    const int64_t scroll = column >= grid_.FixedColumnCount() ? horizontalScrollBar()->value() : 0;
    return static_cast<int32_t>(Inset() + columnLefts_[column] - scroll);
}

GdiRect CVWnd_Grid::CellRect(int32_t row, int32_t column) const {
    if (row < 0 || column < 0 || row >= grid_.RowCount() || column >= grid_.ColumnCount()) {
        return {};
    }
    const int32_t left = ColumnLeft(column);
    const int32_t top = RowTop(row);
    return GdiRect{left, top, left + grid_.ColumnWidth(column) - 1, top + grid_.RowHeight(row) - 1};
}

std::pair<int32_t, int32_t> CVWnd_Grid::VisibleRows() const {
    UpdateExtents();
    const int32_t fixed = std::min(grid_.FixedRowCount(), grid_.RowCount());
    const int64_t top = rowTops_[fixed] + verticalScrollBar()->value();
    const int64_t bottom = verticalScrollBar()->value() + viewport()->height();
    auto first = std::upper_bound(rowTops_.begin() + fixed, rowTops_.end() - 1, top) - 1;
    auto end = std::upper_bound(rowTops_.begin() + fixed, rowTops_.end() - 1, bottom);
    return {std::max<int32_t>(fixed, static_cast<int32_t>(first - rowTops_.begin())),
            static_cast<int32_t>(end - rowTops_.begin())};
}

std::pair<int32_t, int32_t> CVWnd_Grid::VisibleColumns() const {
    UpdateExtents();
    const int32_t fixed = std::min(grid_.FixedColumnCount(), grid_.ColumnCount());
    const int64_t left = columnLefts_[fixed] + horizontalScrollBar()->value();
    const int64_t right = horizontalScrollBar()->value() + viewport()->width();
    auto first = std::upper_bound(columnLefts_.begin() + fixed, columnLefts_.end() - 1, left) - 1;
    auto end = std::upper_bound(columnLefts_.begin() + fixed, columnLefts_.end() - 1, right);
    return {std::max<int32_t>(fixed, static_cast<int32_t>(first - columnLefts_.begin())),
            static_cast<int32_t>(end - columnLefts_.begin())};
}

std::pair<int32_t, int32_t> CVWnd_Grid::CellAt(QPoint p) const {
    UpdateExtents();
    auto find = [](const std::vector<int64_t>& starts, int32_t fixed, int64_t fixedEnd, int64_t at,
                   int64_t scroll) -> int32_t {
        const int64_t content = at < fixedEnd ? at : at + scroll;
        if (content < 0 || content >= starts.back() || starts.size() < 2) {
            return -1;
        }
        auto it = std::upper_bound(starts.begin(), starts.end() - 1, content) - 1;
        const auto index = static_cast<int32_t>(it - starts.begin());
        return at < fixedEnd && index >= fixed ? -1 : index;
    };
    const int32_t fr = std::min(grid_.FixedRowCount(), grid_.RowCount());
    const int32_t fc = std::min(grid_.FixedColumnCount(), grid_.ColumnCount());
    const int32_t row =
        find(rowTops_, fr, rowTops_[fr], p.y() - Inset(), verticalScrollBar()->value());
    const int32_t column =
        find(columnLefts_, fc, columnLefts_[fc], p.x() - Inset(), horizontalScrollBar()->value());
    if (row < 0 || column < 0) {
        return {-1, -1};
    }
    return {row, column};
}

void CVWnd_Grid::RefreshScrollBars() {
    UpdateExtents();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize window = contentsRect().size();
    scrollBars_ = ComputeScrollBars(columnLefts_.back(), rowTops_.back(), window.width(),
                                    window.height(), bar, bar);
    setVerticalScrollBarPolicy(scrollBars_.vertical ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(scrollBars_.horizontal ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
    auto apply = [](QScrollBar* sb, bool shown, int64_t range, int32_t page) {
        const int64_t maximum = shown ? std::max<int64_t>(0, range + 1 - page) : 0;
        sb->setRange(0, static_cast<int>(std::min<int64_t>(maximum, INT32_MAX)));
        sb->setPageStep(std::max(1, page));
        sb->setSingleStep(20);
    };
    apply(verticalScrollBar(), scrollBars_.vertical, scrollBars_.verticalRange,
          scrollBars_.verticalPage);
    apply(horizontalScrollBar(), scrollBars_.horizontal, scrollBars_.horizontalRange,
          scrollBars_.horizontalPage);
}

// --- painting -------------------------------------------------------------------------------

void CVWnd_Grid::paintEvent(QPaintEvent*) {
    QPainter dc(viewport());
    grid_.SetPixelSize(PixelSizeAt(logicalDpiX()));
    const GridColours colours = ResolvedColours(grid_);
    dc.fillRect(viewport()->rect(), ColourOf(colours.controlBackground));
    UpdateExtents();
    if (grid_.RowCount() == 0 || grid_.ColumnCount() == 0) {
        return;
    }
    const int32_t fr = std::min(grid_.FixedRowCount(), grid_.RowCount());
    const int32_t fc = std::min(grid_.FixedColumnCount(), grid_.ColumnCount());
    const int32_t fixedBottom = static_cast<int32_t>(Inset() + rowTops_[fr]);
    const int32_t fixedRight = static_cast<int32_t>(Inset() + columnLefts_[fc]);
    const auto [firstRow, endRow] = VisibleRows();
    const auto [firstColumn, endColumn] = VisibleColumns();
    const QRect all = viewport()->rect();
    // Scrolled cells first, the fixed rows and columns over them.
    PaintArea(dc, QRect(QPoint(fixedRight, fixedBottom), all.bottomRight()), firstRow, endRow,
              firstColumn, endColumn);
    PaintArea(dc, QRect(QPoint(0, fixedBottom), QPoint(fixedRight - 1, all.bottom())), firstRow,
              endRow, 0, fc);
    PaintArea(dc, QRect(QPoint(fixedRight, 0), QPoint(all.right(), fixedBottom - 1)), 0, fr,
              firstColumn, endColumn);
    PaintArea(dc, QRect(0, 0, fixedRight, fixedBottom), 0, fr, 0, fc);
}

void CVWnd_Grid::PaintArea(QPainter& dc, const QRect& clip, int32_t firstRow, int32_t endRow,
                           int32_t firstColumn, int32_t endColumn) {
    if (clip.isEmpty() || firstRow >= endRow || firstColumn >= endColumn) {
        return;
    }
    dc.save();
    dc.setClipRect(clip);
    FontCache fonts(false);
    CellPaintContext ctx;
    ctx.grid = &grid_;
    ctx.colours = ResolvedColours(grid_);
    ctx.fonts = &fonts;
    ctx.logPixelsX = logicalDpiX();
    ctx.pixelSize = grid_.PixelSize();
    ctx.lineWidth = grid_.Print().printLineWidth;
    const bool anyMerged = !grid_.MergedRanges().empty();
    const CellRange* selection = grid_.Selection();

    for (int32_t r = firstRow; r < endRow; ++r) {
        for (int32_t c = firstColumn; c < endColumn; ++c) {
            const CellRange* range = anyMerged ? grid_.MergedRangeAt(r, c) : nullptr;
            GdiRect rect = CellRect(r, c);
            if (range != nullptr) {
                if (range->top != r || range->left != c) {
                    continue;
                }
                const GdiRect last = CellRect(range->bottom, range->right);
                rect.right = last.right;
                rect.bottom = last.bottom;
            }
            const bool focused = r == grid_.FocusRow() && c == grid_.FocusColumn();
            const bool selected = selection != nullptr && selection->Contains(r, c);
            DrawCell(dc, ctx, r, c, rect, true,
                     focused    ? CellHighlight::Focused
                     : selected ? CellHighlight::Selected
                                : CellHighlight::None);
        }
    }

    const int32_t mode = grid_.GridLineMode();
    if (mode != 0) {
        std::vector<QLine> lines;
        const int32_t top = RowTop(firstRow);
        const int32_t bottom = CellRect(endRow - 1, firstColumn).bottom;
        const int32_t left = ColumnLeft(firstColumn);
        const int32_t right = CellRect(firstRow, endColumn - 1).right;
        auto inside = [&](int32_t r, int32_t c, bool vertical) {
            const CellRange* m = anyMerged ? grid_.MergedRangeAt(r, c) : nullptr;
            return m != nullptr && (vertical ? c < m->right : r < m->bottom);
        };
        if (mode == 2 || mode == 3) {
            for (int32_t c = firstColumn; c < endColumn; ++c) {
                const int32_t x = CellRect(firstRow, c).right;
                if (!anyMerged) {
                    lines.emplace_back(x, top, x, bottom);
                    continue;
                }
                for (int32_t r = firstRow; r < endRow; ++r) {
                    if (!inside(r, c, true)) {
                        const GdiRect cell = CellRect(r, c);
                        lines.emplace_back(x, cell.top, x, cell.bottom);
                    }
                }
            }
        }
        if (mode == 1 || mode == 3) {
            for (int32_t r = firstRow; r < endRow; ++r) {
                const int32_t y = CellRect(r, firstColumn).bottom;
                if (!anyMerged) {
                    lines.emplace_back(left, y, right, y);
                    continue;
                }
                for (int32_t c = firstColumn; c < endColumn; ++c) {
                    if (!inside(r, c, false)) {
                        const GdiRect cell = CellRect(r, c);
                        lines.emplace_back(cell.left, y, cell.right, y);
                    }
                }
            }
        }
        dc.setPen(QPen(ColourOf(ctx.colours.gridLine), ctx.lineWidth));
        dc.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    dc.restore();
}

void CVWnd_Grid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    RefreshScrollBars();
}

void CVWnd_Grid::scrollContentsBy(int, int) {
    if (editor_) {
        const GdiRect r = CellRect(editRow_, editColumn_);
        editor_->setGeometry(r.left, r.top, r.Width() + 1, r.Height() + 1);
    }
    viewport()->update();
}

}  // namespace vantric
