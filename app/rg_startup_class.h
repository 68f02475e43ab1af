// The program object: holds the main window and creates it at start.
#pragma once

#include "app/rg_my_main_window.h"
#include "ui/rg_ChuangKouChengXuLei.h"

class rg_startup_class : public rg_ChuangKouChengXuLei {
  public:
    // Constructs the main window and gives it the program's title.
    rg_startup_class();
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // The running program object, or null when the application runs another one.
    static rg_startup_class* Program();

    // Creates the main window with the main menu as its menu bar and makes it the application's
    // main window; 0 when the window could not be made.
    int StartRoutine() override;

    rg_my_main_window MainWindow;
};
