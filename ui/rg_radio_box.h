// A radio button. Radio buttons of one container exclude each other.
#pragma once

#include "ui/rg_check_box.h"

class rg_radio_box : public rg_check_box {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

  protected:
    QAbstractButton* MakeButton(QWidget* parent) override;
};
