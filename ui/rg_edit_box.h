// A one-line edit box with an InputMode (see InputMode.h): characters the mode refuses are
// dropped with a beep however the operator enters them (see CharFilterEdit), and the text is
// normalised when the edit loses focus.
#pragma once

#include "ui/CVolWinControl.h"
#include "ui/CharFilterEdit.h"

class rg_edit_box;

class CVWnd_Edit : public CharFilterEdit {
  public:
    using CharFilterEdit::CharFilterEdit;
};

class rg_edit_box : public CVolWinControl {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    int InputMode() const { return inputMode_; }
    // Also sets read-only (mode 1) and the password character (mode 2).
    void SetInputMode(int mode);
    // The most characters the operator can enter (typing or pasting); text set by the program
    // is not cut. 0: the edit's own maximum.
    int LimitText() const { return limit_; }
    void SetLimitText(int limit);
    // 0 left, 1 centre, 2 right.
    int Alignment() const { return alignment_; }
    void SetAlignment(int alignment);

    // Selects `length` characters from `start` (-1 length: to the end).
    void SetSelection(int start, int length);
    void SelectAll();
    QString SelectedText() const;

    EventBinding<> TextChangedEvent;
    // Enter (or the keypad's Enter) typed into the edit, as a barcode scanner ends a code.
    EventBinding<> EnterPressedEvent;

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void ApplyText(QWidget* window, const QString& text) override;
    QString ReadText(const QWidget* window) const override;
    void AfterCreate(CreateParams& params) override;
    bool OnWidgetEvent(QEvent* event) override;

  private:
    void ApplyMode();
    CVWnd_Edit* Edit() const;
    void Normalise();

    int inputMode_ = 0;
    int limit_ = 0;
    int alignment_ = 0;
    int selectionStart_ = -1;
    int selectionLength_ = 0;
};
