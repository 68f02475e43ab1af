#include <QDir>

#include "platform/DrivePath.h"

namespace vantric {

namespace {

QString DefaultDriveRoot() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // The base-directory rules ignore a relative value.
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome)) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return dataHome + QStringLiteral("/vantric/drives");
}

}  // namespace

QString DriveRoot() {
    const QString fromEnvironment = qEnvironmentVariable("VANTRIC_DRIVES");
    return fromEnvironment.isEmpty() ? DefaultDriveRoot() : fromEnvironment;
}

bool PrepareDriveRoot() {
    if (!qEnvironmentVariable("VANTRIC_DRIVES").isEmpty()) {
        return true;
    }
    return QDir().mkpath(DefaultDriveRoot() + QStringLiteral("/D"));
}

}  // namespace vantric
