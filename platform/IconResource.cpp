#include "platform/IconResource.h"

#include <mutex>

// Resources of a static library are registered by hand; the name is that of icons.qrc.
static void RegisterIconResources() {
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(icons); });
}

namespace vantric {

QIcon IconResource(int32_t id) {
    if (id != kProgramIconId) {
        return QIcon();
    }
    RegisterIconResources();
    QIcon icon;
    for (const int size : {48, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(id).arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace vantric
