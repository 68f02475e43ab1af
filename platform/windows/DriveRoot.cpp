#include <QDir>

#include "platform/DrivePath.h"

namespace vantric {

QString DriveRoot() {
    return qEnvironmentVariable("VANTRIC_DRIVES");
}

QString PathForMessage(const QString& path) {
    // The path the desk knows, also where a test has put the drives elsewhere.
    QString shown = QDir::toNativeSeparators(path);
    // "D://data" is the folder D:\data; a network path keeps the two backslashes it starts with.
    const QLatin1String doubled("\\\\");
    for (qsizetype at = shown.indexOf(doubled, 1); at > 0; at = shown.indexOf(doubled, at)) {
        shown.remove(at, 1);
    }
    return shown;
}

bool PrepareDriveRoot() {
    return true;  // the desk's drives are its own
}

}  // namespace vantric
