// A push button. A default push button becomes its form's DefaultButtonId when created, so
// Enter in the form clicks it.
#pragma once

#include "ui/rg_AnNiuJiChuLei.h"

class rg_button1 : public rg_AnNiuJiChuLei {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    bool IsDefault() const { return default_; }
    void SetDefault(bool on) { default_ = on; }

  protected:
    QAbstractButton* MakeButton(QWidget* parent) override;
    void AfterCreate(CreateParams& params) override;

  private:
    bool default_ = false;
};
