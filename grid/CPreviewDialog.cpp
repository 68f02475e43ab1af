#include "grid/CPreviewDialog.h"

#include <QPainter>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "grid/PageRenderer.h"

namespace vantric {

PaperGeometry PreviewPaper() {
    auto usable = [](const PaperGeometry& g) {
        return g.paperWidth > 0 && g.paperHeight > 0 && g.printableWidth > 0 &&
               g.printableHeight > 0;
    };
    if (QPrinter* remembered = RememberedPrinter();
        remembered != nullptr && remembered->isValid()) {
        const PaperGeometry g = PaperGeometryOf(MeasuresOf(*remembered));
        if (usable(g)) {
            return g;
        }
    }
    if (auto printer = CreateDefaultPrinter(); printer && printer->isValid()) {
        const PaperGeometry g = PaperGeometryOf(MeasuresOf(*printer));
        if (usable(g)) {
            return g;
        }
    }
    return preview::A4Paper();
}

CPreviewDialog::CPreviewDialog(PageRenderer& renderer, QWidget* parent)
    : QAbstractScrollArea(parent), renderer_(renderer), paper_(preview::A4Paper()) {
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

void CPreviewDialog::SetPaper(const PaperGeometry& paper) {
    paper_ = paper;
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
    SetZoom(preview::FitZoom(client.width(), paper_.paperWidth), byButton);
}

void CPreviewDialog::FitHeight(bool byButton) {
    const QSize client = Scale().TrueSizeOf(ClientPixels());
    SetZoom(preview::FitZoom(client.height(), paper_.paperHeight), byButton);
}

void CPreviewDialog::SetPage(int32_t page) {
    page_ = page;
    viewport()->update();
}

int32_t CPreviewDialog::TotalPages() {
    return renderer_.Layout(Surface(Scale()));
}

void CPreviewDialog::RefreshScrollBars() {
    const preview::PreviewScale scale = Scale();
    const QSize client = ClientPixels();
    const preview::ScrollSetup v =
        preview::ScrollRange(paper_.paperHeight, scale.ToTenthsY(client.height()));
    const preview::ScrollSetup h =
        preview::ScrollRange(paper_.paperWidth, scale.ToTenthsX(client.width()));
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

PageSurface CPreviewDialog::Surface(const preview::PreviewScale& scale) const {
    return PreviewSurface(paper_.printableWidth, paper_.printableHeight,
                          scale.ToDeviceX(paper_.printableWidth),
                          scale.ToDeviceY(paper_.printableHeight), scale.dpiX, scale.dpiY);
}

void CPreviewDialog::PaintView(QPainter& dc, QSize client, const preview::PreviewScale& scale) {
    dc.fillRect(QRect(QPoint(0, 0), client), palette().color(QPalette::Window));
    const preview::SheetPlacement sheet =
        preview::PlaceSheet(paper_, scale, scale.ToTenthsX(client.width()), ScrollPosition());

    dc.save();
    dc.setPen(QPen(Qt::black, 0));
    dc.setBrush(Qt::white);
    dc.drawRect(sheet.paper.adjusted(0, 0, -1, -1));
    dc.fillRect(sheet.rightShadow, Qt::black);
    dc.fillRect(sheet.bottomShadow, Qt::black);
    dc.restore();

    renderer_.Render(dc, Surface(scale), sheet.printableOrigin, page_);
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
    auto steps = [](int& amount, QScrollBar* bar) {
        for (; amount >= preview::kWheelStep; amount -= preview::kWheelStep) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        }
        for (; amount <= -preview::kWheelStep; amount += preview::kWheelStep) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
    };
    steps(wheel_.ry(), verticalScrollBar());
    steps(wheel_.rx(), horizontalScrollBar());
    event->accept();
}

}  // namespace vantric
