// Cells as clipboard text: what cut, copy and paste of cells put on and take from the system
// clipboard. Plain text, the cells of a row separated by tabs and the rows by line ends, so that
// a label's text pastes into any other program and back.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "grid/model/CGridCtrl.h"

// The texts of `range` (clamped to the grid). No line end follows the last row, so one cell
// copies as its bare text.
QString CellsClipboardText(const CGridCtrl& grid, const CellRange& range);

// Asked for each cell before its text changes; false keeps the cell as it is.
using CellEditCheck = std::function<bool(int32_t row, int32_t column)>;

struct PastedCells {
    CellRange covered;     // the cells the text reached inside the grid
    bool changed = false;  // whether a cell's text changed
};

// Writes clipboard text into the grid from (row, column) on: a line per row, a tab-separated
// field per column; a line end at the very end adds no empty row. What falls outside the grid is
// dropped, and so are cells whose text the operator may not change (CellTextEditable, then
// `mayEdit` when given). Marks the grid modified when a text changed. None when (row, column)
// lies outside the grid.
std::optional<PastedCells> PasteCellsClipboardText(CGridCtrl& grid, int32_t row, int32_t column,
                                                   const QString& text,
                                                   const CellEditCheck& mayEdit = {});

// Empties the texts of `range` that the operator may change (as above); true when one changed.
bool ClearCellsText(CGridCtrl& grid, const CellRange& range, const CellEditCheck& mayEdit = {});
