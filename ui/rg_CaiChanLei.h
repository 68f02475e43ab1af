// Menu holders: an object whose definition text describes a menu. The holder makes its menu
// object on first use and loads it from that text.
#pragma once

#include <QString>

#include "base/ClassDescriptor.h"
#include "ui/CRefVolMenu.h"

// A class whose content is designed as text.
class rg_KeSheJiLei : public CVolRefObject {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d =
            MakeClassDescriptor("rg_KeSheJiLei", nullptr, {&CVolRefObject::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
};

class rg_CaiChanLei : public rg_KeSheJiLei {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // The menu definition text (see MenuDefinition.h); empty in the base.
    virtual QString DefinitionText() const { return QString(); }

    // The menu object, created and loaded on first use. Never null; without a valid
    // definition it has no menu (IsLoaded() false).
    CRefVolMenu* Menu();

  protected:
    ~rg_CaiChanLei() override;

  private:
    CRefVolMenu* menu_ = nullptr;
};
