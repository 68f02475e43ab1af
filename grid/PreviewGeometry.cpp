#include "grid/PreviewGeometry.h"

#include <QString>
#include <algorithm>

#include "grid/PageLayout.h"

namespace vantric::preview {

namespace {

// Tenths of a millimetre per inch, times the per-mille zoom unit.
constexpr int64_t kTenthsPerInchAtTrueSize = int64_t{254} * kTrueSize;

int32_t Positive(int32_t v, int32_t fallback) {
    return v > 0 ? v : fallback;
}

}  // namespace

PaperGeometry A4Paper() {
    PaperGeometry g;
    g.paperWidth = g.printableWidth = 2100;
    g.paperHeight = g.printableHeight = 2970;
    return g;
}

PreviewSheet A4Sheet() {
    // The resolution PDF files and print queues are printed at.
    constexpr int32_t kPrintDpi = 1200;
    return PreviewSheet{A4Measures(kPrintDpi), A4Paper()};
}

PreviewSheet SheetOf(const DeviceMeasures& device) {
    return PreviewSheet{device, PaperGeometryOf(device)};
}

int32_t ZoomIn(int32_t zoom) {
    return std::min(zoom + kZoomStep, kMaxStepZoom);
}

int32_t ZoomOut(int32_t zoom) {
    return zoom < 2 * kMinZoom ? kMinZoom : zoom - kZoomStep;
}

int32_t FitZoom(int32_t clientTenths, int32_t paperTenths) {
    const int64_t zoom = int64_t{clientTenths} * kTrueSize / (int64_t{paperTenths} + kScrollSlack);
    return static_cast<int32_t>(std::clamp<int64_t>(zoom, kMinZoom, INT32_MAX));
}

int32_t PreviewScale::ToDeviceX(int32_t tenths) const {
    return MulDiv(tenths, int64_t{Positive(dpiX, 96)} * Positive(zoom, kTrueSize),
                  kTenthsPerInchAtTrueSize);
}

int32_t PreviewScale::ToDeviceY(int32_t tenths) const {
    return MulDiv(tenths, int64_t{Positive(dpiY, 96)} * Positive(zoom, kTrueSize),
                  kTenthsPerInchAtTrueSize);
}

int32_t PreviewScale::ToTenthsX(int32_t pixels) const {
    return MulDiv(pixels, kTenthsPerInchAtTrueSize,
                  int64_t{Positive(dpiX, 96)} * Positive(zoom, kTrueSize));
}

int32_t PreviewScale::ToTenthsY(int32_t pixels) const {
    return MulDiv(pixels, kTenthsPerInchAtTrueSize,
                  int64_t{Positive(dpiY, 96)} * Positive(zoom, kTrueSize));
}

QSize PreviewScale::TrueSizeOf(QSize pixels) const {
    const PreviewScale trueSize{dpiX, dpiY, kTrueSize};
    return QSize(trueSize.ToTenthsX(pixels.width()), trueSize.ToTenthsY(pixels.height()));
}

ScrollSetup ScrollRange(int32_t paperTenths, int32_t clientTenths) {
    ScrollSetup s;
    s.pageStep = std::max(clientTenths, 0);
    // Positions run from 0 to the range's end less a page plus one, as a page-sized thumb
    // allows.
    const int64_t end = int64_t{paperTenths} + kScrollSlack;
    s.maximum = static_cast<int32_t>(std::clamp<int64_t>(end - s.pageStep + 1, 0, INT32_MAX));
    return s;
}

SheetPlacement PlaceSheet(const PaperGeometry& paper, const PreviewScale& scale,
                          int32_t clientTenthsWidth, QPoint scroll) {
    const int32_t left =
        std::max(kSheetGap, (clientTenthsWidth - paper.paperWidth) / 2) - scroll.x();
    const int32_t top = kSheetGap - scroll.y();
    const int32_t right = left + paper.paperWidth;
    const int32_t bottom = top + paper.paperHeight;
    auto deviceRect = [&](int32_t l, int32_t t, int32_t r, int32_t b) {
        const int32_t x = scale.ToDeviceX(l);
        const int32_t y = scale.ToDeviceY(t);
        return QRect(x, y, scale.ToDeviceX(r) - x, scale.ToDeviceY(b) - y);
    };

    SheetPlacement s;
    s.paper = deviceRect(left, top, right, bottom);
    s.rightShadow =
        deviceRect(right, top + kShadowWidth, right + kShadowWidth, bottom + kShadowWidth);
    s.bottomShadow =
        deviceRect(left + kShadowWidth, bottom, right + kShadowWidth, bottom + kShadowWidth);
    s.printableOrigin =
        QPoint(scale.ToDeviceX(left + paper.offsetLeft), scale.ToDeviceY(top + paper.offsetTop));
    // Measured on its own so that scrolling never changes the page's size by a rounding.
    s.printableSize =
        QSize(scale.ToDeviceX(paper.printableWidth), scale.ToDeviceY(paper.printableHeight));
    return s;
}

Paging OpenPaging(int32_t total) {
    Paging p;
    p.total = std::max(total, 0);
    if (p.total == 1) {
        p.previousEnabled = p.nextEnabled = false;
    } else if (p.total == 0) {
        // No page to move to: the margins leave no room for the table.
        p.previousEnabled = p.nextEnabled = false;
    }
    return p;
}

Paging NextPage(Paging p) {
    if (p.total > 0 && p.current >= p.total) {
        p.nextEnabled = false;
        return p;
    }
    ++p.current;
    p.previousEnabled = true;
    p.nextEnabled = p.current < p.total;
    return p;
}

Paging PreviousPage(Paging p) {
    if (p.current <= 1) {
        p.previousEnabled = false;
        return p;
    }
    --p.current;
    p.previousEnabled = p.current > 1;
    p.nextEnabled = true;
    return p;
}

Paging JumpToPage(Paging p, int32_t page) {
    if (p.total <= 0) {
        p.current = 1;
        p.previousEnabled = p.nextEnabled = false;
        return p;
    }
    p.current = std::clamp(page, 1, p.total);
    p.previousEnabled = p.current > 1;
    p.nextEnabled = p.current < p.total;
    return p;
}

QString PageIndicatorText(const Paging& p) {
    if (p.total <= 0) {
        return QString();
    }
    return QString::asprintf("%d / %d", p.current, p.total);
}

int32_t ClampTyped(int64_t value, int32_t min, int32_t max) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, min, std::max(min, max)));
}

}  // namespace vantric::preview
