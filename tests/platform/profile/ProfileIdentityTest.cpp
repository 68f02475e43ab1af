// On Linux a save keeps what the settings file is: its owner, group, mode, hard links and
// symbolic links, whoever saves it. Where a new file beside the old one could not be all of that,
// the file itself is rewritten; the inode tells which of the two ways a save took. Permission
// bits, other users and other programs saving at once, as Linux has them.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDrives.h"
#include "platform/ProfileFile.h"

using namespace vantric;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
const QByteArray kOld("[a]\r\nk=1\r\nkeep=me\r\n");
const QByteArray kNew("[a]\r\nk=22\r\nkeep=me\r\n");

struct stat StatOf(const QString& path) {
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

enum class Way { Replaced, Rewritten };

struct IdentityCase {
    const char* name;
    std::function<void(TempDrives&)> prepare;  // makes D/data/dypz.ini, as root
    bool savedByDeskUser;                      // else by the super-user
    Way expected;
    uid_t owner;
    mode_t mode;
};

void PutFile(TempDrives& drives, const QString& relative, uid_t owner, gid_t group, mode_t mode) {
    drives.Put(relative, kOld);
    const QByteArray path = QFile::encodeName(drives.Local(relative));
    ASSERT_EQ(::chown(path.constData(), owner, group), 0);
    ASSERT_EQ(::chmod(path.constData(), mode), 0);
}

void ChmodFolder(TempDrives& drives, const QString& relative, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(drives.Local(relative)).constData(), mode), 0);
}

const QString kLocal = QStringLiteral("D/data/dypz.ini");
const QString kFile = QStringLiteral("D:/data/dypz.ini");

// Runs check as a user without privileges: permission bits do not bind the super-user, so a
// test of a read-only folder or an unreadable file runs in a child that has given them up.
// The folders under root must be reachable for that user (the default mode is).
bool RunUnprivileged(const QString& root, const std::function<bool()>& check) {
    if (::geteuid() != 0) {
        return check();
    }
    ::chmod(QFile::encodeName(root).constData(), 0777);  // temporary folders are private
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ProfileIdentity, ASaveKeepsOwnerModeAndLinks) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs the super-user to make files of other users";
    }
    const IdentityCase cases[] = {
        {"own file", [](TempDrives& d) { PutFile(d, kLocal, 0, 0, 0640); }, false, Way::Replaced, 0,
         0640},
        // A desk user's file saved by the super-user stays the desk user's.
        {"desk user's file saved by root",
         [](TempDrives& d) { PutFile(d, kLocal, kNobody, kNogroup, 0660); }, false, Way::Replaced,
         kNobody, 0660},
        // A new file would be the desk user's: the file is rewritten instead.
        {"root's writable file saved by a desk user",
         [](TempDrives& d) {
             PutFile(d, kLocal, 0, 0, 0666);
             ChmodFolder(d, "D/data", 0777);
         },
         true, Way::Rewritten, 0, 0666},
        // No new file can be made in the folder: the file is rewritten, and saved at all.
        {"writable file in a folder the user cannot write",
         [](TempDrives& d) {
             PutFile(d, kLocal, kNobody, kNogroup, 0644);
             ChmodFolder(d, "D/data", 0555);
         },
         true, Way::Rewritten, kNobody, 0644},
        {"file with a second name",
         [](TempDrives& d) {
             PutFile(d, kLocal, 0, 0, 0644);
             ASSERT_EQ(::link(QFile::encodeName(d.Local(kLocal)).constData(),
                              QFile::encodeName(d.Local("D/data/other-name.ini")).constData()),
                       0);
         },
         false, Way::Rewritten, 0, 0644},
    };
    for (const IdentityCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrives drives;
        drives.MakeFolder("D/data");
        c.prepare(drives);
        const struct stat before = StatOf(drives.Local(kLocal));
        const auto save = [] { return WriteProfileText("D:/data/dypz.ini", "a", "k", "22"); };
        EXPECT_TRUE(c.savedByDeskUser ? RunUnprivileged(drives.Root(), save) : save());
        ChmodFolder(drives, "D/data", 0755);  // let the clean-up in

        const struct stat after = StatOf(drives.Local(kLocal));
        EXPECT_EQ(drives.Bytes(kLocal), kNew);
        EXPECT_EQ(after.st_ino == before.st_ino ? Way::Rewritten : Way::Replaced, c.expected);
        EXPECT_EQ(after.st_uid, c.owner);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        EXPECT_EQ(after.st_nlink, before.st_nlink);
        if (before.st_nlink > 1) {
            EXPECT_EQ(drives.Bytes("D/data/other-name.ini"), kNew);  // every name sees it
        }
        // Nothing left beside the file but its lock.
        for (const QString& entry : drives.Entries("D/data")) {
            EXPECT_TRUE(entry == "dypz.ini" || entry == "other-name.ini") << entry.toStdString();
        }
    }
}

TEST(ProfileIdentity, ASymbolicLinkStaysALinkAndItsTargetIsSaved) {
    TempDrives drives;
    drives.MakeFolder("D/data");
    drives.Put("D/shared/real.ini", kOld);
    // A chain of two links, as a desk sharing one file may have.
    ASSERT_TRUE(QFile::link(drives.Local("D/shared/real.ini"), drives.Local("D/shared/via.ini")));
    ASSERT_TRUE(QFile::link(drives.Local("D/shared/via.ini"), drives.Local(kLocal)));
    ASSERT_TRUE(WriteProfileText("D:/data/dypz.ini", "a", "k", "22"));
    EXPECT_TRUE(S_ISLNK(StatOf(drives.Local(kLocal)).st_mode));
    EXPECT_TRUE(S_ISLNK(StatOf(drives.Local("D/shared/via.ini")).st_mode));
    EXPECT_EQ(drives.Bytes("D/shared/real.ini"), kNew);
}

bool DieAfterRewrite(ProfileWriteStage stage) {
    if (stage == ProfileWriteStage::RewrittenInPlace) {
        ::_exit(7);
    }
    return true;
}

// Killed between the rewrite and the cut to length, a file that got shorter holds the new text
// and NUL padding: it reads as the new text, and the next save cuts the padding.
TEST(ProfileIdentity, ARewriteKilledBeforeTheCutReadsAsTheNewText) {
    GTEST_FLAG_SET(death_test_style, "fast");
    TempDrives drives;
    drives.MakeFolder("D/data");
    const QByteArray longer("[a]\r\nk=1000000\r\nkeep=me\r\n");
    drives.Put(kLocal, longer);
    // A second name makes the save rewrite the file.
    ASSERT_EQ(::link(QFile::encodeName(drives.Local(kLocal)).constData(),
                     QFile::encodeName(drives.Local("D/data/other-name.ini")).constData()),
              0);
    EXPECT_EXIT(
        {
            SetProfileWriteHook(&DieAfterRewrite);
            WriteProfileText("D:/data/dypz.ini", "a", "k", "22");
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_EQ(drives.Bytes(kLocal),
              QByteArray(kNew + QByteArray(longer.size() - kNew.size(), '\0')));
    EXPECT_EQ(ReadProfileText("D:/data/dypz.ini", "a", "k", "none"), QStringLiteral("22"));
    EXPECT_EQ(ReadProfileText("D:/data/dypz.ini", "a", "keep", "none"), QStringLiteral("me"));
    ASSERT_TRUE(WriteProfileText("D:/data/dypz.ini", "a", "k", "23"));
    EXPECT_EQ(drives.Bytes(kLocal), QByteArray("[a]\r\nk=23\r\nkeep=me\r\n"));
}

TEST(ProfileIdentity, ReadOnlyFolderAndUnreadableFileFailCleanly) {
    TempDrives drives;
    drives.MakeFolder("D/data");
    drives.Put(kLocal, "[a]\nk=1\n");
    drives.Put("D/locked/secret.ini", "[a]\nk=1\n");
    QFile::setPermissions(drives.Local("D/locked/secret.ini"), QFileDevice::WriteOwner);
    QFile::setPermissions(drives.Local("D/data"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                      QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther);
    EXPECT_TRUE(RunUnprivileged(drives.Root(), [] {
        return !WriteProfileText(kFile, "a", "k", "2") &&
               ReadProfileText(kFile, "a", "k", QString()) == QStringLiteral("1") &&
               !WriteProfileText("D:/locked/secret.ini", "a", "k", "2") &&
               ReadProfileText("D:/locked/secret.ini", "a", "k", "none") == QStringLiteral("none");
    }));
    EXPECT_EQ(drives.Bytes(kLocal), QByteArray("[a]\nk=1\n"));
    EXPECT_EQ(drives.Bytes("D/locked/secret.ini"), QByteArray("[a]\nk=1\n"));
}

TEST(ProfileIdentity, ANewFileHasTheModeOfAnyFileAProgramMakes) {
    TempDrives drives;
    drives.MakeFolder("D/data");
    ASSERT_TRUE(WriteProfileText(kFile, "a", "k", "1"));
    // rw-r--r--, like any file a program makes (the "user" flags only mirror the caller).
    const QFileDevice::Permissions made =
        QFileInfo(drives.Local(kLocal)).permissions() &
        ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_EQ(made, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
}

}  // namespace
