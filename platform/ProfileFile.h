// Private-profile (INI) files and folders, addressed by Windows-style paths (see DrivePath.h).
//
// Reads never lock and never write. A write (of one key or of a whole record of keys) is one
// read-modify-write of the whole file under the system's lock (so programs saving at once keep
// each other's keys), and one update of the file, so that a program killed at any moment leaves
// the old file or the new one. The update keeps what the file is. Where a new file can be all of
// that it is written beside the old one, flushed to disk and swapped in with the system's
// replace call; otherwise the file itself is rewritten: the new text padded with NUL bytes to
// the old length in one write, cut to length, flushed (FileStore.h; on Linux a file keeps its
// owner, group, mode, hard links and symbolic links, on Windows its attributes, access list and
// hard links). A file that is read-only, unreadable, implausibly large or holds NUL bytes inside
// its text is left alone and the write reports failure.
//
// A write or a folder that fails says why in *reason when asked: the system's words where it
// refused, else the rule that stopped it.
#pragma once

#include <QString>
#include <vector>

namespace vantric {

// The value of key in section: trimmed, at most 10,239 characters; def when the key is missing
// or the file cannot be read. Empty without looking at the file when file, section or key is
// empty.
QString ReadProfileText(const QString& file, const QString& section, const QString& key,
                        const QString& def);

// Sets key in section to value, keeping everything else in the file as it was. Never deletes.
bool WriteProfileText(const QString& file, const QString& section, const QString& key,
                      const QString& value);

struct ProfileEntry {
    QString section;
    QString key;
    QString value;
};

// Sets the entries in their order in one update of the file: the file ends up as that many
// WriteProfileText calls would leave it, and each result is what that call would have answered,
// except that no other program's save can come between them and a kill leaves all or none.
std::vector<bool> WriteProfileTexts(const QString& file, const std::vector<ProfileEntry>& entries,
                                    QString* reason = nullptr);

// A file or folder is there. A trailing backslash is ignored unless it follows a colon.
bool FileExists(const QString& path);

// True when the folder exists afterwards. Only backslashes split a path into parents, so a
// missing parent of "D://data" is not made.
bool EnsureFolder(const QString& path, QString* reason = nullptr);

// Files larger than this are not treated as settings files at all.
constexpr qint64 kMaxProfileFileSize = 16 * 1024 * 1024;

// Fault injection for tests: called at each stage of a write; returning false makes the stage
// fail as a failing disk would.
enum class ProfileWriteStage { TemporaryWritten, BeforeRename, RewrittenInPlace };
using ProfileWriteHook = bool (*)(ProfileWriteStage stage);
void SetProfileWriteHook(ProfileWriteHook hook);

}  // namespace vantric
