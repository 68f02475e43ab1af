// Label-sheet grid: the cell model.
//
// The grid folder splits in two. grid/model (this target, QtCore only) holds the data of a grid:
// rows and columns with their pixel sizes, cells with text, picture, font and format, column
// kinds, merged ranges, the stored defaults of the grid component and the print settings. It
// knows nothing of windows: every operation here works on the data alone. The component that
// owns a window (grid/, with drawing, printing and the preview) decides when an operation may run
// ("nothing happens without a window") and calls in here. Sheet builders (app/model) and the
// batch front end use this model directly.
#pragma once

#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "grid/model/GridTypes.h"

class CGridCtrl;

// The largest row height or column width the grid takes, in pixels (some 260 metres on a
// screen). Sizes come from the settings file too; beyond this, the sums that place rows and
// columns on the screen and on paper would leave the 32-bit range.
constexpr int32_t kMaxCellExtent = 1'000'000;

// One cell. Kept small: a sheet of 100 tickets of 999 cartons has half a million of them, so the
// fields are packed (96 bytes) and the font is an index into the grid's shared font table.
class CGridCellBase {
  public:
    uint32_t state = 0;
    uint32_t format = dt::kLeft | dt::kVCenter | dt::kSingleLine | dt::kNoPrefix;  // 0x824
    int32_t image = -1;  // image-list index, -1 none
    COLORREF background = kDefaultColour;
    COLORREF textColour = kDefaultColour;
    uint32_t fontId = 0;  // index into the owning grid's font table (CGridCtrl::Font)
    int32_t margin = 9;   // inner margin, tenths of a millimetre
    int32_t editFlag = 0;
    std::array<int32_t, 4> values{};  // check state (values[0]), list index and the like
    QString text;
    PictureRef picture;  // owned (shared, immutable)
    intptr_t userData = 0;

    bool IsFixed() const { return (state & cellstate::kFixed) != 0; }
    bool IsCovered() const { return (state & cellstate::kMergedCovered) != 0; }
};

class CGridCell : public CGridCellBase {};

// Column kinds.
namespace colkind {
constexpr int kText = 101, kNumber = 102, kDate = 103, kList = 104, kCheck = 105, kPicture = 106,
              kCurrency = 107, kList2 = 108;
}

struct ColumnKindEntry {
    int32_t column = 0;
    int32_t kind = 0;
    QStringList listItems;
    QString prefix;
    QString format;
    int32_t param = 0;  // picture fit mode 201..205 for picture columns
    int32_t extra = 0;
};

struct CellRange {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    bool Contains(int32_t r, int32_t c) const {
        return r >= top && r <= bottom && c >= left && c <= right;
    }
};

// How a row or column sits on label stock, as the sheet builders mark it for printing (bits of
// CGridCtrl::RowMarks and ColumnMarks). The rows of a sheet page print on a printed page of their
// own; a label lies where label rows cross label columns and prints whole or not at all.
namespace stockmark {
constexpr uint8_t kKeptWithNext = 0x01;    // rows: on the same page as the row after it
constexpr uint8_t kSheetPageFirst = 0x02;  // rows: first row of a sheet page
constexpr uint8_t kSheetPageLast = 0x04;   // rows: last row of a sheet page
constexpr uint8_t kLabelFirst = 0x08;      // rows and columns: first of a label's rows or columns
constexpr uint8_t kLabelLast = 0x10;       // rows and columns: last of them
}  // namespace stockmark

// The grid's print layout values until they are set (tenths of a millimetre, in the order of
// SetPrintLayoutValue: left, right, top, bottom, header, footer, header-table gap).
constexpr std::array<int32_t, 7> kDefaultPrintLayout{40, 40, 20, 20, 60, 60, 20};
// Tenths of a millimetre per pixel of a screen of `dpi` dots to the inch: the size one grid pixel
// has on paper.
constexpr double PixelSizeAt(int32_t dpi) {
    return 254.0 / (dpi > 0 ? dpi : 96);
}
// The grid's pixel size until a window paints it: a 96-dpi screen's.
constexpr double kDefaultPixelSize = PixelSizeAt(96);

struct IntPair {
    int32_t x = 0, y = 0;
    bool operator==(const IntPair&) const = default;
};

// The stored defaults of the grid component: copied into the live grid when its window is
// created, and (most of them) again by ClearSheet.
struct GridDefaults {
    COLORREF gridLineColour = 0xC0C0C0;
    COLORREF cellBackground = 0xFFFFFF;
    COLORREF textColour = 0x000000;
    COLORREF fixedBackground = 0xFFFFFF;
    COLORREF controlBackground = kDefaultColour;  // system button face
    COLORREF selectionColour = kDefaultColour;    // system highlight
    COLORREF focusColour = kDefaultColour;
    int32_t gridLineMode = 3;
    bool rowResize = true;
    bool columnResize = true;
    int32_t defaultRowHeight = 24;
    int32_t defaultColumnWidth = 60;
    int32_t rows = 5;
    int32_t columns = 5;
    int32_t fixedRows = 1;
    int32_t fixedColumns = 1;
    bool askForPrinter = true;
    bool previewPrintButton = true;
    int32_t pageNumberPosition = 0;
    int32_t printDatePosition = 0;
    bool fitColumnsToPage = true;
    int32_t printLineWidth = 0;
    bool cellEditing = true;
    bool mouseSelection = true;
    bool furtherSelection = false;
    bool operator==(const GridDefaults&) const = default;
};

// Print settings of the live grid (pagination and printing live in grid/).
struct PrintSettings {
    // Tenths of a millimetre: left, right, top, bottom, header, footer, header-table gap.
    std::array<int32_t, 7> layout = kDefaultPrintLayout;
    bool askForPrinter = true;
    bool fitColumnsToPage = true;
    bool splitColumnsAcrossPages = false;
    bool printInColour = true;
    bool previewPrintButton = true;
    int32_t printLineWidth = 0;
    IntPair firstPageOffset;  // printer device pixels
    QString pageHeaderText;
    QString pageHeaderFontFace = QStringLiteral("Arial");
    int32_t pageHeaderFontHeight = 20;
    bool pageHeaderBold = false;
    int32_t pageHeaderAlignment = 2;
    int32_t pageNumberPosition = 0;
    int32_t printDatePosition = 0;
};

// Told when the grid's content or sizes change, so a window can repaint or refresh its scroll
// bars. Not told while the redraw switch is off.
class IGridObserver {
  public:
    virtual ~IGridObserver() = default;
    virtual void GridContentChanged() = 0;  // repaint
    virtual void GridSizesChanged() = 0;    // scroll bars
};

// The grid control: dimensions, sizes, cells, kinds, merges and the live appearance. Column kinds
// and merged ranges (what the combo grid adds) live here too, since the only grid this program
// makes is that one.
class CGridCtrl {
  public:
    // The most cells a grid holds (about 1.6 GB of cells); SetRowTotal and SetColumnTotal refuse
    // more, so that a runaway count fails cleanly instead of exhausting memory.
    static constexpr int64_t kMaxCells = int64_t{1} << 24;

    CGridCtrl();
    ~CGridCtrl();
    CGridCtrl(const CGridCtrl&) = delete;
    CGridCtrl& operator=(const CGridCtrl&) = delete;

    // --- stored defaults and the live copy -------------------------------------------------
    GridDefaults& StoredDefaults() { return defaults_; }
    const GridDefaults& StoredDefaults() const { return defaults_; }
    // Copies every stored default into the live grid and makes the default number of rows and
    // columns (what creating the window does).
    void ApplyStoredDefaults();

    // --- dimensions -------------------------------------------------------------------------
    int32_t RowCount() const;
    int32_t ColumnCount() const;
    int32_t FixedRowCount() const;
    int32_t FixedColumnCount() const;
    bool SetRowTotal(int32_t n);
    bool SetColumnTotal(int32_t n);
    bool SetFixedRowTotal(int32_t n);
    bool SetFixedColumnTotal(int32_t n);

    // Pixel sizes; -1 for an index out of range.
    int32_t RowHeight(int32_t row) const;
    int32_t ColumnWidth(int32_t column) const;
    // False (and nothing stored) for a missing row/column or a size that is negative or larger
    // than kMaxCellExtent.
    bool SetRowPixelHeight(int32_t row, int32_t height);
    bool SetColumnPixelWidth(int32_t column, int32_t width);
    // Rows that print on one page: a page break never falls inside [firstRow, lastRow] unless
    // the rows together are taller than a page. False (nothing kept) for rows outside the grid
    // or a reversed range. New rows and ClearSheet keep nothing together.
    bool KeepRowsTogether(int32_t firstRow, int32_t lastRow);
    // Rows that form one sheet page of label stock: they print on a printed page of their own,
    // all of them or (when the page has no room for them) none. Rows that make up a label, and
    // columns that do: a label lies where they cross and is never cut. False (nothing marked)
    // for rows or columns outside the grid or a reversed range. New rows and columns and
    // ClearSheet carry no marks.
    bool MarkSheetPage(int32_t firstRow, int32_t lastRow);
    bool MarkLabelRows(int32_t firstRow, int32_t lastRow);
    bool MarkLabelColumns(int32_t firstColumn, int32_t lastColumn);
    // The stockmark bits of a row or column; 0 outside the grid.
    uint8_t RowMarks(int32_t row) const;
    uint8_t ColumnMarks(int32_t column) const;
    int64_t TotalRowHeight() const;
    int64_t TotalColumnWidth() const;
    int64_t FixedRowHeight() const;
    int64_t FixedColumnWidth() const;
    int32_t DefaultRowHeight() const;
    int32_t DefaultColumnWidth() const;
    bool SizesChangedMark() const;
    void ClearSizesChangedMark();

    // --- cells --------------------------------------------------------------------------------
    // Cells live in one row-major table: a pointer stays valid until the next change of the row
    // or column total or ClearSheet.
    const CGridCell* GetCell(int32_t row, int32_t column) const;  // null outside the grid
    CGridCell* GetCell(int32_t row, int32_t column);
    // Font ids are valid until ClearSheet or SetGridFont, which start the table afresh; an unknown
    // id reads as the grid font.
    const LogFont& Font(uint32_t fontId) const;
    const LogFont& CellFont(int32_t row, int32_t column) const;  // grid font outside the grid
    uint32_t InternFont(const LogFont& font);

    // what: 1 text, 5 check state (kind 105), 6 picture (kind 106).
    // valueType: 'S' string, 'n' integer, 'F' double, 'B' boolean.
    bool PutCellValue(int32_t row, int32_t column, int what, char16_t valueType,
                      const QVariant& value);
    bool SetRangeFont(int32_t firstRow, int32_t firstColumn, int32_t lastRow, int32_t lastColumn,
                      const QString& faceName, int32_t height);
    bool CentreRowCells(int32_t firstRow, int32_t lastRow);
    void SetPictureSource(IPictureSource* source);

    // --- focus cell and selection -------------------------------------------------------------
    // The focus cell is the one typing edits; (-1, -1) while no cell has it. The selection is an
    // inclusive range inside the grid, or none. A grid that shrinks drops a focus cell outside it
    // and cuts the selection to it; ClearSheet drops both. The observer is not told: whoever
    // moves the focus repaints.
    int32_t FocusRow() const;
    int32_t FocusColumn() const;
    bool HasFocusCell() const { return FocusRow() >= 0; }
    bool SetFocusCell(int32_t row, int32_t column);  // false (nothing changed) outside the grid
    void ClearFocusCell();
    const CellRange* Selection() const;  // null: nothing selected
    // Selects the cells between two corners, in any order; false outside the grid.
    bool SetSelection(int32_t row1, int32_t column1, int32_t row2, int32_t column2);
    void ClearSelection();
    // What cut, copy and paste work on: the selection, else the focus cell; null for neither.
    std::optional<CellRange> ClipboardRange() const;
    // Whether the operator may change the cell's text: inside the grid, not read-only, not
    // covered by a merged range, not the last column a ColumnLinkList entry names.
    bool CellTextEditable(int32_t row, int32_t column) const;

    // --- whole-sheet operations ------------------------------------------------------------
    bool ClearSheet();

    // --- column kinds, merges, links, banding ------------------------------------------------
    bool AddColumnKind(int32_t column, int32_t kind);
    int32_t FindColumnKind(int32_t column) const;  // index of the column's picture entry, or -1
    bool SetColumnKindParam(int32_t column, int32_t value);
    const ColumnKindEntry* ColumnKindOf(int32_t column) const;
    const std::vector<ColumnKindEntry>& ColumnKinds() const;
    QStringList& ListItems();  // the grid's current list items (copied into list kinds)

    bool MergeCells(const CellRange& range);
    const CellRange* MergedRangeAt(int32_t row, int32_t column) const;
    const std::vector<CellRange>& MergedRanges() const;
    std::vector<std::array<int32_t, 4>>& ColumnLinkList();

    void ApplyRowBanding(int32_t mode, COLORREF colourA, COLORREF colourB);
    bool RowBandingOn() const;
    // Applies the remembered banding again when it is on (after the row total changed).
    void ReapplyRowBanding();

    // --- live appearance ---------------------------------------------------------------------
    int32_t GridLineMode() const;
    void SetGridLineMode(int32_t mode);  // live value and stored default
    COLORREF GridLineColour() const;
    void SetGridLineColour(COLORREF colour);  // live only
    COLORREF TextColour() const;
    COLORREF CellBackground() const;
    COLORREF FixedBackground() const;
    COLORREF FixedTextColour() const;
    COLORREF ControlBackground() const;
    void SetControlBackground(COLORREF colour);  // live only
    COLORREF SelectionColour() const;
    COLORREF FocusColour() const;
    bool RowResize() const;
    bool ColumnResize() const;
    bool CellEditing() const;
    void SetCellEditing(bool on);  // live only

    const LogFont& GridFont() const;
    // Stores the font, gives it to every cell and recomputes the default row height and column
    // width from its metrics (when a measurer is set). Existing sizes stay.
    void SetGridFont(const LogFont& font);
    void SetFontMeasurer(IFontMeasurer* measurer);

    // --- printing ------------------------------------------------------------------------------
    PrintSettings& Print() { return print_; }
    const PrintSettings& Print() const { return print_; }
    // which 1..7 (left, right, top, bottom, header, footer, gap); others change nothing.
    void SetPrintLayoutValue(int which, int32_t value);
    int32_t PrintLayoutValue(int which) const;  // 0 outside 1..7
    // Tenths of a millimetre per screen pixel (254 / screen dpi); set by whoever paints.
    double PixelSize() const;
    void SetPixelSize(double tenthsPerPixel);
    int32_t LastPageCount() const;
    void SetLastPageCount(int32_t pages);

    // --- change notification -------------------------------------------------------------------
    void SetObserver(IGridObserver* observer);
    void SetRedraw(bool on);
    bool Redraw() const;
    bool Modified() const;
    void SetModified(bool on);

  private:
    struct State;
    std::unique_ptr<State> s_;
    GridDefaults defaults_;
    PrintSettings print_;
};
