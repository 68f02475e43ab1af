// Runs the framework's widget tests in one process with the framework's application object, so
// that forms get their keyboard rules as in the program.
#include "ui/CVolMFCApp.h"

int RunControlsTest(int argc, char** argv);
int RunFormKeyboardTest(int argc, char** argv);
int RunListViewTest(int argc, char** argv);
int RunDialogsTest(int argc, char** argv);
int RunStartUpTest(int argc, char** argv);
int RunMenuObjectTest(int argc, char** argv);
int RunFormFeaturesTest(int argc, char** argv);

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);  // the start-up tests run event loops of their own
    int failures = 0;
    for (auto run :
         {RunControlsTest, RunFormKeyboardTest, RunListViewTest, RunDialogsTest, RunStartUpTest,
          RunMenuObjectTest, RunFormFeaturesTest}) {
        failures += run(argc, argv) != 0 ? 1 : 0;
    }
    return failures == 0 ? 0 : 1;
}
