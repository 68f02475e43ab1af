// The live state behind CGridCtrl, shared by the files that implement it. Not for other code.
#pragma once

#include <vector>

#include "grid/model/CGridCtrl.h"
#include "grid/model/GridFontTable.h"

struct CGridCtrl::State {
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t fixedRows = 0;
    int32_t fixedColumns = 0;
    std::vector<int32_t> rowHeights;
    std::vector<uint8_t> rowMarks;  // stockmark bits per row
    std::vector<int32_t> columnWidths;
    std::vector<uint8_t> columnMarks;  // stockmark bits per column
    std::vector<CGridCell> cells;      // row-major, rows x columns
    GridFontTable fonts;               // id 0 is always the grid font
    int32_t defaultRowHeight = 24;
    int32_t defaultColumnWidth = 60;
    bool sizesChanged = false;
    int32_t focusRow = -1;
    int32_t focusColumn = -1;
    bool hasSelection = false;
    CellRange selection;

    COLORREF gridLineColour = 0xC0C0C0;
    COLORREF textColour = 0x000000;
    COLORREF cellBackground = 0xFFFFFF;
    COLORREF fixedBackground = 0xFFFFFF;
    COLORREF fixedTextColour = kDefaultColour;
    COLORREF controlBackground = kDefaultColour;
    COLORREF selectionColour = kDefaultColour;
    COLORREF focusColour = kDefaultColour;
    int32_t gridLineMode = 3;
    bool rowResize = true;
    bool columnResize = true;
    bool cellEditing = true;
    bool mouseSelection = true;
    bool furtherSelection = false;

    std::vector<ColumnKindEntry> kinds;
    QStringList listItems;
    std::vector<CellRange> merged;
    std::vector<std::array<int32_t, 4>> links;

    bool bandingOn = false;
    int32_t bandingMode = 0;
    COLORREF bandingA = 0;
    COLORREF bandingB = 0;

    bool redraw = true;
    bool modified = false;
    IGridObserver* observer = nullptr;
    IFontMeasurer* measurer = nullptr;
    IPictureSource* pictures = nullptr;
    double pixelSize = kDefaultPixelSize;
    int32_t lastPageCount = 0;

    bool Inside(int32_t r, int32_t c) const { return r >= 0 && r < rows && c >= 0 && c < columns; }
    CGridCell& At(int32_t r, int32_t c) {
        return cells[static_cast<size_t>(r) * static_cast<size_t>(columns) +
                     static_cast<size_t>(c)];
    }
    bool IsFixedPlace(int32_t r, int32_t c) const { return r < fixedRows || c < fixedColumns; }
    // After the grid shrank: a focus cell outside it goes, a selection is cut to it.
    void FitFocusAndSelection();

    // A new cell: grid font, the format of the cell above it (when given), the fixed flag when
    // it lies in a fixed row or column.
    CGridCell NewCell(int32_t r, int32_t c, const CGridCell* above) const;

    // Row and column totals without telling the observer; false (and nothing changed) when the
    // total is negative, too large, or memory runs out.
    bool ResizeRows(int32_t n);
    bool ResizeColumns(int32_t n);
    // Sets or clears the fixed flag of every cell in rows [r0, r1) and columns [c0, c1) to match
    // the fixed counts; a cell whose flag changes gets the default colours back.
    void RefreshFixedFlags(int32_t r0, int32_t r1, int32_t c0, int32_t c1);
    void PaintBanding();
    // The stored defaults a new sheet starts from: colours of lines, cells and text, the
    // grid-line mode, resizing, default sizes, cell editing, AskForPrinter and the preview's
    // print button (what ClearSheet restores; creating the window copies the rest too).
    void TakeSheetDefaults(const GridDefaults& d, PrintSettings& print);

    void Repaint() const {
        if (redraw && observer) {
            observer->GridContentChanged();
        }
    }
    void SizesChanged() const {
        if (redraw && observer) {
            observer->GridSizesChanged();
        }
    }
};
