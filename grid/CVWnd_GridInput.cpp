// The grid window's input: focus movement, in-place editing, resizing by dragging.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "grid/CInPlaceEdit.h"
#include "grid/CVWnd_Grid.h"
#include "grid/CellDrawing.h"
#include "grid/model/GridClipboard.h"

namespace vantric {

namespace {

constexpr int kEdgeGrip = 2;  // pixels either side of an edge that grab it for resizing

bool IsNavigationKey(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace

// --- focus and keys -------------------------------------------------------------------------

void CVWnd_Grid::SetFocusCell(int32_t row, int32_t column) {
    if (!grid_.SetFocusCell(row, column)) {
        return;
    }
    grid_.ClearSelection();
    EnsureVisible(row, column);
    viewport()->update();
}

void CVWnd_Grid::EnsureVisible(int32_t row, int32_t column) {
    UpdateExtents();
    if (row >= grid_.FixedRowCount()) {
        const int32_t fr = std::min(grid_.FixedRowCount(), grid_.RowCount());
        const int64_t room = viewport()->height() - rowTops_[fr];
        const int64_t top = rowTops_[row] - rowTops_[fr];
        const int64_t bottom = rowTops_[row + 1] - rowTops_[fr];
        QScrollBar* sb = verticalScrollBar();
        if (top < sb->value()) {
            sb->setValue(static_cast<int>(top));
        } else if (bottom > sb->value() + room) {
            sb->setValue(static_cast<int>(std::min(top, bottom - room)));
        }
    }
    if (column >= grid_.FixedColumnCount()) {
        const int32_t fc = std::min(grid_.FixedColumnCount(), grid_.ColumnCount());
        const int64_t room = viewport()->width() - columnLefts_[fc];
        const int64_t left = columnLefts_[column] - columnLefts_[fc];
        const int64_t right = columnLefts_[column + 1] - columnLefts_[fc];
        QScrollBar* sb = horizontalScrollBar();
        if (left < sb->value()) {
            sb->setValue(static_cast<int>(left));
        } else if (right > sb->value() + room) {
            sb->setValue(static_cast<int>(std::min(left, right - room)));
        }
    }
}

void CVWnd_Grid::MoveFocus(int key, Qt::KeyboardModifiers modifiers) {
    const int32_t rows = grid_.RowCount();
    const int32_t columns = grid_.ColumnCount();
    const int32_t fr = std::min(grid_.FixedRowCount(), rows);
    const int32_t fc = std::min(grid_.FixedColumnCount(), columns);
    if (rows <= fr || columns <= fc) {
        return;
    }
    if (!grid_.HasFocusCell()) {
        SetFocusCell(fr, fc);  // the first key only puts the focus on the first cell
        return;
    }
    const int32_t fromRow = grid_.FocusRow();
    const int32_t fromColumn = grid_.FocusColumn();
    int32_t r = fromRow;
    int32_t c = fromColumn;
    const int32_t pageRows =
        std::max(1, viewport()->height() / std::max(1, grid_.RowHeight(std::max(r, fr))));
    switch (key) {
        case Qt::Key_Up:
            r = std::max(fr, r - 1);
            break;
        case Qt::Key_Down:
            r = std::min(rows - 1, r + 1);
            break;
        case Qt::Key_Left:
            c = std::max(fc, c - 1);
            break;
        case Qt::Key_Right:
            c = std::min(columns - 1, c + 1);
            break;
        case Qt::Key_PageUp:
            r = std::max(fr, r - pageRows);
            break;
        case Qt::Key_PageDown:
            r = std::min(rows - 1, r + pageRows);
            break;
        case Qt::Key_Home:
            c = fc;
            if (modifiers & Qt::ControlModifier) {
                r = fr;
            }
            break;
        case Qt::Key_End:
            c = columns - 1;
            if (modifiers & Qt::ControlModifier) {
                r = rows - 1;
            }
            break;
        case Qt::Key_Tab:
            if (c + 1 < columns) {
                ++c;
            } else if (r + 1 < rows) {
                ++r;
                c = fc;
            }
            break;
        case Qt::Key_Backtab:
            if (c > fc) {
                --c;
            } else if (r > fr) {
                --r;
                c = columns - 1;
            }
            break;
        default:
            return;
    }
    // Shift with a movement key stretches the selection from where it started to the new cell.
    const bool extend = (modifiers & Qt::ShiftModifier) && key != Qt::Key_Tab &&
                        key != Qt::Key_Backtab;
    const CellRange* selection = grid_.Selection();
    const int32_t anchorRow = selection != nullptr ? anchorRow_ : fromRow;
    const int32_t anchorColumn = selection != nullptr ? anchorColumn_ : fromColumn;
    SetFocusCell(r, c);
    if (extend) {
        anchorRow_ = anchorRow;
        anchorColumn_ = anchorColumn;
        grid_.SetSelection(anchorRow, anchorColumn, r, c);
    }
}

void CVWnd_Grid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyCells();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutCells();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteCells();
        return;
    }
    if (IsNavigationKey(event->key())) {
        MoveFocus(event->key(), event->modifiers());
        return;
    }
    const QString text = event->text();
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    if (!control && !text.isEmpty() && text[0].isPrint() && event->key() != Qt::Key_Escape) {
        if (BeginEdit(text)) {
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// --- editing --------------------------------------------------------------------------------

bool CVWnd_Grid::Editing() const {
    return !editor_.isNull() && editor_->isVisible();
}

bool CVWnd_Grid::BeginEdit(const QString& initial, bool keepText) {
    if (!created_ || !grid_.CellEditing() || Editing() || !grid_.HasFocusCell()) {
        return false;
    }
    const int32_t r = grid_.FocusRow();
    const int32_t c = grid_.FocusColumn();
    if (!MayEdit(r, c)) {
        return false;
    }
    const CGridCell* cell = grid_.GetCell(r, c);
    EnsureVisible(r, c);
    Q_EMIT CellEditStarted(r, c);

    editRow_ = r;
    editColumn_ = c;
    auto* editor = new CInPlaceEdit(viewport());
    editor_ = editor;
    const GdiRect rect = CellRect(r, c);
    editor->setGeometry(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1);
    editor->setFont(FontFromLogFont(grid_.Font(cell->fontId), false));
    const CellColours colours = ScreenColours(*cell, ResolvedColours(grid_), true);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, ColourOf(colours.background));
    palette.setColor(QPalette::Text, ColourOf(colours.text));
    editor->setPalette(palette);
    if (cell->format & dt::kCenter) {
        editor->setAlignment(Qt::AlignCenter);
    } else if (cell->format & dt::kRight) {
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    editor->setText(keepText ? cell->text : initial);
    if (keepText) {
        editor->selectAll();
    }
    connect(editor, &CInPlaceEdit::Closed, this, &CVWnd_Grid::EditorClosed);
    editor->show();
    editor->setFocus();
    return true;
}

void CVWnd_Grid::EditorClosed(int key, bool cancelled) {
    CInPlaceEdit* editor = editor_;
    if (editor == nullptr) {
        return;
    }
    const int32_t r = editRow_;
    const int32_t c = editColumn_;
    const QString text = editor->text();
    editor_ = nullptr;
    editor->hide();
    editor->deleteLater();
    const CGridCell* cell = grid_.GetCell(r, c);
    if (!cancelled && cell != nullptr && cell->text != text) {
        if (grid_.PutCellValue(r, c, 1, u'S', text)) {
            grid_.SetModified(true);
        }
    }
    Q_EMIT CellEditEnded(r, c);
    if (key != 0) {
        setFocus();
    }
    if (!cancelled && IsNavigationKey(key)) {
        MoveFocus(key, Qt::NoModifier);
        if (grid_.FocusRow() != r || grid_.FocusColumn() != c) {
            BeginEdit(QString(), true);
        }
    }
    viewport()->update();
}

bool CVWnd_Grid::MayEdit(int32_t row, int32_t column) const {
    return grid_.CellTextEditable(row, column) && (!mayEdit_ || mayEdit_(row, column));
}

// --- cut, copy and paste of cells -----------------------------------------------------------

bool CVWnd_Grid::ClipboardCommandsOn() const {
    return created_ && grid_.CellEditing() && !Editing();
}

bool CVWnd_Grid::CopyCells() {
    const std::optional<CellRange> range = grid_.ClipboardRange();
    if (!ClipboardCommandsOn() || !range) {
        return false;
    }
    QGuiApplication::clipboard()->setText(CellsClipboardText(grid_, *range));
    return true;
}

bool CVWnd_Grid::CutCells() {
    if (!CopyCells()) {
        return false;
    }
    ClearCellsText(grid_, *grid_.ClipboardRange(), mayEdit_);
    return true;
}

bool CVWnd_Grid::PasteCells() {
    const std::optional<CellRange> range = grid_.ClipboardRange();
    if (!ClipboardCommandsOn() || !range) {
        return false;
    }
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        return false;
    }
    const std::optional<PastedCells> pasted =
        PasteCellsClipboardText(grid_, range->top, range->left, text, mayEdit_);
    if (!pasted) {
        return false;
    }
    // Several cells pasted stay selected, so that they can be copied on at once.
    const CellRange& r = pasted->covered;
    if (r.bottom > r.top || r.right > r.left) {
        grid_.SetSelection(r.top, r.left, r.bottom, r.right);
        anchorRow_ = r.top;
        anchorColumn_ = r.left;
    }
    viewport()->update();
    return pasted->changed;
}

// --- mouse: focus and resizing --------------------------------------------------------------

int32_t CVWnd_Grid::ColumnEdgeAt(QPoint p) const {
    if (!grid_.ColumnResize() || grid_.ColumnCount() == 0) {
        return -1;
    }
    const int32_t fc = std::min(grid_.FixedColumnCount(), grid_.ColumnCount());
    const auto [first, end] = VisibleColumns();
    for (int32_t c = 0; c < end; c = (c + 1 == fc ? std::max(first, c + 1) : c + 1)) {
        const int32_t right = CellRect(0, c).right;
        if (std::abs(p.x() - right) <= kEdgeGrip) {
            return c;
        }
    }
    return -1;
}

int32_t CVWnd_Grid::RowEdgeAt(QPoint p) const {
    if (!grid_.RowResize() || grid_.RowCount() == 0) {
        return -1;
    }
    const int32_t fr = std::min(grid_.FixedRowCount(), grid_.RowCount());
    const auto [first, end] = VisibleRows();
    for (int32_t r = 0; r < end; r = (r + 1 == fr ? std::max(first, r + 1) : r + 1)) {
        const int32_t bottom = CellRect(r, 0).bottom;
        if (std::abs(p.y() - bottom) <= kEdgeGrip) {
            return r;
        }
    }
    return -1;
}

void CVWnd_Grid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (const int32_t c = ColumnEdgeAt(p); c >= 0) {
        drag_ = Drag::Column;
        dragIndex_ = c;
        return;
    }
    if (const int32_t r = RowEdgeAt(p); r >= 0) {
        drag_ = Drag::Row;
        dragIndex_ = r;
        return;
    }
    const auto [row, column] = CellAt(p);
    if (row >= 0) {
        setFocus();
        SetFocusCell(row, column);
        Q_EMIT CellClicked(row, column);
    }
}

void CVWnd_Grid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (drag_ == Drag::Column) {
        grid_.SetColumnPixelWidth(dragIndex_, std::max(0, p.x() - ColumnLeft(dragIndex_) + 1));
        return;
    }
    if (drag_ == Drag::Row) {
        grid_.SetRowPixelHeight(dragIndex_, std::max(0, p.y() - RowTop(dragIndex_) + 1));
        return;
    }
    if (ColumnEdgeAt(p) >= 0) {
        viewport()->setCursor(Qt::SplitHCursor);
    } else if (RowEdgeAt(p) >= 0) {
        viewport()->setCursor(Qt::SplitVCursor);
    } else {
        viewport()->setCursor(Qt::ArrowCursor);
    }
}

void CVWnd_Grid::mouseReleaseEvent(QMouseEvent*) {
    drag_ = Drag::None;
    dragIndex_ = -1;
}

}  // namespace vantric
