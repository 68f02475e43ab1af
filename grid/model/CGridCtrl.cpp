#include "grid/model/CGridCtrl.h"

#include <algorithm>
#include <new>

#include "grid/model/GridState.h"

// --- state helpers ----------------------------------------------------------------------------

CGridCell CGridCtrl::State::NewCell(int32_t r, int32_t c, const CGridCell* above) const {
    CGridCell cell;
    if (above) {
        cell.format = above->format;
    }
    if (IsFixedPlace(r, c)) {
        cell.state |= cellstate::kFixed;
    }
    return cell;
}

bool CGridCtrl::State::ResizeRows(int32_t n) {
    if (n < 0 || int64_t{n} * columns > kMaxCells) {
        return false;
    }
    if (n == rows) {
        return true;
    }
    const auto cols = static_cast<size_t>(columns);
    if (n > rows) {
        try {
            cells.reserve(static_cast<size_t>(n) * cols);
            rowHeights.reserve(static_cast<size_t>(n));
            rowMarks.reserve(static_cast<size_t>(n));
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int32_t r = rows; r < n; ++r) {
            rowHeights.push_back(defaultRowHeight);
            rowMarks.push_back(0);
            for (int32_t c = 0; c < columns; ++c) {
                // Capacity is reserved, so the cell above stays where it is while we append.
                const CGridCell* above = r > 0 ? &cells[(r - 1) * cols + c] : nullptr;
                cells.push_back(NewCell(r, c, above));
            }
        }
    } else {
        cells.erase(cells.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(n) * cols),
                    cells.end());
        rowHeights.resize(static_cast<size_t>(n));
        rowMarks.resize(static_cast<size_t>(n));
        if (cells.capacity() > 2 * cells.size()) {
            cells.shrink_to_fit();
            rowHeights.shrink_to_fit();
            rowMarks.shrink_to_fit();
        }
        fixedRows = std::min(fixedRows, n);
        const int32_t last = n - 1;
        std::erase_if(merged, [last](const CellRange& m) { return m.top > last; });
        for (CellRange& m : merged) {
            m.bottom = std::min(m.bottom, last);
        }
    }
    rows = n;
    FitFocusAndSelection();
    return true;
}

bool CGridCtrl::State::ResizeColumns(int32_t n) {
    if (n < 0 || int64_t{n} * rows > kMaxCells) {
        return false;
    }
    if (n == columns) {
        return true;
    }
    std::vector<CGridCell> next;
    try {
        next.reserve(static_cast<size_t>(n) * static_cast<size_t>(rows));
        columnWidths.reserve(static_cast<size_t>(n));
        columnMarks.reserve(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        return false;
    }
    fixedColumns = std::min(fixedColumns, n);
    const auto width = static_cast<size_t>(n);
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < n; ++c) {
            if (c < columns) {
                next.push_back(std::move(At(r, c)));
            } else {
                const CGridCell* above = r > 0 ? &next[(r - 1) * width + c] : nullptr;
                next.push_back(NewCell(r, c, above));
            }
        }
    }
    cells = std::move(next);
    columnWidths.resize(width, defaultColumnWidth);
    columnMarks.resize(width, 0);
    if (n < columns) {
        const int32_t last = n - 1;
        std::erase_if(merged, [last](const CellRange& m) { return m.left > last; });
        for (CellRange& m : merged) {
            m.right = std::min(m.right, last);
        }
        // A kind entry of a column that is gone would come back to life if the column did.
        std::erase_if(kinds, [last](const ColumnKindEntry& k) { return k.column > last; });
    }
    columns = n;
    FitFocusAndSelection();
    return true;
}

void CGridCtrl::State::FitFocusAndSelection() {
    if (!Inside(focusRow, focusColumn)) {
        focusRow = focusColumn = -1;
    }
    if (hasSelection) {
        selection.bottom = std::min(selection.bottom, rows - 1);
        selection.right = std::min(selection.right, columns - 1);
        hasSelection = selection.top <= selection.bottom && selection.left <= selection.right;
    }
}

void CGridCtrl::State::RefreshFixedFlags(int32_t r0, int32_t r1, int32_t c0, int32_t c1) {
    for (int32_t r = std::max(r0, 0); r < std::min(r1, rows); ++r) {
        for (int32_t c = std::max(c0, 0); c < std::min(c1, columns); ++c) {
            CGridCell& cell = At(r, c);
            const bool fixed = IsFixedPlace(r, c);
            if (cell.IsFixed() != fixed) {
                cell.state ^= cellstate::kFixed;
                cell.textColour = kDefaultColour;
                cell.background = kDefaultColour;
            }
        }
    }
}

// --- construction and stored defaults ---------------------------------------------------------

CGridCtrl::CGridCtrl() : s_(std::make_unique<State>()) {}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::State::TakeSheetDefaults(const GridDefaults& d, PrintSettings& print) {
    gridLineColour = d.gridLineColour;
    cellBackground = d.cellBackground;
    textColour = d.textColour;
    fixedBackground = d.fixedBackground;
    focusColour = d.focusColour;
    gridLineMode = d.gridLineMode;
    rowResize = d.rowResize;
    columnResize = d.columnResize;
    defaultRowHeight = d.defaultRowHeight;
    defaultColumnWidth = d.defaultColumnWidth;
    cellEditing = d.cellEditing;
    print.askForPrinter = d.askForPrinter;
    print.previewPrintButton = d.previewPrintButton;
}

void CGridCtrl::ApplyStoredDefaults() {
    const GridDefaults& d = defaults_;
    State& s = *s_;
    s.TakeSheetDefaults(d, print_);
    s.controlBackground = d.controlBackground;
    s.selectionColour = d.selectionColour;
    s.mouseSelection = d.mouseSelection;
    s.furtherSelection = d.furtherSelection;
    print_.pageNumberPosition = d.pageNumberPosition;
    print_.printDatePosition = d.printDatePosition;
    print_.fitColumnsToPage = d.fitColumnsToPage;
    print_.printLineWidth = d.printLineWidth;
    s.ResizeColumns(d.columns);
    s.ResizeRows(d.rows);
    SetFixedRowTotal(d.fixedRows);
    SetFixedColumnTotal(d.fixedColumns);
    s.SizesChanged();
    s.Repaint();
}

// --- dimensions -------------------------------------------------------------------------------

int32_t CGridCtrl::RowCount() const {
    return s_->rows;
}
int32_t CGridCtrl::ColumnCount() const {
    return s_->columns;
}
int32_t CGridCtrl::FixedRowCount() const {
    return s_->fixedRows;
}
int32_t CGridCtrl::FixedColumnCount() const {
    return s_->fixedColumns;
}

bool CGridCtrl::SetRowTotal(int32_t n) {
    if (n == s_->rows && n >= 0) {
        return true;
    }
    if (!s_->ResizeRows(n)) {
        return false;
    }
    s_->SizesChanged();
    s_->Repaint();
    return true;
}

bool CGridCtrl::SetColumnTotal(int32_t n) {
    if (n == s_->columns && n >= 0) {
        return true;
    }
    if (!s_->ResizeColumns(n)) {
        return false;
    }
    s_->SizesChanged();
    s_->Repaint();
    return true;
}

bool CGridCtrl::SetFixedRowTotal(int32_t n) {
    State& s = *s_;
    if (n < 0) {
        return false;
    }
    for (const CellRange& m : s.merged) {
        if (m.top < n && m.left < s.fixedColumns) {
            return false;
        }
    }
    if (n > s.rows && !s.ResizeRows(n)) {
        return false;
    }
    const int32_t old = s.fixedRows;
    s.fixedRows = n;
    s.RefreshFixedFlags(std::min(old, n), std::max(old, n), 0, s.columns);
    s.SizesChanged();
    s.Repaint();
    return true;
}

bool CGridCtrl::SetFixedColumnTotal(int32_t n) {
    State& s = *s_;
    if (n < 0) {
        return false;
    }
    for (const CellRange& m : s.merged) {
        if (m.top < s.fixedRows && m.left < n) {
            return false;
        }
    }
    if (n > s.columns && !s.ResizeColumns(n)) {
        return false;
    }
    const int32_t old = s.fixedColumns;
    s.fixedColumns = n;
    s.RefreshFixedFlags(0, s.rows, std::min(old, n), std::max(old, n));
    s.SizesChanged();
    s.Repaint();
    return true;
}

// --- sizes ------------------------------------------------------------------------------------

int32_t CGridCtrl::RowHeight(int32_t row) const {
    return row >= 0 && row < s_->rows ? s_->rowHeights[row] : -1;
}

int32_t CGridCtrl::ColumnWidth(int32_t column) const {
    return column >= 0 && column < s_->columns ? s_->columnWidths[column] : -1;
}

bool CGridCtrl::SetRowPixelHeight(int32_t row, int32_t height) {
    State& s = *s_;
    if (row < 0 || row >= s.rows || height < 0 || height > kMaxCellExtent) {
        return false;
    }
    if (s.rowHeights[row] != height) {
        s.rowHeights[row] = height;
        s.sizesChanged = true;
    }
    s.SizesChanged();
    s.Repaint();
    return true;
}

bool CGridCtrl::SetColumnPixelWidth(int32_t column, int32_t width) {
    State& s = *s_;
    if (column < 0 || column >= s.columns || width < 0 || width > kMaxCellExtent) {
        return false;
    }
    if (s.columnWidths[column] != width) {
        s.columnWidths[column] = width;
        s.sizesChanged = true;
    }
    s.SizesChanged();
    s.Repaint();
    return true;
}

bool CGridCtrl::KeepRowsTogether(int32_t firstRow, int32_t lastRow) {
    State& s = *s_;
    if (firstRow < 0 || lastRow < firstRow || lastRow >= s.rows) {
        return false;
    }
    for (int32_t r = firstRow; r < lastRow; ++r) {
        s.rowMarks[r] |= stockmark::kKeptWithNext;
    }
    return true;
}

namespace {
// Marks the first and last of [first, last] in `marks`; false for a range outside it.
bool MarkEnds(std::vector<uint8_t>& marks, int32_t first, int32_t last, uint8_t firstBit,
              uint8_t lastBit) {
    if (first < 0 || last < first || static_cast<size_t>(last) >= marks.size()) {
        return false;
    }
    marks[first] |= firstBit;
    marks[last] |= lastBit;
    return true;
}
}  // namespace

bool CGridCtrl::MarkSheetPage(int32_t firstRow, int32_t lastRow) {
    return MarkEnds(s_->rowMarks, firstRow, lastRow, stockmark::kSheetPageFirst,
                    stockmark::kSheetPageLast);
}

bool CGridCtrl::MarkLabelRows(int32_t firstRow, int32_t lastRow) {
    return MarkEnds(s_->rowMarks, firstRow, lastRow, stockmark::kLabelFirst, stockmark::kLabelLast);
}

bool CGridCtrl::MarkLabelColumns(int32_t firstColumn, int32_t lastColumn) {
    return MarkEnds(s_->columnMarks, firstColumn, lastColumn, stockmark::kLabelFirst,
                    stockmark::kLabelLast);
}

uint8_t CGridCtrl::RowMarks(int32_t row) const {
    return row >= 0 && row < s_->rows ? s_->rowMarks[row] : 0;
}

uint8_t CGridCtrl::ColumnMarks(int32_t column) const {
    return column >= 0 && column < s_->columns ? s_->columnMarks[column] : 0;
}

namespace {
int64_t SumOf(const std::vector<int32_t>& sizes, size_t count) {
    int64_t sum = 0;
    for (size_t i = 0; i < std::min(count, sizes.size()); ++i) {
        sum += sizes[i];
    }
    return sum;
}
}  // namespace

int64_t CGridCtrl::TotalRowHeight() const {
    return SumOf(s_->rowHeights, s_->rowHeights.size());
}
int64_t CGridCtrl::TotalColumnWidth() const {
    return SumOf(s_->columnWidths, s_->columnWidths.size());
}
int64_t CGridCtrl::FixedRowHeight() const {
    return SumOf(s_->rowHeights, static_cast<size_t>(s_->fixedRows));
}
int64_t CGridCtrl::FixedColumnWidth() const {
    return SumOf(s_->columnWidths, static_cast<size_t>(s_->fixedColumns));
}
int32_t CGridCtrl::DefaultRowHeight() const {
    return s_->defaultRowHeight;
}
int32_t CGridCtrl::DefaultColumnWidth() const {
    return s_->defaultColumnWidth;
}
bool CGridCtrl::SizesChangedMark() const {
    return s_->sizesChanged;
}
void CGridCtrl::ClearSizesChangedMark() {
    s_->sizesChanged = false;
}

// --- cells and fonts --------------------------------------------------------------------------

const CGridCell* CGridCtrl::GetCell(int32_t row, int32_t column) const {
    return s_->Inside(row, column) ? &s_->At(row, column) : nullptr;
}

CGridCell* CGridCtrl::GetCell(int32_t row, int32_t column) {
    return s_->Inside(row, column) ? &s_->At(row, column) : nullptr;
}

const LogFont& CGridCtrl::Font(uint32_t fontId) const {
    return s_->fonts.At(fontId);
}

const LogFont& CGridCtrl::CellFont(int32_t row, int32_t column) const {
    const CGridCell* cell = GetCell(row, column);
    return cell ? s_->fonts.At(cell->fontId) : s_->fonts.GridFont();
}

uint32_t CGridCtrl::InternFont(const LogFont& font) {
    return s_->fonts.Intern(font);
}

void CGridCtrl::SetPictureSource(IPictureSource* source) {
    s_->pictures = source;
}

const LogFont& CGridCtrl::GridFont() const {
    return s_->fonts.GridFont();
}

void CGridCtrl::SetGridFont(const LogFont& font) {
    State& s = *s_;
    s.fonts.Reset(font);
    for (CGridCell& cell : s.cells) {
        cell.fontId = 0;
    }
    if (s.measurer) {
        const TextMetrics tm = s.measurer->Measure(s.fonts.GridFont());
        s.defaultRowHeight = tm.height / 4 + tm.externalLeading + tm.height;
        s.defaultColumnWidth = tm.aveCharWidth * 12 + 2 * tm.spaceWidth;
    }
    s.Repaint();
}

void CGridCtrl::SetFontMeasurer(IFontMeasurer* measurer) {
    s_->measurer = measurer;
}

// --- whole sheet ------------------------------------------------------------------------------

bool CGridCtrl::ClearSheet() {
    State& s = *s_;
    const int32_t rows = s.rows;
    const int32_t columns = s.columns;
    const int32_t fixedRows = s.fixedRows;
    const int32_t fixedColumns = s.fixedColumns;

    // Swap rather than clear, so a large sheet's memory goes back at once.
    std::vector<CGridCell>().swap(s.cells);
    std::vector<int32_t>().swap(s.rowHeights);
    std::vector<uint8_t>().swap(s.rowMarks);
    std::vector<int32_t>().swap(s.columnWidths);
    std::vector<uint8_t>().swap(s.columnMarks);
    s.rows = s.columns = s.fixedRows = s.fixedColumns = 0;
    s.focusRow = s.focusColumn = -1;
    s.hasSelection = false;
    s.SizesChanged();
    s.kinds.clear();
    s.links.clear();
    s.merged.clear();

    // A new sheet, not a new control: background, selection and print settings stay as set.
    s.TakeSheetDefaults(defaults_, print_);

    // Every cell is new, so the font table can start again from the grid font.
    s.fonts.Reset(LogFont(s.fonts.GridFont()));
    s.fixedRows = std::min(fixedRows, rows);
    s.fixedColumns = std::min(fixedColumns, columns);
    const bool made = s.ResizeColumns(columns) && s.ResizeRows(rows);
    s.SizesChanged();
    s.Repaint();
    return made;
}

// --- focus cell and selection ----------------------------------------------------------------

int32_t CGridCtrl::FocusRow() const {
    return s_->focusRow;
}
int32_t CGridCtrl::FocusColumn() const {
    return s_->focusColumn;
}

bool CGridCtrl::SetFocusCell(int32_t row, int32_t column) {
    if (!s_->Inside(row, column)) {
        return false;
    }
    s_->focusRow = row;
    s_->focusColumn = column;
    return true;
}

void CGridCtrl::ClearFocusCell() {
    s_->focusRow = s_->focusColumn = -1;
}

const CellRange* CGridCtrl::Selection() const {
    return s_->hasSelection ? &s_->selection : nullptr;
}

bool CGridCtrl::SetSelection(int32_t row1, int32_t column1, int32_t row2, int32_t column2) {
    if (!s_->Inside(row1, column1) || !s_->Inside(row2, column2)) {
        return false;
    }
    s_->selection = {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
                     std::max(column1, column2)};
    s_->hasSelection = true;
    return true;
}

void CGridCtrl::ClearSelection() {
    s_->hasSelection = false;
}

std::optional<CellRange> CGridCtrl::ClipboardRange() const {
    if (s_->hasSelection) {
        return s_->selection;
    }
    if (HasFocusCell()) {
        return CellRange{s_->focusRow, s_->focusColumn, s_->focusRow, s_->focusColumn};
    }
    return std::nullopt;
}

bool CGridCtrl::CellTextEditable(int32_t row, int32_t column) const {
    const CGridCell* cell = GetCell(row, column);
    if (cell == nullptr || (cell->state & cellstate::kReadOnly) != 0 || cell->IsCovered()) {
        return false;
    }
    for (const auto& link : s_->links) {
        if (link[3] == column) {
            return false;  // the last column a link names follows the others
        }
    }
    return true;
}

// --- live appearance --------------------------------------------------------------------------

int32_t CGridCtrl::GridLineMode() const {
    return s_->gridLineMode;
}
void CGridCtrl::SetGridLineMode(int32_t mode) {
    s_->gridLineMode = mode;
    defaults_.gridLineMode = mode;
    s_->Repaint();
}
COLORREF CGridCtrl::GridLineColour() const {
    return s_->gridLineColour;
}
void CGridCtrl::SetGridLineColour(COLORREF colour) {
    s_->gridLineColour = colour;
    s_->Repaint();
}
COLORREF CGridCtrl::TextColour() const {
    return s_->textColour;
}
COLORREF CGridCtrl::CellBackground() const {
    return s_->cellBackground;
}
COLORREF CGridCtrl::FixedBackground() const {
    return s_->fixedBackground;
}
COLORREF CGridCtrl::FixedTextColour() const {
    return s_->fixedTextColour;
}
COLORREF CGridCtrl::ControlBackground() const {
    return s_->controlBackground;
}
void CGridCtrl::SetControlBackground(COLORREF colour) {
    s_->controlBackground = colour;
    s_->Repaint();
}
COLORREF CGridCtrl::SelectionColour() const {
    return s_->selectionColour;
}
COLORREF CGridCtrl::FocusColour() const {
    return s_->focusColour;
}
bool CGridCtrl::RowResize() const {
    return s_->rowResize;
}
bool CGridCtrl::ColumnResize() const {
    return s_->columnResize;
}
bool CGridCtrl::CellEditing() const {
    return s_->cellEditing;
}
void CGridCtrl::SetCellEditing(bool on) {
    s_->cellEditing = on;
}

// --- printing ---------------------------------------------------------------------------------

void CGridCtrl::SetPrintLayoutValue(int which, int32_t value) {
    if (which >= 1 && which <= 7) {
        print_.layout[static_cast<size_t>(which - 1)] = value;
    }
}

int32_t CGridCtrl::PrintLayoutValue(int which) const {
    return which >= 1 && which <= 7 ? print_.layout[static_cast<size_t>(which - 1)] : 0;
}

double CGridCtrl::PixelSize() const {
    return s_->pixelSize;
}
void CGridCtrl::SetPixelSize(double tenthsPerPixel) {
    s_->pixelSize = tenthsPerPixel;
}
int32_t CGridCtrl::LastPageCount() const {
    return s_->lastPageCount;
}
void CGridCtrl::SetLastPageCount(int32_t pages) {
    s_->lastPageCount = pages;
}

// --- change notification ----------------------------------------------------------------------

void CGridCtrl::SetObserver(IGridObserver* observer) {
    s_->observer = observer;
}

void CGridCtrl::SetRedraw(bool on) {
    const bool was = s_->redraw;
    s_->redraw = on;
    if (on && !was) {
        s_->SizesChanged();
        s_->Repaint();
    }
}

bool CGridCtrl::Redraw() const {
    return s_->redraw;
}
bool CGridCtrl::Modified() const {
    return s_->modified;
}
void CGridCtrl::SetModified(bool on) {
    s_->modified = on;
}
