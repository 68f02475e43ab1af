// What a save meets on Windows and Linux does not have: file attributes the replace must keep, a
// second name the replace would cut off, another program that holds the file open, and drive
// letters the machine does not have.
#include <gtest/gtest.h>

#include <QDir>

#include "TempDrives.h"
#include "platform/DrivePath.h"
#include "platform/ProfileFile.h"

#include <windows.h>

using namespace vantric;

namespace {

const QString kFile = QStringLiteral("D:/data/dypz.ini");
const QString kLocal = QStringLiteral("D/data/dypz.ini");
const QByteArray kOld("[a]\r\nk=1000000\r\nkeep=me\r\n");
const QByteArray kNew("[a]\r\nk=22\r\nkeep=me\r\n");

const wchar_t* Wide(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

QString Native(const TempDrives& drives, const QString& relative) {
    return QDir::toNativeSeparators(drives.Local(relative));
}

struct HeldOpen {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~HeldOpen() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};

TEST(SaveOnWindows, WhatTheFileIsSurvivesTheSave) {
    struct Case {
        const char* name;
        DWORD attributes;   // set on the file before the save
        bool secondName;    // a hard link beside it
        DWORD otherShares;  // another program holds it open sharing this (0: nobody holds it)
        bool saved;
    };
    const Case cases[] = {
        {"hidden and archive", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, false, 0, true},
        // A replace would leave the other name with the old text: rewritten in place.
        {"second name", FILE_ATTRIBUTE_ARCHIVE, true, 0, true},
        // Held open by an editor that lets others write but not rename: rewritten in place.
        {"held open, shared for writing", FILE_ATTRIBUTE_ARCHIVE, false,
         FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        // Held open by a program that lets others only read: nothing can be saved.
        {"held open, shared for reading", FILE_ATTRIBUTE_ARCHIVE, false, FILE_SHARE_READ, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrives drives;
        drives.Put(kLocal, kOld);
        const QString file = Native(drives, kLocal);
        if (c.secondName) {
            ASSERT_TRUE(
                ::CreateHardLinkW(Wide(Native(drives, "D/data/other.ini")), Wide(file), nullptr));
        }
        ASSERT_TRUE(::SetFileAttributesW(Wide(file), c.attributes));
        HeldOpen other;
        if (c.otherShares != 0) {
            other.handle = ::CreateFileW(Wide(file), GENERIC_READ, c.otherShares, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(other.handle, INVALID_HANDLE_VALUE);
        }

        QString reason;
        EXPECT_EQ(WriteProfileTexts(kFile, {{"a", "k", "22"}}, &reason).front(), c.saved);
        ::CloseHandle(other.handle);
        other.handle = INVALID_HANDLE_VALUE;

        EXPECT_EQ(drives.Bytes(kLocal), c.saved ? kNew : kOld);
        EXPECT_EQ(reason.isEmpty(), c.saved) << reason.toStdString();
        EXPECT_EQ(::GetFileAttributesW(Wide(file)), c.attributes);
        if (c.secondName) {
            EXPECT_EQ(drives.Bytes("D/data/other.ini"), kNew);
        }
        for (const QString& entry : drives.Entries("D/data")) {
            EXPECT_TRUE(entry == "dypz.ini" || entry == "other.ini") << entry.toStdString();
        }
    }
}

// Killed between the rewrite and the cut to length, a file that got shorter holds the new text
// and NUL padding: it reads as the new text, and the next save cuts the padding.
TEST(SaveOnWindows, ARewriteKilledBeforeTheCutReadsAsTheNewText) {
    TempDrives drives;
    drives.Put(kLocal, kOld);
    // A second name makes the save rewrite the file.
    ASSERT_TRUE(::CreateHardLinkW(Wide(Native(drives, "D/data/other.ini")),
                                  Wide(Native(drives, kLocal)), nullptr));
    const auto killed = StartAlone("KilledSave.DISABLED_SavesTwentyTwo", "VANTRIC_KILL_AT",
                                   QString::number(int(ProfileWriteStage::RewrittenInPlace)));
    EXPECT_EQ(Finished(*killed), 7);
    EXPECT_EQ(drives.Bytes(kLocal), QByteArray(kNew + QByteArray(kOld.size() - kNew.size(), '\0')));
    EXPECT_EQ(ReadProfileText(kFile, "a", "keep", "none"), QStringLiteral("me"));
    ASSERT_TRUE(WriteProfileText(kFile, "a", "k", "23"));
    EXPECT_EQ(drives.Bytes(kLocal), QByteArray("[a]\r\nk=23\r\nkeep=me\r\n"));
}

// The machine's own drives, as a desk without drive D has them: the folder cannot be made, the
// save says why in the system's words, and nothing is written.
TEST(SaveOnWindows, ADriveTheMachineDoesNotHaveIsNoFolder) {
    const QByteArray previous = qgetenv("VANTRIC_DRIVES");
    qunsetenv("VANTRIC_DRIVES");
    const DWORD drives = ::GetLogicalDrives();
    char letter = 'Z';
    while (letter > 'D' && (drives & (1u << (letter - 'A')))) {
        --letter;
    }
    ASSERT_GT(letter, 'D') << "every drive letter is taken";
    const QString folder = QStringLiteral("%1://data").arg(QLatin1Char(letter));
    QString reason;
    EXPECT_FALSE(EnsureFolder(folder, &reason));
    // Named as Windows writes it: "Y:\data".
    EXPECT_TRUE(reason.contains(PathForMessage(folder))) << reason.toStdString();
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(WriteProfileText(QStringLiteral("%1:/data/dypz.ini").arg(QLatin1Char(letter)), "a",
                                  "k", "1"));
    qputenv("VANTRIC_DRIVES", previous);
}

}  // namespace
