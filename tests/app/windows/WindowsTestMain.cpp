// The window tests in one process under the framework's application object, so that forms get
// their keyboard rules as in the program. The start-up test runs the whole program and goes last.
#include <QTemporaryDir>

#include "ui/CVolMFCApp.h"

int RunMainWindowTest(int argc, char** argv);
int RunTicketListTest(int argc, char** argv);
int RunStartUpTest(int argc, char** argv);

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // Every window reads its settings at start: keep them out of the user's drives.
    QTemporaryDir drives;
    qputenv("VANTRIC_DRIVES", drives.path().toUtf8());
    int failures = 0;
    for (auto run : {RunMainWindowTest, RunTicketListTest, RunStartUpTest}) {
        failures += run(argc, argv) != 0 ? 1 : 0;
    }
    return failures == 0 ? 0 : 1;
}
