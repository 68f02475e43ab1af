#include "grid/CellDrawing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <cmath>

#include "grid/PictureFit.h"

namespace vantric {

namespace {

COLORREF FromQColor(const QColor& c) {
    return RGBColour(c.red(), c.green(), c.blue());
}

bool HaveGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void DrawCellContent(QPainter& dc, const CellPaintContext& ctx, const CGridCellBase& cell,
                     int32_t column, const GdiRect& inner, COLORREF textColour) {
    const CGridCtrl& grid = *ctx.grid;
    const ColumnKindEntry* kind = grid.ColumnKindOf(column);
    if (cell.picture) {
        // A picture outside a picture column is kept but not shown.
        if (kind != nullptr && kind->kind == colkind::kPicture) {
            const QImage image = DecodedPicture(cell.picture);
            if (!image.isNull()) {
                DrawCellPicture(dc, image, kind->param, inner);
            }
        }
        return;
    }
    dc.setPen(ColourOf(textColour));
    if (kind != nullptr && kind->kind == colkind::kCheck) {
        if (cell.values[0] != 0) {
            GdiRect r = inner;
            DrawTextGdi(dc, QString(QChar(0x2713)), r,
                        dt::kCenter | dt::kVCenter | dt::kSingleLine | dt::kNoClip | dt::kNoPrefix);
        }
        return;
    }
    QString text = cell.text;
    if (kind != nullptr && kind->kind == colkind::kCurrency && !cell.IsFixed() && !text.isEmpty()) {
        text = kind->prefix + text;
    }
    if (text.isEmpty()) {
        return;
    }
    const uint32_t format =
        cell.format | dt::kNoPrefix | (cell.IsFixed() ? dt::kNoClip : uint32_t{0});
    DrawCellText(dc, text, inner, format);
}

GdiRect Inset(const GdiRect& r, int32_t by) {
    return GdiRect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

}  // namespace

GridColours ResolvedColours(const CGridCtrl& grid) {
    GridColours c;
    COLORREF buttonFace = 0xF0F0F0;
    COLORREF highlight = 0xD77800;
    COLORREF highlightText = 0xFFFFFF;
    if (HaveGuiApplication()) {
        const QPalette palette = QGuiApplication::palette();
        buttonFace = FromQColor(palette.color(QPalette::Button));
        highlight = FromQColor(palette.color(QPalette::Highlight));
        highlightText = FromQColor(palette.color(QPalette::HighlightedText));
    }
    c.text = Resolve(grid.TextColour(), 0x000000);
    c.cellBackground = Resolve(grid.CellBackground(), 0xFFFFFF);
    c.fixedBackground = Resolve(grid.FixedBackground(), buttonFace);
    c.fixedText = Resolve(grid.FixedTextColour(), 0x000000);
    c.controlBackground = Resolve(grid.ControlBackground(), buttonFace);
    c.gridLine = Resolve(grid.GridLineColour(), 0xC0C0C0);
    c.selection = Resolve(grid.SelectionColour(), highlight);
    c.selectionText = highlightText;
    c.focus = Resolve(grid.FocusColour(), 0x000000);
    return c;
}

COLORREF MonochromeText(COLORREF c) {
    const int32_t r = c & 0xFF;
    const int32_t g = (c >> 8) & 0xFF;
    const int32_t b = (c >> 16) & 0xFF;
    const auto rr = static_cast<COLORREF>(r * 0.3);
    const auto gg = static_cast<COLORREF>(g * 0.59);
    const auto bb = static_cast<COLORREF>(b * 0.11);
    return (gg << 8) | rr | (bb << 16);
}

CellColours PrintColours(const CGridCellBase& cell, const GridColours& grid, bool printInColour,
                         bool monochrome) {
    CellColours c;
    c.text = 0x000000;
    if (!printInColour) {
        return c;
    }
    const bool ownBackground = cell.background != kDefaultColour;
    if (ownBackground) {
        c.background = cell.background;
        c.fill = cell.IsFixed() || cell.background != grid.cellBackground;
        c.text = Resolve(cell.textColour, grid.text);
    } else if (cell.IsFixed()) {
        c.background = grid.controlBackground;
        c.fill = true;
        c.text = Resolve(cell.textColour, grid.fixedText);
    } else if (cell.textColour != kDefaultColour && cell.textColour != grid.text) {
        c.text = cell.textColour;
    }
    if (monochrome && !c.fill) {
        c.text = MonochromeText(c.text);
    }
    return c;
}

CellColours ScreenColours(const CGridCellBase& cell, const GridColours& grid, bool erase) {
    CellColours c;
    c.text = Resolve(cell.textColour, cell.IsFixed() ? grid.fixedText : grid.text);
    if (cell.background != kDefaultColour) {
        c.background = cell.background;
        c.fill = true;
    } else {
        c.background = cell.IsFixed() ? grid.controlBackground : grid.cellBackground;
        c.fill = erase;
    }
    return c;
}

int32_t MarginInset(int32_t marginTenths, int32_t logPixelsX, double pixelSize, bool printing) {
    if (logPixelsX <= 0) {
        return 0;
    }
    const double tenthsPerDot = PixelSizeAt(logPixelsX);
    if (printing) {
        return pixelSize > 0 ? static_cast<int32_t>(marginTenths * tenthsPerDot / pixelSize) : 0;
    }
    return static_cast<int32_t>(marginTenths / tenthsPerDot);
}

bool PrintCell(QPainter& dc, const CellPaintContext& ctx, int32_t row, int32_t column,
               const GdiRect& rect) {
    if (ctx.grid == nullptr || rect.IsEmpty()) {
        return false;
    }
    const CGridCtrl& grid = *ctx.grid;
    const CGridCell* cell = grid.GetCell(row, column);
    if (cell == nullptr) {
        return false;
    }
    const bool inColour = grid.Print().printInColour;
    const CellColours colours = PrintColours(*cell, ctx.colours, inColour, ctx.monochrome);
    if (colours.fill) {
        dc.fillRect(QRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1),
                    ColourOf(colours.background));
    }

    QFont font = ctx.fonts->Get(cell->fontId, grid.Font(cell->fontId));
    if (cell->IsFixed() && !inColour) {
        font.setWeight(QFont::Bold);
    }
    dc.setFont(font);

    const int32_t mode = grid.GridLineMode();
    if (cell->IsFixed() && mode != 0) {
        QPen pen(ColourOf(ctx.colours.gridLine), ctx.lineWidth);
        dc.setPen(pen);
        dc.drawLine(rect.left, rect.top, rect.right, rect.top);
        dc.drawLine(rect.left, rect.top, rect.left, rect.bottom);
        if (column == grid.ColumnCount() - 1) {
            dc.drawLine(rect.right, rect.top, rect.right, rect.bottom);
        }
        if (row == grid.RowCount() - 1) {
            dc.drawLine(rect.left, rect.bottom, rect.right, rect.bottom);
        }
    }

    const int32_t inset = MarginInset(cell->margin, ctx.logPixelsX, ctx.pixelSize, !ctx.preview);
    DrawCellContent(dc, ctx, *cell, column, Inset(rect, inset), colours.text);
    return true;
}

bool DrawCell(QPainter& dc, const CellPaintContext& ctx, int32_t row, int32_t column,
              const GdiRect& rect, bool eraseBackground, CellHighlight highlight) {
    if (ctx.grid == nullptr || rect.IsEmpty()) {
        return false;
    }
    const CGridCtrl& grid = *ctx.grid;
    const CGridCell* cell = grid.GetCell(row, column);
    if (cell == nullptr) {
        return false;
    }
    CellColours colours = ScreenColours(*cell, ctx.colours, eraseBackground);
    const QRect fillRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1);
    if (highlight == CellHighlight::Selected) {
        dc.fillRect(fillRect, ColourOf(ctx.colours.selection));
        colours.text = ctx.colours.selectionText;
    } else if (colours.fill || highlight == CellHighlight::Focused) {
        dc.fillRect(fillRect, ColourOf(colours.background));
    }
    if (highlight == CellHighlight::Focused) {
        // Inside the grid lines, so the frame stays visible once they are drawn over the cell.
        const int32_t in = ctx.lineWidth / 2 + 1;
        dc.setPen(QPen(ColourOf(ctx.colours.focus), 1));
        dc.setBrush(Qt::NoBrush);
        dc.drawRect(
            QRect(rect.left + in, rect.top + in, rect.Width() - 2 * in, rect.Height() - 2 * in));
    }

    dc.setFont(ctx.fonts->Get(cell->fontId, grid.Font(cell->fontId)));
    const int32_t mode = grid.GridLineMode();
    if (cell->IsFixed() && mode != 0) {
        dc.setPen(QPen(ColourOf(ctx.colours.gridLine), ctx.lineWidth));
        const int32_t right = ctx.lineWidth < 2 ? rect.right - 1 : rect.right;
        dc.drawLine(right, rect.top, right, rect.bottom);
        dc.drawLine(rect.left, rect.bottom, rect.right, rect.bottom);
    }
    const int32_t inset = MarginInset(cell->margin, ctx.logPixelsX, ctx.pixelSize, false);
    DrawCellContent(dc, ctx, *cell, column, Inset(rect, inset), colours.text);
    return true;
}

}  // namespace vantric
