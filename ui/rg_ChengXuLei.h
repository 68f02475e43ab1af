// A program: a program object without windows of its own.
#pragma once

#include "ui/CVolUserApp.h"

class rg_ChengXuLei : public CVolUserApp {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d =
            MakeClassDescriptor("rg_ChengXuLei", nullptr, {&CVolUserApp::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
};
