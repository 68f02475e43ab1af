// The button base: push buttons, check boxes and radio buttons, all of which raise a click
// event and may carry their own text and background colours (kDefaultColour: the system's).
#pragma once

#include "ui/CVolWinControl.h"

class QAbstractButton;

class rg_AnNiuJiChuLei : public CVolWinControl {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    COLORREF TextColour() const { return textColour_; }
    void SetTextColour(COLORREF colour);
    COLORREF BackgroundColour() const { return backgroundColour_; }
    void SetBackgroundColour(COLORREF colour);

    // Clicks the button as the operator would (the click event fires).
    void Click();

    EventBinding<> ClickedEvent;

  protected:
    // Each kind makes its own Qt button; the base wires the click and the colours.
    virtual QAbstractButton* MakeButton(QWidget* parent) = 0;
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    void ApplyText(QWidget* window, const QString& text) override;
    QString ReadText(const QWidget* window) const override;
    QAbstractButton* Button() const;

  private:
    void ApplyColours();

    COLORREF textColour_ = kDefaultColour;
    COLORREF backgroundColour_ = kDefaultColour;
};
