#include "grid/CPreviewDialog.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "grid/GridPrintDialogs.h"
#include "grid/PageRenderer.h"

namespace vantric {

preview::PreviewSheet PreviewPaper() {
    auto usable = [](const preview::PreviewSheet& s) {
        return s.paper.paperWidth > 0 && s.paper.paperHeight > 0 && s.paper.printableWidth > 0 &&
               s.paper.printableHeight > 0 && s.device.dpiX > 0 && s.device.dpiY > 0 &&
               s.device.horzRes > 0 && s.device.vertRes > 0;
    };
    if (QPrinter* remembered = RememberedPrinter();
        remembered != nullptr && remembered->isValid()) {
        const preview::PreviewSheet sheet = preview::SheetOf(MeasuresOf(*remembered));
        if (usable(sheet)) {
            return sheet;
        }
    }
    if (auto printer = CreateDefaultPrinter(); printer && printer->isValid()) {
        const preview::PreviewSheet sheet = preview::SheetOf(MeasuresOf(*printer));
        if (usable(sheet)) {
            return sheet;
        }
    }
    return preview::A4Sheet();
}

CPreviewDialog::CPreviewDialog(PageRenderer& renderer, QWidget* parent)
    : QAbstractScrollArea(parent), renderer_(renderer), sheet_(preview::A4Sheet()) {
    // Always shown, so that a zoom never changes the room it was computed for.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Window);
    setFocusPolicy(Qt::StrongFocus);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setSingleStep(preview::kLineStep);
    }
    RefreshScrollBars();
}

void CPreviewDialog::SetSheet(const preview::PreviewSheet& sheet) {
    sheet_ = sheet;
    RefreshScrollBars();
    viewport()->update();
}

QSize CPreviewDialog::ClientPixels() const {
    return viewport()->size();
}

preview::PreviewScale CPreviewDialog::Scale() const {
    return preview::PreviewScale{viewport()->logicalDpiX(), viewport()->logicalDpiY(), zoom_};
}

void CPreviewDialog::SetZoom(int32_t zoom, bool byButton) {
    zoom_ = zoom;
    zoomByButton_ = zoomByButton_ || byButton;
    RefreshScrollBars();
    viewport()->update();
}

void CPreviewDialog::ZoomIn() {
    SetZoom(preview::ZoomIn(zoom_), true);
}

void CPreviewDialog::ZoomOut() {
    SetZoom(preview::ZoomOut(zoom_), true);
}

void CPreviewDialog::FitWidth(bool byButton) {
    const QSize client = Scale().TrueSizeOf(ClientPixels());
    SetZoom(preview::FitZoom(client.width(), sheet_.paper.paperWidth), byButton);
}

void CPreviewDialog::FitHeight(bool byButton) {
    const QSize client = Scale().TrueSizeOf(ClientPixels());
    SetZoom(preview::FitZoom(client.height(), sheet_.paper.paperHeight), byButton);
}

void CPreviewDialog::SetPage(int32_t page) {
    page_ = page;
    viewport()->update();
}

int32_t CPreviewDialog::TotalPages() {
    const preview::PreviewScale scale = Scale();
    renderer_.SetScreenDpi(scale.dpiX, scale.dpiY);
    return renderer_.Layout(PrinterSurface(sheet_.device));
}

void CPreviewDialog::RefreshScrollBars() {
    const preview::PreviewScale scale = Scale();
    const QSize client = ClientPixels();
    const preview::ScrollSetup v =
        preview::ScrollRange(sheet_.paper.paperHeight, scale.ToTenthsY(client.height()));
    const preview::ScrollSetup h =
        preview::ScrollRange(sheet_.paper.paperWidth, scale.ToTenthsX(client.width()));
    verticalScrollBar()->setRange(0, v.maximum);
    verticalScrollBar()->setPageStep(v.pageStep);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setRange(0, h.maximum);
    horizontalScrollBar()->setPageStep(h.pageStep);
    horizontalScrollBar()->setValue(0);
}

QPoint CPreviewDialog::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CPreviewDialog::PaintView(QPainter& dc, QSize client, const preview::PreviewScale& scale) {
    dc.fillRect(QRect(QPoint(0, 0), client), palette().color(QPalette::Window));
    const preview::SheetPlacement sheet =
        preview::PlaceSheet(sheet_.paper, scale, scale.ToTenthsX(client.width()), ScrollPosition());

    dc.save();
    dc.setPen(QPen(Qt::black, 0));
    dc.setBrush(Qt::white);
    dc.drawRect(sheet.paper.adjusted(0, 0, -1, -1));
    dc.fillRect(sheet.rightShadow, Qt::black);
    dc.fillRect(sheet.bottomShadow, Qt::black);
    dc.restore();

    const QRect printable(sheet.printableOrigin, sheet.printableSize);
    renderer_.SetScreenDpi(scale.dpiX, scale.dpiY);
    if (renderer_.Render(dc, PrinterSurface(sheet_.device), printable, page_) == 0) {
        // A blank sheet would look like a sheet without labels.
        dc.save();
        dc.setPen(Qt::black);
        dc.setFont(font());
        const int pad = printable.width() / 25;
        dc.drawText(printable.adjusted(pad, pad, -pad, -pad), Qt::AlignCenter | Qt::TextWordWrap,
                    NoRoomForTableText(renderer_.Labels().fit, renderer_.Labels().needed));
        dc.restore();
    }
}

void CPreviewDialog::paintEvent(QPaintEvent*) {
    QPainter dc(viewport());
    PaintView(dc, ClientPixels(), Scale());
}

void CPreviewDialog::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Until the operator picks a zoom, the sheet keeps fitting the view's height.
    if (!zoomByButton_) {
        FitHeight(false);
    } else {
        RefreshScrollBars();
    }
}

void CPreviewDialog::wheelEvent(QWheelEvent* event) {
    wheel_ += event->angleDelta();
    // Within the page a wheel step scrolls a line; once the page's top or bottom edge is in view
    // it turns the page, once however far the wheel was spun.
    QScrollBar* vertical = verticalScrollBar();
    for (; wheel_.y() >= preview::kWheelStep; wheel_.ry() -= preview::kWheelStep) {
        if (vertical->value() <= preview::kSheetGap) {
            wheel_.setY(0);
            Q_EMIT WheelPastPage(-1);
            break;
        }
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    for (; wheel_.y() <= -preview::kWheelStep; wheel_.ry() += preview::kWheelStep) {
        if (vertical->value() + vertical->pageStep() >=
            preview::kSheetGap + sheet_.paper.paperHeight) {
            wheel_.setY(0);
            Q_EMIT WheelPastPage(+1);
            break;
        }
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    QScrollBar* horizontal = horizontalScrollBar();
    for (; wheel_.x() >= preview::kWheelStep; wheel_.rx() -= preview::kWheelStep) {
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    for (; wheel_.x() <= -preview::kWheelStep; wheel_.rx() += preview::kWheelStep) {
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

void CPreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // They turn pages, which the preview window does wherever the focus is.
            event->ignore();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace vantric
