#include "app/rg_startup_class.h"

#include "app/MainWindowTexts.h"
#include "app/rg_class_CaiChan.h"
#include "ui/CVolMFCApp.h"

const ClassDescriptor& rg_startup_class::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_startup_class", [] { return new rg_startup_class; },
                            {&rg_ChuangKouChengXuLei::StaticClass()});
    return d;
}

rg_startup_class::rg_startup_class() {
    MainWindow.SetText(mainwindow::ProgramTitle());
}

rg_startup_class* rg_startup_class::Program() {
    CVolMFCApp* app = CVolMFCApp::Instance();
    return app != nullptr ? dynamic_cast<rg_startup_class*>(app->ProgramObject()) : nullptr;
}

int rg_startup_class::StartRoutine() {
    auto* menu = new rg_class_CaiChan;
    CreateParams params;  // top-level, position and size left to the form's rules
    params.menu = menu->Menu();
    const int created = MainWindow.CreateControl(params);
    menu->Release();  // the form holds the menu from here on
    if (created == 0 || !MainWindow.HasWindow()) {
        return 0;
    }
    CVolMFCApp::Instance()->SetMainWindow(MainWindow);
    return 1;
}
