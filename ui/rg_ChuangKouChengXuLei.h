// A window program: a program object with hooks into the application's event loop. Only a
// program object of this kind becomes the application's ProgramObject.
#pragma once

#include <cstdint>

#include "ui/rg_ChengXuLei.h"

class QEvent;
class QObject;

class rg_ChuangKouChengXuLei : public rg_ChengXuLei {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // Sees every key and mouse event before anything else, accelerators included; 0 swallows
    // it. A key press arrives once, as a KeyPress event.
    virtual int PreTranslateHook(QObject* receiver, QEvent* event);
    // Idle time: the milliseconds since the idle period began; nonzero asks for more calls.
    virtual int IdleHook(int64_t idleMilliseconds);
    // Called first when the application exits.
    virtual void ExitHook() {}
};
