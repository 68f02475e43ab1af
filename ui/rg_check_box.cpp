#include "ui/rg_check_box.h"

#include <QCheckBox>

const ClassDescriptor& rg_check_box::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_check_box", [] { return new rg_check_box; }, {&rg_AnNiuJiChuLei::StaticClass()});
    return d;
}

QAbstractButton* rg_check_box::MakeButton(QWidget* parent) {
    return new QCheckBox(parent);
}

void rg_check_box::AfterCreate(CreateParams& params) {
    rg_AnNiuJiChuLei::AfterCreate(params);
    Button()->setChecked(checked_);
}

bool rg_check_box::IsChecked() const {
    return HasWindow() ? Button()->isChecked() : checked_;
}

void rg_check_box::SetChecked(bool checked) {
    checked_ = checked;
    if (HasWindow()) {
        Button()->setChecked(checked);
    }
}
