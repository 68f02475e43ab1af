#include "platform/DrivePath.h"

#include <QDir>

namespace vantric {

namespace {

bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

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
#ifdef Q_OS_WIN
    return {};
#else
    const QString fromEnvironment = qEnvironmentVariable("VANTRIC_DRIVES");
    return fromEnvironment.isEmpty() ? DefaultDriveRoot() : fromEnvironment;
#endif
}

QString MapDrivePath(const QString& windowsPath) {
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString rest = windowsPath;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rest.size() < 2 || rest[1] != QLatin1Char(':') || !IsAsciiLetter(rest[0])) {
        return rest;
    }
    const QString drive = DriveRoot() + QLatin1Char('/') + rest[0].toUpper();
    rest.remove(0, 2);
    // "D:data" (relative to the drive's current folder) and "D:/data" both land in the drive's
    // folder; there is no per-drive current folder here.
    while (rest.startsWith(QLatin1Char('/'))) {
        rest.remove(0, 1);
    }
    return rest.isEmpty() ? drive : drive + QLatin1Char('/') + rest;
#endif
}

bool PrepareDriveRoot() {
#ifdef Q_OS_WIN
    return true;
#else
    if (!qEnvironmentVariable("VANTRIC_DRIVES").isEmpty()) {
        return true;
    }
    return QDir().mkpath(DefaultDriveRoot() + QStringLiteral("/D"));
#endif
}

}  // namespace vantric
