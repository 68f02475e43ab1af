#include "platform/ScreenDpi.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantric {
namespace {
double dpiOverride = 0.0;
}

double ScreenDpiY() {
    if (dpiOverride > 0.0) {
        return dpiOverride;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const double dpi = screen->logicalDotsPerInchY();
            if (dpi > 0.0) {
                return dpi;
            }
        }
    }
    return 96.0;
}

void OverrideScreenDpi(double dpi) {
    dpiOverride = dpi > 0.0 ? dpi : 0.0;
}

}  // namespace vantric
