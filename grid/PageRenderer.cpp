#include "grid/PageRenderer.h"

#include <QImage>
#include <QPainter>

#include "grid/model/CGridCtrl.h"

namespace vantric {

namespace {

bool SameSurface(const PageSurface& a, const PageSurface& b) {
    return a.deviceWidth == b.deviceWidth && a.deviceHeight == b.deviceHeight &&
           a.logPixelsX == b.logPixelsX && a.logPixelsY == b.logPixelsY &&
           a.metricDeviceX == b.metricDeviceX && a.metricTenthsX == b.metricTenthsX &&
           a.metricDeviceY == b.metricDeviceY && a.metricTenthsY == b.metricTenthsY &&
           a.printableTenthsWidth == b.printableTenthsWidth &&
           a.printableTenthsHeight == b.printableTenthsHeight && a.monochrome == b.monochrome;
}

}  // namespace

bool PageRenderer::Key::operator==(const Key& o) const {
    return SameSurface(surface, o.surface) && layout == o.layout &&
           fitColumnsToPage == o.fitColumnsToPage &&
           splitColumnsAcrossPages == o.splitColumnsAcrossPages &&
           printLineWidth == o.printLineWidth && gridLineMode == o.gridLineMode && rows == o.rows &&
           columns == o.columns && fixedRows == o.fixedRows && fixedColumns == o.fixedColumns;
}

PageRenderer::PageRenderer(CGridCtrl& grid)
    : grid_(grid), printer_(std::make_unique<CGridPrinter>(grid)) {}

PageRenderer::~PageRenderer() {
    EndLayout();
}

PageRenderer::Key PageRenderer::KeyFor(const PageSurface& surface) const {
    const PrintSettings& ps = grid_.Print();
    Key k;
    k.surface = surface;
    k.layout = ps.layout;
    k.fitColumnsToPage = ps.fitColumnsToPage;
    k.splitColumnsAcrossPages = ps.splitColumnsAcrossPages;
    k.printLineWidth = ps.printLineWidth;
    k.gridLineMode = grid_.GridLineMode();
    k.rows = grid_.RowCount();
    k.columns = grid_.ColumnCount();
    k.fixedRows = grid_.FixedRowCount();
    k.fixedColumns = grid_.FixedColumnCount();
    return k;
}

void PageRenderer::EndLayout() {
    if (!laidOut_) {
        return;
    }
    // The page operations take a painter but draw nothing when ending a layout.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter dc(&scratch);
    printer_->EndPrintLayout(dc, info_);
    laidOut_ = false;
}

void PageRenderer::Invalidate() {
    EndLayout();
}

int32_t PageRenderer::Layout(const PageSurface& surface) {
    const Key key = KeyFor(surface);
    if (!laidOut_ || !(key == key_)) {
        EndLayout();
        info_ = PrintJobInfo{};
        info_.preview = true;
        info_.drawRect = GdiRect{0, 0, surface.deviceWidth, surface.deviceHeight};
        printer_->SetScreenDpi(surface.logPixelsX, surface.logPixelsY);
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter dc(&scratch);
        printer_->BeginPrintLayout(dc, surface, info_);
        key_ = key;
        laidOut_ = true;
        ++layoutsMade_;
    } else {
        // What laying out does to the grid besides the layout itself, done for every page.
        if (surface.logPixelsX > 0) {
            grid_.SetPixelSize(254.0 / surface.logPixelsX);
        }
        grid_.SetLastPageCount(info_.maxPage);
    }
    return info_.maxPage;
}

int32_t PageRenderer::Render(QPainter& dc, const PageSurface& surface, QPoint origin,
                             int32_t page) {
    const int32_t total = Layout(surface);
    printer_->SetPageOrigin(origin);
    info_.currentPage = page;
    info_.drawRect = GdiRect{0, 0, surface.deviceWidth, surface.deviceHeight};
    printer_->PrintOnePage(dc, info_);
    return total;
}

}  // namespace vantric
