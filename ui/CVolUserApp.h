// The root of program objects. The start-up class derives from rg_ChuangKouChengXuLei (window
// program) -> rg_ChengXuLei (program) -> CVolUserApp -> CVolObject; the application object
// creates one instance through the class's descriptor and runs its start routine.
#pragma once

#include "base/ClassDescriptor.h"

class CVolUserApp : public CVolObject {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // Creates the main form and makes it the application's main window
    // (CVolMFCApp::SetMainWindow); nonzero on success.
    virtual int StartRoutine() { return 0; }
};
