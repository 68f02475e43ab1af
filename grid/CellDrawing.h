// How one cell draws itself: DrawCell on the screen, PrintCell on a printer or preview page. Both
// inset the cell by its margin, then draw either the cell picture (picture columns) or the text
// through DrawCellText. The colour and margin rules are pure functions.
#pragma once

#include <QColor>
#include <cstdint>

#include "grid/GdiText.h"
#include "grid/model/CGridCtrl.h"

class QPainter;

namespace vantric {

// The grid's colours with every default colour already resolved.
struct GridColours {
    COLORREF text = 0x000000;
    COLORREF cellBackground = 0xFFFFFF;
    COLORREF fixedBackground = 0xFFFFFF;
    COLORREF fixedText = 0x000000;
    COLORREF controlBackground = 0xF0F0F0;
    COLORREF gridLine = 0xC0C0C0;
    COLORREF selection = 0xD77800;
    COLORREF selectionText = 0xFFFFFF;
    COLORREF focus = 0x000000;
};
// Takes the system colours (button face, highlight) from the application palette.
GridColours ResolvedColours(const CGridCtrl& grid);

struct CellColours {
    bool fill = false;
    COLORREF background = 0;
    COLORREF text = 0;
    bool operator==(const CellColours&) const = default;
};

// Page colours of a cell. A normal cell on the grid's own background is not filled, and its text
// is black unless it has a colour of its own; a two-colour device greys unfilled text.
CellColours PrintColours(const CGridCellBase& cell, const GridColours& grid, bool printInColour,
                         bool monochrome);
// Screen colours of a cell (before focus and selection).
CellColours ScreenColours(const CGridCellBase& cell, const GridColours& grid, bool erase);
// The two-colour device's grey: each channel weighted and truncated on its own.
COLORREF MonochromeText(COLORREF c);

// Margin inset in logical units: tenths of a millimetre over screen pixels (screen and preview),
// or scaled by the printer's resolution against the grid's pixel size (printer).
int32_t MarginInset(int32_t marginTenths, int32_t logPixelsX, double pixelSize, bool printing);

// What a cell needs to know about where it is drawn.
struct CellPaintContext {
    const CGridCtrl* grid = nullptr;
    GridColours colours;
    FontCache* fonts = nullptr;
    int32_t logPixelsX = 96;  // LOGPIXELSX of the device
    double pixelSize = kDefaultPixelSize;
    bool preview = false;
    bool monochrome = false;
    int32_t lineWidth = 0;  // PrintLineWidth
};

// How a cell is highlighted on screen.
enum class CellHighlight { None, Focused, Selected };

// Print or preview drawing of one cell in rect (logical page units). False for an empty rect, a
// missing cell or no grid.
bool PrintCell(QPainter& dc, const CellPaintContext& ctx, int32_t row, int32_t column,
               const GdiRect& rect);

// Screen drawing of one cell in rect (pixels).
bool DrawCell(QPainter& dc, const CellPaintContext& ctx, int32_t row, int32_t column,
              const GdiRect& rect, bool eraseBackground, CellHighlight highlight);

}  // namespace vantric
