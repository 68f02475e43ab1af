// One application object for a whole test binary: fonts, painters and printers need it.
#pragma once

#include <QApplication>

namespace vantric::fixtures {

inline void EnsureGuiApp() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "vantric-grid-test";
        static char* argv[] = {name, nullptr};
        // Kept to the end of the process, as an application object is.
        new QApplication(argc, argv);
    }
}

}  // namespace vantric::fixtures
