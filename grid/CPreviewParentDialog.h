// The print preview window: a row of buttons (print, margins, print setup, paging, zoom, close),
// the page indicator, and below them the page view with the current page.
//
// The window pages, zooms and fits through the page view, opens the page-jump and margin
// dialogs, and prints the grid through whatever print command it was given, so it works on a
// bare grid model as well as on the grid window.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "grid/PreviewGeometry.h"
#include "platform/Printer.h"

class CGridCtrl;
class QLabel;
class QPushButton;

namespace vantric {

class CPreviewDialog;
class IPrinterChooser;
class PageRenderer;

class CPreviewParentDialog : public QDialog {
    Q_OBJECT
  public:
    // Control ids of the window, in the order of the button row.
    enum ControlId : int {
        kPrint = 29536,
        kMargins = 29537,
        kPrintSetup = 29538,
        kPrevious = 29539,
        kNext = 29540,
        kGoto = 29541,
        kZoomIn = 29542,
        kZoomOut = 29543,
        kFitWidth = 29544,
        kFitHeight = 29545,
        kClose = 29546,
        kPageIndicator = 29547,
    };

    // `printSheet` is what "打印" runs. The sheet shown is `sheet`, or when none is given that of
    // the printers (PreviewPaper). The page count is known at once: the page view lays the grid
    // out before the window shows.
    CPreviewParentDialog(CGridCtrl& grid, std::function<int()> printSheet,
                         std::optional<preview::PreviewSheet> sheet = std::nullopt,
                         QWidget* parent = nullptr);
    ~CPreviewParentDialog() override;

    QPushButton* Button(int id) const;
    QLabel* PageIndicator() const { return indicator_; }
    CPreviewDialog* PageView() const { return view_; }
    PageRenderer& Renderer() { return *renderer_; }
    const preview::Paging& PagingState() const { return paging_; }

    // The dialogs the window opens; each defaults to the real one.
    using GotoPrompt = std::function<std::optional<int32_t>(int32_t total, int32_t current)>;
    using MarginPrompt = std::function<bool(CGridCtrl& grid)>;  // true when accepted
    void SetPrinterChooser(IPrinterChooser* chooser) { chooser_ = chooser; }
    void SetGotoPrompt(GotoPrompt prompt) { gotoPrompt_ = std::move(prompt); }
    void SetMarginPrompt(MarginPrompt prompt) { marginPrompt_ = std::move(prompt); }

  public Q_SLOTS:
    void Print();
    void EditMargins();
    void PrintSetup();
    void PreviousPage();
    void NextPage();
    void FirstPage();
    void LastPage();
    void GotoPage();
    void ZoomIn();
    void ZoomOut();
    void FitWidth();
    void FitHeight();
    void Close();
    // Scroll bars back to the top, the page drawn again, the indicator brought up to date.
    void Redraw();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Page Up and Page Down turn the page, Home and End go to the first and the last.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ApplyPaging(const preview::Paging& paging);
    // The wheel went on past the top (-1) or bottom (+1) of the page: the page before is shown
    // from its bottom, the page after from its top.
    void TurnPageByWheel(int direction);
    // Shows another sheet (printer or paper changed), fitted to the view's height.
    void ShowSheet(const preview::PreviewSheet& sheet);
    void LayOutChildren();

    CGridCtrl& grid_;
    std::function<int()> printSheet_;
    std::unique_ptr<PageRenderer> renderer_;
    std::array<QPushButton*, 11> buttons_{};
    QLabel* indicator_ = nullptr;
    CPreviewDialog* view_ = nullptr;
    preview::Paging paging_;
    IPrinterChooser* chooser_ = nullptr;
    GotoPrompt gotoPrompt_;
    MarginPrompt marginPrompt_;
};

}  // namespace vantric
