// A check box: check state 1 when ticked, 0 when not.
#pragma once

#include "ui/rg_AnNiuJiChuLei.h"

class rg_check_box : public rg_AnNiuJiChuLei {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    bool IsChecked() const;
    void SetChecked(bool checked);
    // 1 checked, 0 not (the platform's check-state answer).
    int CheckState() const { return IsChecked() ? 1 : 0; }

  protected:
    QAbstractButton* MakeButton(QWidget* parent) override;
    void AfterCreate(CreateParams& params) override;

  private:
    bool checked_ = false;
};
