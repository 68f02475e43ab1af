// The framework's tests that need a real display (keys, clicks and focus through the X server),
// in one process with the framework's application object. Run by under_xvfb.py.
#include "ui/CVolMFCApp.h"

int RunListViewDesktopTest(int argc, char** argv);
int RunFormDesktopTest(int argc, char** argv);

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    int failures = 0;
    for (auto run : {RunListViewDesktopTest, RunFormDesktopTest}) {
        failures += run(argc, argv) != 0 ? 1 : 0;
    }
    return failures == 0 ? 0 : 1;
}
