#include "grid/PageRenderer.h"

#include <QImage>
#include <QPainter>

#include "grid/model/CGridCtrl.h"

namespace vantric {

PageRenderer::PageRenderer(CGridCtrl& grid)
    : grid_(grid), printer_(std::make_unique<CGridPrinter>(grid)) {}

PageRenderer::~PageRenderer() {
    EndLayout();
}

PageRenderer::Key PageRenderer::KeyFor(const PageSurface& surface) const {
    const PrintSettings& ps = grid_.Print();
    Key k;
    k.input = LayoutInputOf(grid_, surface, screenDpiX_, screenDpiY_);
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

void PageRenderer::SetScreenDpi(int32_t x, int32_t y) {
    screenDpiX_ = x > 0 ? x : 96;
    screenDpiY_ = y > 0 ? y : 96;
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
        printer_->SetScreenDpi(screenDpiX_, screenDpiY_);
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter dc(&scratch);
        printer_->BeginPrintLayout(dc, surface, info_);
        key_ = key;
        laidOut_ = true;
        ++layoutsMade_;
    } else {
        grid_.SetLastPageCount(info_.maxPage);
    }
    return info_.maxPage;
}

int32_t PageRenderer::Render(QPainter& dc, const PageSurface& surface, QRect target, int32_t page) {
    const int32_t total = Layout(surface);
    printer_->SetPageRect(target);
    info_.currentPage = page;
    info_.drawRect = GdiRect{0, 0, surface.deviceWidth, surface.deviceHeight};
    printer_->PrintOnePage(dc, info_);
    return total;
}

}  // namespace vantric
