// Arithmetic of the print preview over plain values: where the sheet lies in the page view, the
// zoom steps and fits, the scroll ranges, the paging rules and the clamping of typed numbers.
//
// The page view measures in tenths of a millimetre ("tenths"), scaled by the zoom in per mille
// (1000 = true size) onto the pixels of a screen of a given resolution.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

#include "platform/Printer.h"

namespace vantric::preview {

constexpr int32_t kTrueSize = 1000;
constexpr int32_t kMinZoom = 300;
constexpr int32_t kMaxStepZoom = 3000;  // the zoom-in button stops here; fits go beyond
constexpr int32_t kZoomStep = 300;
constexpr int32_t kSheetGap = 50;      // room left of and above the sheet
constexpr int32_t kShadowWidth = 20;   // the sheet's shadow
constexpr int32_t kScrollSlack = 100;  // scrolling reaches this far past the sheet
constexpr int32_t kLineStep = 15;      // one scroll-bar arrow click
constexpr int32_t kWheelStep = 120;    // one notch of a mouse wheel, in wheel units

// A4 with no unprintable strips: the sheet shown when there is no printer at all.
PaperGeometry A4Paper();

// What the preview shows: the printer page its pages are laid out on, exactly as that printer
// prints them, and the sheet drawn around them (in tenths of a millimetre).
struct PreviewSheet {
    DeviceMeasures device;
    PaperGeometry paper;
};
// The A4 sheet without a printer, laid out as a PDF file on A4 prints it.
PreviewSheet A4Sheet();
// A printer's page and its sheet.
PreviewSheet SheetOf(const DeviceMeasures& device);

int32_t ZoomIn(int32_t zoom);
int32_t ZoomOut(int32_t zoom);
// The zoom at which `paperTenths` plus the slack fills `clientTenths` (the view measured at true
// size); never below the minimum zoom, no upper limit.
int32_t FitZoom(int32_t clientTenths, int32_t paperTenths);

// Tenths at a zoom onto the pixels of a screen.
struct PreviewScale {
    int32_t dpiX = 96, dpiY = 96;
    int32_t zoom = kTrueSize;

    int32_t ToDeviceX(int32_t tenths) const;
    int32_t ToDeviceY(int32_t tenths) const;
    int32_t ToTenthsX(int32_t pixels) const;
    int32_t ToTenthsY(int32_t pixels) const;
    // The view's size in tenths at true size, what the fits compare the paper with.
    QSize TrueSizeOf(QSize pixels) const;
};

// A scroll bar in Qt's terms: positions 0..maximum with a page of pageStep. The range is the
// sheet plus the slack; the last position shows its end at the bottom (or right) of the view.
struct ScrollSetup {
    int32_t maximum = 0;
    int32_t pageStep = 0;
    bool operator==(const ScrollSetup&) const = default;
};
ScrollSetup ScrollRange(int32_t paperTenths, int32_t clientTenths);

// The sheet as the view draws it, in view pixels.
struct SheetPlacement {
    QRect paper;
    QRect rightShadow, bottomShadow;
    QPoint printableOrigin;  // where the page's printable area starts
    QSize printableSize;     // its size, independent of where the sheet lies
};
// The sheet centred across a view `clientTenthsWidth` wide (at the current zoom), at least the gap
// from the left, the gap below the top, moved by the scroll positions (tenths).
SheetPlacement PlaceSheet(const PaperGeometry& paper, const PreviewScale& scale,
                          int32_t clientTenthsWidth, QPoint scroll);

// Paging: the current page and the enabled state of the previous and next buttons.
struct Paging {
    int32_t current = 1;
    int32_t total = 0;  // 0 while no page count is known
    bool previousEnabled = true;
    bool nextEnabled = true;
    bool operator==(const Paging&) const = default;
};
// A freshly opened preview: both buttons stay enabled unless the sheet has exactly one page.
Paging OpenPaging(int32_t total);
Paging NextPage(Paging p);
Paging PreviousPage(Paging p);
// A jump, or a page count that changed under the current page: the page is clamped to
// 1..total and each button is enabled exactly when there is a page in its direction.
Paging JumpToPage(Paging p, int32_t page);

// "%d / %d", empty while no page count is known.
QString PageIndicatorText(const Paging& p);

// A number typed into an edit, clamped to its range as soon as it is typed.
int32_t ClampTyped(int64_t value, int32_t min, int32_t max);

}  // namespace vantric::preview
