#include "grid/CPreviewGotoDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "grid/PreviewWidgets.h"

namespace vantric {

CPreviewGotoDialog::CPreviewGotoDialog(int32_t totalPages, int32_t currentPage, QWidget* parent)
    : QDialog(parent),
      total_(std::max(totalPages, 1)),
      current_(std::clamp(currentPage, 1, total_)),
      page_(current_) {
    setWindowTitle(QStringLiteral("跳转到指定页面"));
    setFont(PreviewDialogFont());

    auto* prompt = new QLabel(QStringLiteral("请输入欲跳转到的页号:"), this);
    // The arrows step through the sheet's pages; whatever is typed is held to them too.
    edit_ = new ClampedNumberEdit(1, total_, false, this);
    edit_->SetMaxTypedLength(4);  // up to 9999
    edit_->setValue(current_);
    edit_->selectAll();
    prompt->setBuddy(edit_);

    ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消(&C)"), this);
    connect(ok_, &QPushButton::clicked, this, &CPreviewGotoDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &CPreviewGotoDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QPushButton* CPreviewGotoDialog::Button(int id) const {
    switch (id) {
        case kOk:
            return ok_;
        case kCancel:
            return cancel_;
        default:
            return nullptr;
    }
}

void CPreviewGotoDialog::accept() {
    page_ = edit_->TypedValue();
    if (page_ == current_) {
        reject();
        return;
    }
    QDialog::accept();
}

std::optional<int32_t> CPreviewGotoDialog::Ask(QWidget* parent, int32_t totalPages,
                                               int32_t currentPage) {
    CPreviewGotoDialog dialog(totalPages, currentPage, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Page();
}

}  // namespace vantric
