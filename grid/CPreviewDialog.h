// The page view of the print preview: a paper-shaped white sheet with its shadow, and on it the
// current page drawn by the page renderer, zoomed and scrolled.
//
// Everything is measured in tenths of a millimetre at the current zoom; the scroll bars run over
// the sheet plus a slack of 100, a page being the view's size.
#pragma once

#include <QAbstractScrollArea>
#include <cstdint>

#include "grid/PageLayout.h"
#include "grid/PreviewGeometry.h"
#include "platform/Printer.h"

namespace vantric {

class PageRenderer;

// The sheet the preview shows and lays its pages out on: that of the printer remembered from the
// last printer dialog or print, else that of the system's default printer, else A4 with no
// unprintable strips.
preview::PreviewSheet PreviewPaper();

class CPreviewDialog : public QAbstractScrollArea {
    Q_OBJECT
  public:
    CPreviewDialog(PageRenderer& renderer, QWidget* parent = nullptr);

    const PaperGeometry& Paper() const { return sheet_.paper; }
    void SetSheet(const preview::PreviewSheet& sheet);

    int32_t Zoom() const { return zoom_; }
    bool ZoomSetByButton() const { return zoomByButton_; }
    void ZoomIn();
    void ZoomOut();
    void FitWidth(bool byButton = true);
    void FitHeight(bool byButton = true);

    int32_t Page() const { return page_; }
    void SetPage(int32_t page);
    // The page count on the sheet's printer (lays the sheet out when needed).
    int32_t TotalPages();

    // Sets both scroll bars to the sheet at the current zoom and scrolls back to the top left.
    void RefreshScrollBars();
    QPoint ScrollPosition() const;

    // The scale of the view's screen at the current zoom.
    preview::PreviewScale Scale() const;
    // Draws the view onto a client of `client` pixels: background, sheet, shadow and page, or
    // instead of the page the words that the margins leave no room for the table.
    void PaintView(QPainter& dc, QSize client, const preview::PreviewScale& scale);

  Q_SIGNALS:
    // A wheel step up (-1) or down (+1) came with that edge of the page in view.
    void WheelPastPage(int direction);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void SetZoom(int32_t zoom, bool byButton);
    QSize ClientPixels() const;

    PageRenderer& renderer_;
    preview::PreviewSheet sheet_;
    int32_t zoom_ = preview::kTrueSize;
    bool zoomByButton_ = false;
    int32_t page_ = 1;
    QPoint wheel_;  // wheel movement not yet a full step
};

}  // namespace vantric
