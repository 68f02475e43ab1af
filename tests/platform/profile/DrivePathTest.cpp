#include "platform/DrivePath.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TempDrives.h"

using namespace vantric;

namespace {

TEST(DrivePath, MapsDriveLettersUnderTheRoot) {
    TempDrives drives;
    const QString d = drives.Root() + QStringLiteral("/D");
    EXPECT_EQ(MapDrivePath("D:/data/dypz.ini"), d + "/data/dypz.ini");
    EXPECT_EQ(MapDrivePath("D://data"), d + "/data");
    EXPECT_EQ(MapDrivePath("d:\\data\\sub\\"), d + "/data/sub/");
    EXPECT_EQ(MapDrivePath("D:"), d);
    EXPECT_EQ(MapDrivePath("D:\\"), d);
    EXPECT_EQ(MapDrivePath("relative\\a.ini"), QStringLiteral("relative/a.ini"));
    EXPECT_EQ(MapDrivePath("/abs/a:b"), QStringLiteral("/abs/a:b"));
    EXPECT_EQ(MapDrivePath("1:/x"), QStringLiteral("1:/x"));  // no drive letter
}

// A folder copied from Windows keeps the case its names had there; Windows finds them whatever
// the case of the path asked for.
TEST(DrivePath, NamesOnADriveMatchWhateverTheirCase) {
    struct Case {
        const char* name;
        QStringList made;  // folders and files under the root (a name ending in "/" is a folder)
        const char* path;
        const char* expected;  // under the root
    };
    const Case cases[] = {
        {"copied from Windows", {"D/Data/DYPZ.INI"}, "D:/data/dypz.ini", "D/Data/DYPZ.INI"},
        {"exact name wins", {"D/DATA/", "D/data/", "D/Data/"}, "D:/data/x.ini", "D/data/x.ini"},
        {"else the first in sorted order",
         {"D/data_/", "D/Data/", "D/DATA/"},
         "D:/data/x.ini",
         "D/DATA/x.ini"},
        {"missing names stay as given", {"D/Data/"}, "D:/data/New/file.ini", "D/Data/New/file.ini"},
        {"drive folder in lower case", {"d/data/"}, "D:/data/dypz.ini", "d/data/dypz.ini"},
        {"nothing there", {}, "D:/data/dypz.ini", "D/data/dypz.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrives drives;
        for (const QString& made : c.made) {
            if (made.endsWith(u'/')) {
                drives.MakeFolder(made);
            } else {
                drives.Put(made, "[a]\n");
            }
        }
        EXPECT_EQ(MapDrivePath(QString::fromUtf8(c.path)),
                  drives.Root() + u'/' + QString::fromUtf8(c.expected));
    }
}

// Restores an environment variable when the test ends.
struct EnvGuard {
    QByteArray name, value;
    bool wasSet;
    explicit EnvGuard(const char* n)
        : name(n), value(qgetenv(n)), wasSet(qEnvironmentVariableIsSet(n)) {}
    ~EnvGuard() {
        if (wasSet) {
            qputenv(name.constData(), value);
        } else {
            qunsetenv(name.constData());
        }
    }
};

TEST(DrivePath, DefaultRootIsCreatedAtStartAndAnExplicitOneIsNot) {
    EnvGuard drivesGuard("VANTRIC_DRIVES");
    EnvGuard dataGuard("XDG_DATA_HOME");
    QTemporaryDir data;
    qunsetenv("VANTRIC_DRIVES");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    EXPECT_EQ(DriveRoot(), data.path() + "/vantric/drives");
    EXPECT_TRUE(PrepareDriveRoot());
    EXPECT_TRUE(QFileInfo(data.path() + "/vantric/drives/D").isDir());

    // A relative XDG_DATA_HOME is ignored.
    qputenv("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(DriveRoot(), QDir::homePath() + "/.local/share/vantric/drives");

    QTemporaryDir explicitRoot;
    qputenv("VANTRIC_DRIVES", explicitRoot.path().toLocal8Bit());
    EXPECT_EQ(DriveRoot(), explicitRoot.path());
    EXPECT_TRUE(PrepareDriveRoot());
    EXPECT_FALSE(QFileInfo::exists(explicitRoot.path() + "/D"));
}

}  // namespace
