#include "ui/rg_radio_box.h"

#include <QRadioButton>

const ClassDescriptor& rg_radio_box::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_radio_box", [] { return new rg_radio_box; }, {&rg_check_box::StaticClass()});
    return d;
}

QAbstractButton* rg_radio_box::MakeButton(QWidget* parent) {
    return new QRadioButton(parent);
}
