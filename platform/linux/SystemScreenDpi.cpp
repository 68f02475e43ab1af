#include <QGuiApplication>
#include <QScreen>

#include "platform/ScreenDpi.h"

namespace vantric {

double SystemScreenDpiY() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            return screen->logicalDotsPerInchY();
        }
    }
    return 0.0;
}

}  // namespace vantric
