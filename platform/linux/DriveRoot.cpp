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

// "X:..." names a file on a drive; a local name (where a backslash is an ordinary character)
// is shown as it is.
bool IsDriveLetterPath(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() &&
           path[0].unicode() < 128;
}

}  // namespace

QString DriveRoot() {
    const QString fromEnvironment = qEnvironmentVariable("VANTRIC_DRIVES");
    return fromEnvironment.isEmpty() ? DefaultDriveRoot() : fromEnvironment;
}

QString PathForMessage(const QString& path) {
    if (!IsDriveLetterPath(path)) {
        return path;
    }
    QString shown = MapDrivePath(path);
    // A separator doubled inside the path ("D:/data//dypz.ini") names the same file.
    for (qsizetype at = shown.indexOf(QLatin1String("//"), 1); at > 0;
         at = shown.indexOf(QLatin1String("//"), at)) {
        shown.remove(at, 1);
    }
    return shown;
}

bool PrepareDriveRoot() {
    if (!qEnvironmentVariable("VANTRIC_DRIVES").isEmpty()) {
        return true;
    }
    return QDir().mkpath(DefaultDriveRoot() + QStringLiteral("/D"));
}

}  // namespace vantric
