// The layouter: a container that lays out components. Between the plain container and forms;
// adds nothing observable of its own here.
#pragma once

#include "ui/CVolWinContainer.h"

class rg_ZuJianBuJuQi : public CVolWinContainer {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d =
            MakeClassDescriptor("rg_ZuJianBuJuQi", nullptr, {&CVolWinContainer::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
};
