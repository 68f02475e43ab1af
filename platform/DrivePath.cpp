#include "platform/DrivePath.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vantric {

namespace {

bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// The entry of folder that name stands for: itself when it is there, else the first in sorted
// order of the entries that differ from it only in case (a folder copied from Windows, where
// names match whatever their case). Empty when there is none.
QString EntryIgnoringCase(const QString& folder, const QString& name) {
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        QFileInfo::exists(folder + QLatin1Char('/') + name)) {
        return name;
    }
    QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(entries.begin(), entries.end());
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return {};
}

// Below the drive's folder, each name of rest that is not there exactly is looked up without
// regard to case; from the first one that is not there at all the names stay as given.
QString ResolveIgnoringCase(const QString& drive, const QString& rest) {
    if (QFileInfo::exists(drive + QLatin1Char('/') + rest)) {
        return drive + QLatin1Char('/') + rest;
    }
    const QStringList names = rest.split(QLatin1Char('/'));
    QString path = drive;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty()) {
            path += QLatin1Char('/');  // "a//b" or a trailing slash, kept as given
            continue;
        }
        const QString found = EntryIgnoringCase(path, names[i]);
        if (found.isEmpty()) {
            return path + QLatin1Char('/') + names.sliced(i).join(QLatin1Char('/'));
        }
        path += QLatin1Char('/') + found;
    }
    return path;
}

}  // namespace

QString MapDrivePath(const QString& windowsPath) {
    const QString root = DriveRoot();
    if (root.isEmpty()) {
        return windowsPath;  // the system's own drives
    }
    QString rest = windowsPath;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (rest.size() < 2 || rest[1] != QLatin1Char(':') || !IsAsciiLetter(rest[0])) {
        return rest;
    }
    QString drive = root + QLatin1Char('/') + rest[0].toUpper();
    if (!QFileInfo::exists(drive) &&
        QFileInfo::exists(root + QLatin1Char('/') + rest[0].toLower())) {
        drive = root + QLatin1Char('/') + rest[0].toLower();
    }
    rest.remove(0, 2);
    // "D:data" (relative to the drive's current folder) and "D:/data" both land in the drive's
    // folder; there is no per-drive current folder here.
    while (rest.startsWith(QLatin1Char('/'))) {
        rest.remove(0, 1);
    }
    return rest.isEmpty() ? drive : ResolveIgnoringCase(drive, rest);
}

}  // namespace vantric
