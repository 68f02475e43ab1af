// The page renderer of the print preview: one page of a grid on a preview surface, drawn by the
// same page code that prints.
//
// The page layout (page size, body height, the first row of every page) depends only on the
// surface and the grid's print settings, so it is kept from one page to the next: paging
// through a sheet of thousands of pages costs one page's drawing, never a walk over every row.
// The grid cannot change under a modal preview except through the preview's own dialogs, whose
// changes (print layout values, paper) are part of what the kept layout is checked against.
#pragma once

#include <QPoint>
#include <array>
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

    // Lays the grid out on `surface` unless the kept layout already fits it, and returns the
    // page count (0 when the margins leave no room for the table). The count is also stored in
    // the grid, and the grid's pixel size is taken from the surface, as for every preview page.
    int32_t Layout(const PageSurface& surface);
    // Draws `page` (from 1) with the printable area's top-left corner at `origin`, in device
    // pixels of `dc`. Returns the page count.
    int32_t Render(QPainter& dc, const PageSurface& surface, QPoint origin, int32_t page);
    // Drops the kept layout: the next page is laid out afresh.
    void Invalidate();

    // How often a layout was made (for measuring the keeping).
    int64_t LayoutsMade() const { return layoutsMade_; }

  private:
    // What a layout depends on besides the rows and columns' sizes.
    struct Key {
        PageSurface surface;
        std::array<int32_t, 7> layout{};
        bool fitColumnsToPage = false;
        bool splitColumnsAcrossPages = false;
        int32_t printLineWidth = 0;
        int32_t gridLineMode = 0;
        int32_t rows = 0, columns = 0, fixedRows = 0, fixedColumns = 0;
        bool operator==(const Key& other) const;
    };
    Key KeyFor(const PageSurface& surface) const;
    void EndLayout();

    CGridCtrl& grid_;
    std::unique_ptr<CGridPrinter> printer_;
    PrintJobInfo info_;
    bool laidOut_ = false;
    Key key_;
    int64_t layoutsMade_ = 0;
};

}  // namespace vantric
