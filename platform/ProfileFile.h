// Platform stand-in: private-profile (INI) files and folders, addressed by Windows-style paths
// (see DrivePath.h).
//
// Reads never lock and never write. A write is a read-modify-write of the whole file under a
// lock file beside it (so programs saving at once keep each other's keys), goes to a temporary
// file in the same folder, is flushed to disk and then renamed over the old file, so that an
// interruption at any point leaves either the old or the new file. A file that is read-only,
// unreadable, not text, or implausibly large is left alone and the write reports failure.
#pragma once

#include <QString>

namespace vantric {

// The value of key in section: trimmed, at most 10,239 characters; def when the key is missing
// or the file cannot be read. Empty without looking at the file when file, section or key is
// empty.
QString ReadProfileText(const QString& file, const QString& section, const QString& key,
                        const QString& def);

// Sets key in section to value, keeping everything else in the file as it was. Never deletes.
bool WriteProfileText(const QString& file, const QString& section, const QString& key,
                      const QString& value);

// A file or folder is there. A trailing backslash is ignored unless it follows a colon.
bool FileExists(const QString& path);

// True when the folder exists afterwards. Only backslashes split a path into parents, so a
// missing parent of "D://data" is not made.
bool EnsureFolder(const QString& path);

// Files larger than this are not treated as settings files at all.
constexpr qint64 kMaxProfileFileSize = 16 * 1024 * 1024;

// Fault injection for tests: called at each stage of a write; returning false makes the stage
// fail as a failing disk would.
enum class ProfileWriteStage { TemporaryWritten, BeforeRename };
using ProfileWriteHook = bool (*)(ProfileWriteStage stage);
void SetProfileWriteHook(ProfileWriteHook hook);

}  // namespace vantric
