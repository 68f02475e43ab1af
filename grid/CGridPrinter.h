// The paged document of a grid: lays its rows and columns out on pages and draws one page into
// any QPainter, a printer's or a preview surface's.
//
// BeginPrintLayout computes the page geometry once (page size, body, page breaks), PrintOnePage
// draws the page named by the job record: header band, fixed rows and columns, the body rows
// with their grid lines, footer band. EndPrintLayout ends the layout. The page operations are
// virtual so a grid with other needs can print its bands its own way.
#pragma once

#include <QLine>
#include <QRect>
#include <cstdint>
#include <vector>

#include "grid/CellDrawing.h"
#include "grid/GdiText.h"
#include "grid/PageLayout.h"
#include "grid/model/CGridCtrl.h"

class QDate;
class QPainter;

namespace vantric {

// The print-job record.
struct PrintJobInfo {
    int32_t currentPage = 1;
    int32_t minPage = 1;
    int32_t maxPage = 0;  // set by BeginPrintLayout
    GdiRect drawRect;     // the band being drawn
    bool preview = false;
};

// "第 k 页 / 共 n 页" and "y-m-d" without leading zeros, as the footer prints them.
QString PageNumberText(int32_t page, int32_t total);
QString FooterDateText(const QDate& date);

class CGridPrinter {
  public:
    explicit CGridPrinter(CGridCtrl& grid);
    virtual ~CGridPrinter();
    CGridPrinter(const CGridPrinter&) = delete;
    CGridPrinter& operator=(const CGridPrinter&) = delete;

    // Resolution of the screen the grid is shown on (96 when there is none).
    void SetScreenDpi(int32_t x, int32_t y);
    // Where the printable area is drawn, in device pixels of the painter: the printer's whole
    // page when empty (the default); in a preview, the printable area of the sheet it shows.
    void SetPageRect(QRect rect);

    // Lays the grid out on pages of `surface`, a preview's exactly as a print's. With
    // info.preview the cells are inset by the screen's rule. Sets info.maxPage to the page
    // count, 0 when the margins leave no room for a body.
    virtual void BeginPrintLayout(QPainter& dc, const PageSurface& surface, PrintJobInfo& info);
    virtual void PrintOnePage(QPainter& dc, PrintJobInfo& info);
    virtual void EndPrintLayout(QPainter& dc, PrintJobInfo& info);
    virtual void PrintHeadingRows(QPainter& dc, PrintJobInfo& info);
    virtual void PrintPageHeader(QPainter& dc, PrintJobInfo& info);
    virtual void PrintPageFooter(QPainter& dc, PrintJobInfo& info);
    virtual void PrintHeadingColumns(QPainter& dc, PrintJobInfo& info, int32_t width);

    const PageGeometry& Geometry() const { return geometry_; }
    bool LaidOut() const { return laidOut_; }

  protected:
    // One row or column of a block being drawn: grid index and its first and last coordinate.
    struct Span {
        int32_t index;
        int32_t lo;
        int32_t hi;
    };
    // Draws the cells of rows x columns and collects their grid lines.
    void PrintBlock(QPainter& dc, const std::vector<Span>& rows, const std::vector<Span>& columns);
    void FlushLines(QPainter& dc);
    void SetWindowOrigin(QPainter& dc, int32_t x, int32_t y);

    CGridCtrl& grid_;
    PageGeometry geometry_;
    PageSurface surface_;
    bool laidOut_ = false;
    bool preview_ = false;
    int32_t screenDpiX_ = 96, screenDpiY_ = 96;
    QRect pageRect_;
    std::vector<int32_t> rowHeights_;
    std::vector<uint8_t> rowMarks_;
    std::vector<int32_t> columnWidths_;
    std::vector<uint8_t> columnMarks_;
    LogFont printFont_;
    FontCache fonts_{true};
    CellPaintContext cellContext_;
    PagePlace place_;
    std::vector<Span> bodyRows_, bodyColumns_;
    std::vector<QLine> lines_;
    int32_t lastRowPrinted_ = 0;  // last row of the previous page, 0 when none
};

// Renders page `page` of the grid laid out on `surface` as a preview draws it, the printable
// area filling `target` (device pixels of dc). Returns the page count, which it also stores in
// the grid; 0 when the margins leave no room for a body (and nothing is drawn).
int32_t RenderPreviewPage(CGridCtrl& grid, QPainter& dc, const PageSurface& surface, QRect target,
                          int32_t page);

}  // namespace vantric
