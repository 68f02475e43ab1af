// The page renderer of the print preview: one page of a grid, laid out on the printer that will
// print it and drawn by the same page code that prints, scaled onto the preview's sheet.
//
// The page layout (page size, body height, the first row of every page) depends only on the
// printer page and the grid's print settings, never on the preview's zoom, so it is kept from
// one page and one zoom to the next: paging through a sheet of thousands of pages costs one
// page's drawing, never a walk over every row. The grid cannot change under a modal preview
// except through the preview's own dialogs, whose changes (print layout values, printer) are
// part of what the kept layout is checked against.
#pragma once

#include <QRect>
#include <cstdint>
#include <memory>

#include "grid/CGridPrinter.h"
#include "grid/PageLayout.h"

class CGridCtrl;
class QPainter;

namespace vantric {

class PageRenderer {
  public:
    explicit PageRenderer(CGridCtrl& grid);
    ~PageRenderer();
    PageRenderer(const PageRenderer&) = delete;
    PageRenderer& operator=(const PageRenderer&) = delete;

    // Resolution of the screen the preview is shown on.
    void SetScreenDpi(int32_t x, int32_t y);
    // Lays the grid out on the printer page `surface` unless the kept layout already fits it,
    // and returns the page count (0 when the margins leave no room for the table). The count is
    // also stored in the grid.
    int32_t Layout(const PageSurface& surface);
    // Draws `page` (from 1) of that layout with the printable area filling `target`, in device
    // pixels of `dc`. Returns the page count.
    int32_t Render(QPainter& dc, const PageSurface& surface, QRect target, int32_t page);
    // What the labels had room for in the last layout (when it has no pages, how many fit).
    const LabelRoom& Labels() const { return printer_->Geometry().labels; }
    // Drops the kept layout: the next page is laid out afresh.
    void Invalidate();

    // How often a layout was made (for measuring the keeping).
    int64_t LayoutsMade() const { return layoutsMade_; }

  private:
    // What a layout depends on besides the rows and columns' sizes and marks: the layout's own
    // input, and what the page drawing takes from the grid when the layout is made.
    struct Key {
        PageLayoutInput input;
        int32_t printLineWidth = 0;
        int32_t gridLineMode = 0;
        int32_t rows = 0, columns = 0, fixedRows = 0, fixedColumns = 0;
        bool operator==(const Key& other) const = default;
    };
    Key KeyFor(const PageSurface& surface) const;
    void EndLayout();

    CGridCtrl& grid_;
    std::unique_ptr<CGridPrinter> printer_;
    PrintJobInfo info_;
    int32_t screenDpiX_ = 96, screenDpiY_ = 96;
    bool laidOut_ = false;
    Key key_;
    int64_t layoutsMade_ = 0;
};

}  // namespace vantric
