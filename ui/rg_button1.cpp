#include "ui/rg_button1.h"

#include <QPushButton>

#include "ui/CVolWinForm.h"

const ClassDescriptor& rg_button1::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_button1", [] { return new rg_button1; }, {&rg_AnNiuJiChuLei::StaticClass()});
    return d;
}

QAbstractButton* rg_button1::MakeButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Enter is the form's business (its default button), not Qt's dialog defaults.
    button->setAutoDefault(false);
    button->setDefault(default_);
    return button;
}

void rg_button1::AfterCreate(CreateParams& params) {
    rg_AnNiuJiChuLei::AfterCreate(params);
    if (!default_) {
        return;
    }
    for (CVolWinContainer* c = Owner(); c != nullptr; c = c->Owner()) {
        if (auto* form = dynamic_cast<CVolWinForm*>(c)) {
            form->SetDefaultButtonId(Id());
            break;
        }
    }
}
