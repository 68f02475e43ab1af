#include "grid/CPreviewParentDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>

#include "grid/CPreviewDialog.h"
#include "grid/CPreviewGotoDialog.h"
#include "grid/CSetMarginDialog.h"
#include "grid/GridPrintDialogs.h"
#include "grid/PageRenderer.h"
#include "grid/PreviewWidgets.h"
#include "grid/model/CGridCtrl.h"

namespace vantric {

namespace {

constexpr int kButtonTop = 10;
constexpr int kButtonGap = 6;
constexpr int kBelowButtons = 20;  // the page view starts this far below one button's height

struct ButtonText {
    int id;
    const char16_t* text;
};
constexpr std::array<ButtonText, 11> kButtons{{
    {CPreviewParentDialog::kPrint, u"打印"},
    {CPreviewParentDialog::kMargins, u"页边距"},
    {CPreviewParentDialog::kPrintSetup, u"打印设置"},
    {CPreviewParentDialog::kPrevious, u"上页"},
    {CPreviewParentDialog::kNext, u"下页"},
    {CPreviewParentDialog::kGoto, u"指定页"},
    {CPreviewParentDialog::kZoomIn, u"放大"},
    {CPreviewParentDialog::kZoomOut, u"缩小"},
    {CPreviewParentDialog::kFitWidth, u"等宽"},
    {CPreviewParentDialog::kFitHeight, u"等高"},
    {CPreviewParentDialog::kClose, u"关闭"},
}};

}  // namespace

CPreviewParentDialog::CPreviewParentDialog(CGridCtrl& grid, std::function<int()> printSheet,
                                           std::optional<preview::PreviewSheet> sheet,
                                           QWidget* parent)
    : QDialog(parent),
      grid_(grid),
      printSheet_(std::move(printSheet)),
      renderer_(std::make_unique<PageRenderer>(grid)) {
    setWindowTitle(QStringLiteral("打印预览"));
    setFont(PreviewDialogFont());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowState(windowState() | Qt::WindowMaximized);
    // Where no window manager maximises it, the window still fills the screen.
    if (const QScreen* screen = this->screen(); screen != nullptr) {
        setGeometry(screen->availableGeometry());
    }

    void (CPreviewParentDialog::*const actions[])() = {
        &CPreviewParentDialog::Print,      &CPreviewParentDialog::EditMargins,
        &CPreviewParentDialog::PrintSetup, &CPreviewParentDialog::PreviousPage,
        &CPreviewParentDialog::NextPage,   &CPreviewParentDialog::GotoPage,
        &CPreviewParentDialog::ZoomIn,     &CPreviewParentDialog::ZoomOut,
        &CPreviewParentDialog::FitWidth,   &CPreviewParentDialog::FitHeight,
        &CPreviewParentDialog::Close,
    };
    for (size_t i = 0; i < kButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf16(kButtons[i].text), this);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, actions[i]);
        buttons_[i] = button;
    }
    Button(kPrint)->setVisible(grid_.Print().previewPrintButton);
    indicator_ = new QLabel(this);

    view_ = new CPreviewDialog(*renderer_, this);
    view_->SetSheet(sheet ? *sheet : PreviewPaper());
    connect(view_, &CPreviewDialog::WheelPastPage, this, &CPreviewParentDialog::TurnPageByWheel);
    LayOutChildren();

    // Twice: the first fit may change the room the second one measures.
    view_->FitHeight(false);
    view_->FitHeight(false);
    paging_ = preview::OpenPaging(view_->TotalPages());
    ApplyPaging(paging_);
    view_->setFocus();
}

CPreviewParentDialog::~CPreviewParentDialog() {
    // The page view draws through the renderer: it goes first.
    delete view_;
    view_ = nullptr;
}

QPushButton* CPreviewParentDialog::Button(int id) const {
    const int index = id - kPrint;
    if (index < 0 || index >= static_cast<int>(buttons_.size())) {
        return nullptr;
    }
    return buttons_[static_cast<size_t>(index)];
}

void CPreviewParentDialog::ApplyPaging(const preview::Paging& paging) {
    paging_ = paging;
    Button(kPrevious)->setEnabled(paging_.previousEnabled);
    Button(kNext)->setEnabled(paging_.nextEnabled);
    Button(kGoto)->setEnabled(paging_.total > 0);
    indicator_->setText(preview::PageIndicatorText(paging_));
    indicator_->adjustSize();
    view_->SetPage(paging_.current);
}

void CPreviewParentDialog::Redraw() {
    view_->RefreshScrollBars();
    update();
    view_->viewport()->update();
    const int32_t total = view_->TotalPages();
    preview::Paging paging = paging_;
    if (total != paging.total) {
        // New margins or paper changed the page count: keep to a page that exists.
        paging.total = total;
        paging = preview::JumpToPage(paging, paging.current);
    }
    ApplyPaging(paging);
}

void CPreviewParentDialog::Print() {
    if (printSheet_) {
        const QPrinter* before = RememberedPrinter();
        printSheet_();
        // An accepted print dialog may have chosen another printer or paper: show its sheet.
        if (RememberedPrinter() != before) {
            ShowSheet(PreviewPaper());
        }
    }
}

void CPreviewParentDialog::EditMargins() {
    const bool accepted = marginPrompt_ ? marginPrompt_(grid_) : [&] {
        CSetMarginDialog dialog(grid_, this);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (accepted) {
        Redraw();
    }
}

void CPreviewParentDialog::PrintSetup() {
    DialogPrinterChooser dialog(this);
    IPrinterChooser& chooser = chooser_ != nullptr ? *chooser_ : dialog;
    // The dialog works on a copy of the remembered printer, which changes only when accepted.
    std::unique_ptr<QPrinter> chosen = PrinterForDialog();
    if (!chooser.Choose(*chosen)) {
        return;
    }
    RememberPrinter(std::move(chosen));
    ShowSheet(PreviewPaper());
}

void CPreviewParentDialog::ShowSheet(const preview::PreviewSheet& sheet) {
    view_->SetSheet(sheet);
    view_->FitHeight(false);
    Redraw();
}

void CPreviewParentDialog::PreviousPage() {
    ApplyPaging(preview::PreviousPage(paging_));
    Redraw();
}

void CPreviewParentDialog::NextPage() {
    ApplyPaging(preview::NextPage(paging_));
    Redraw();
}

void CPreviewParentDialog::FirstPage() {
    ApplyPaging(preview::JumpToPage(paging_, 1));
    Redraw();
}

void CPreviewParentDialog::LastPage() {
    ApplyPaging(preview::JumpToPage(paging_, paging_.total));
    Redraw();
}

void CPreviewParentDialog::TurnPageByWheel(int direction) {
    if (direction < 0 && paging_.current > 1) {
        PreviousPage();
        QScrollBar* bar = view_->verticalScrollBar();
        bar->setValue(bar->maximum());
    } else if (direction > 0 && paging_.current < paging_.total) {
        NextPage();
    }
}

void CPreviewParentDialog::keyPressEvent(QKeyEvent* event) {
    // At either end, and without pages, the keys leave the view where it is.
    const preview::Paging& p = paging_;
    switch (event->key()) {
        case Qt::Key_PageUp:
            if (p.current > 1) {
                PreviousPage();
            }
            return;
        case Qt::Key_PageDown:
            if (p.current < p.total) {
                NextPage();
            }
            return;
        case Qt::Key_Home:
            if (p.total > 0) {
                FirstPage();
            }
            return;
        case Qt::Key_End:
            if (p.total > 0) {
                LastPage();
            }
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CPreviewParentDialog::GotoPage() {
    const std::optional<int32_t> page =
        gotoPrompt_ ? gotoPrompt_(paging_.total, paging_.current)
                    : CPreviewGotoDialog::Ask(this, paging_.total, paging_.current);
    if (!page) {
        return;
    }
    ApplyPaging(preview::JumpToPage(paging_, *page));
    Redraw();
}

void CPreviewParentDialog::Close() {
    close();
}

void CPreviewParentDialog::ZoomIn() {
    view_->ZoomIn();
    Redraw();
}

void CPreviewParentDialog::ZoomOut() {
    view_->ZoomOut();
    Redraw();
}

void CPreviewParentDialog::FitWidth() {
    view_->FitWidth();
    Redraw();
}

void CPreviewParentDialog::FitHeight() {
    view_->FitHeight();
    Redraw();
}

void CPreviewParentDialog::LayOutChildren() {
    int x = kButtonGap;
    int buttonHeight = 0;
    for (QPushButton* button : buttons_) {
        const QSize hint = button->sizeHint();
        buttonHeight = std::max(buttonHeight, hint.height());
        if (button->isHidden()) {
            continue;
        }
        button->setGeometry(x, kButtonTop, hint.width(), hint.height());
        x += hint.width() + kButtonGap;
    }
    indicator_->move(x + 2 * kButtonGap,
                     kButtonTop + (buttonHeight - indicator_->sizeHint().height()) / 2);
    const int top = buttonHeight + kBelowButtons;
    view_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void CPreviewParentDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOutChildren();
    Redraw();
}

}  // namespace vantric
