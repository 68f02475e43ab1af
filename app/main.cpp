// Vantric: carton labels for the packing desk.
//
// The settings file is the program's only configuration: the command line is read for --help
// and --version alone, before any window exists, and handed to nothing else (not even to Qt,
// whose own options would otherwise change how the window looks and where it appears).
#include <cstdio>
#include <cstring>

#include "app/rg_startup_class.h"
#include "platform/DrivePath.h"
#include "ui/CVolMFCApp.h"

#ifndef VANTRIC_VERSION
#error "VANTRIC_VERSION names the version the programs report"
#endif

namespace {

constexpr const char* kHelp =
    "usage: vantric [--help | --version]\n"
    "\n"
    "Vantric lays out one numbered label per carton of a shipment, four to an A4 page, shows\n"
    "the sheet in an editable grid, previews it and prints it.\n"
    "\n"
    "It reads no other command line: the print margins and overweight-label sizes come from\n"
    "the settings file D:/data/dypz.ini (drive D is the folder D under $VANTRIC_DRIVES, or\n"
    "under ~/.local/share/vantric/drives). vantric-batch prints the same sheets from a shell.\n"
    "See vantric(1).\n"
    "\n"
    "  -h, --help     show this help\n"
    "  --version      show the program's version\n";

}  // namespace

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("vantric " VANTRIC_VERSION);
            return 0;
        }
    }
    if (argc > 1) {
        std::fprintf(stderr,
                     "vantric: the command line is not used (settings come from the settings "
                     "file); ignoring %d argument%s\n",
                     argc - 1, argc == 2 ? "" : "s");
    }
    int qtArgc = 1;
    CVolMFCApp app(qtArgc, argv);
    // A desk machine has a drive D; where drives are folders, make it (the settings live there).
    vantric::PrepareDriveRoot();
    return app.Run(rg_startup_class::StaticClass());
}
