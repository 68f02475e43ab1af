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
