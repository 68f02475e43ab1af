#include "ui/FormHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/DrivePath.h"
#include "platform/HelpViewer.h"

QString ResolveHelpFile(const QString& name) {
    const bool drive = name.size() >= 3 && name[0].isLetter() && name[1] == u':' &&
                       (name[2] == u'\\' || name[2] == u'/');
    if (drive || name.startsWith(u'\\') || name.startsWith(u'/')) {
        return vantric::MapDrivePath(name);
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(vantric::MapDrivePath(name));
}

bool OpenFormHelp(const QString& name, int32_t context) {
    if (name.isEmpty()) {
        return false;
    }
    const QFileInfo file(ResolveHelpFile(name));
    if (!file.isFile()) {
        return false;
    }
    vantric::OpenHelpFile(file.absoluteFilePath(), context);
    return true;
}
