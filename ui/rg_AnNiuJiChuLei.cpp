#include "ui/rg_AnNiuJiChuLei.h"

#include <QAbstractButton>

#include "ui/FontDescription.h"

const ClassDescriptor& rg_AnNiuJiChuLei::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_AnNiuJiChuLei", nullptr, {&CVolWinControl::StaticClass()});
    return d;
}

QAbstractButton* rg_AnNiuJiChuLei::Button() const {
    return static_cast<QAbstractButton*>(Widget());
}

QWidget* rg_AnNiuJiChuLei::CreateWindowObject(CreateParams& params) {
    QAbstractButton* button = MakeButton(params.parent);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [this] { ClickedEvent.Fire(this); });
    return button;
}

void rg_AnNiuJiChuLei::AfterCreate(CreateParams& params) {
    CVolWinControl::AfterCreate(params);
    ApplyColours();
}

void rg_AnNiuJiChuLei::ApplyText(QWidget* window, const QString& text) {
    static_cast<QAbstractButton*>(window)->setText(text);
}

QString rg_AnNiuJiChuLei::ReadText(const QWidget* window) const {
    return static_cast<const QAbstractButton*>(window)->text();
}

void rg_AnNiuJiChuLei::ApplyColours() {
    QAbstractButton* button = Button();
    if (button == nullptr) {
        return;
    }
    if (textColour_ == kDefaultColour && backgroundColour_ == kDefaultColour) {
        button->setPalette(QPalette());
        return;
    }
    QPalette palette = button->palette();
    const QPalette system;
    palette.setColor(QPalette::ButtonText,
                     ColourFromRef(textColour_, system.color(QPalette::ButtonText)));
    palette.setColor(QPalette::WindowText,
                     ColourFromRef(textColour_, system.color(QPalette::WindowText)));
    palette.setColor(QPalette::Button,
                     ColourFromRef(backgroundColour_, system.color(QPalette::Button)));
    palette.setColor(QPalette::Window,
                     ColourFromRef(backgroundColour_, system.color(QPalette::Button)));
    button->setPalette(palette);
    button->setAutoFillBackground(backgroundColour_ != kDefaultColour);
}

void rg_AnNiuJiChuLei::SetTextColour(COLORREF colour) {
    textColour_ = colour;
    ApplyColours();
}

void rg_AnNiuJiChuLei::SetBackgroundColour(COLORREF colour) {
    backgroundColour_ = colour;
    ApplyColours();
}

void rg_AnNiuJiChuLei::Click() {
    if (QAbstractButton* button = Button()) {
        button->click();
    }
}
