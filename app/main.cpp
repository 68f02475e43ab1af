// Vantric: carton labels for the packing desk.
#include "app/rg_startup_class.h"
#include "platform/DrivePath.h"
#include "ui/CVolMFCApp.h"

int main(int argc, char* argv[]) {
    CVolMFCApp app(argc, argv);
    // A desk machine has a drive D; where drives are folders, make it (the settings live there).
    vantric::PrepareDriveRoot();
    return app.Run(rg_startup_class::StaticClass());
}
