#include "grid/CSetMarginDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "grid/PreviewGeometry.h"
#include "grid/PreviewWidgets.h"
#include "grid/model/CGridCtrl.h"

namespace vantric {

const std::array<CSetMarginDialog::Field, 7> CSetMarginDialog::kFields{{
    {u"上边距:", 29550, 29552, 3},
    {u"下边距:", 29551, 29553, 4},
    {u"左边距:", 29554, 29555, 1},
    {u"右边距:", 29556, 29557, 2},
    {u"页眉:", 29558, 29559, 5},
    {u"页脚:", 29560, 29561, 6},
    {u"表头与表格间距:", 29562, 29563, 7},
}};

CSetMarginDialog::CSetMarginDialog(CGridCtrl& grid, QWidget* parent)
    : QDialog(parent), grid_(grid) {
    setWindowTitle(QStringLiteral("页边距设置(单位: 0.1毫米)"));
    setFont(PreviewDialogFont());

    auto* form = new QFormLayout;
    for (size_t i = 0; i < kFields.size(); ++i) {
        const Field& f = kFields[i];
        // The arrows wrap from 999 to 0 and back, as the dialog's up-down controls do; a value
        // out of range is clamped as a typed one is, since the wrapping would turn it around
        // (-15 into 999, 1500 into 0).
        auto* edit = new ClampedNumberEdit(0, kMaxValue, true, this);
        edit->setWrapping(true);
        edit->setValue(preview::ClampTyped(grid_.PrintLayoutValue(f.layoutValue), 0, kMaxValue));
        edits_[i] = edit;
        form->addRow(QString::fromUtf16(f.label), edit);
    }

    restore_ = new QPushButton(QStringLiteral("恢复到默认值(&D)"), this);
    restore_->setAutoDefault(false);
    ok_ = new QPushButton(QStringLiteral("确认(&O)"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel_->setAutoDefault(false);
    connect(restore_, &QPushButton::clicked, this, &CSetMarginDialog::RestoreDefaults);
    connect(ok_, &QPushButton::clicked, this, &CSetMarginDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &CSetMarginDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(restore_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

ClampedNumberEdit* CSetMarginDialog::Edit(int editId) const {
    for (size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i].editId == editId) {
            return edits_[i];
        }
    }
    return nullptr;
}

QPushButton* CSetMarginDialog::Button(int id) const {
    switch (id) {
        case kRestoreDefaults:
            return restore_;
        case kOk:
            return ok_;
        case kCancel:
            return cancel_;
        default:
            return nullptr;
    }
}

void CSetMarginDialog::RestoreDefaults() {
    for (size_t i = 0; i < kFields.size(); ++i) {
        edits_[i]->setValue(kDefaultPrintLayout[kFields[i].layoutValue - 1]);
    }
}

void CSetMarginDialog::accept() {
    for (size_t i = 0; i < kFields.size(); ++i) {
        grid_.SetPrintLayoutValue(kFields[i].layoutValue, edits_[i]->TypedValue());
    }
    QDialog::accept();
}

}  // namespace vantric
