#include "platform/ProfileFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <optional>

#include "platform/DrivePath.h"
#include "platform/ProfileText.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace vantric {

namespace {

std::atomic<ProfileWriteHook> g_writeHook{nullptr};

bool StagePasses(ProfileWriteStage stage) {
    const ProfileWriteHook hook = g_writeHook.load();
    return hook == nullptr || hook(stage);
}

// How long a save waits for another program's save to finish, and how often it looks.
constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 5;

enum class CreateResult { Created, AlreadyExists, PathNotFound, OtherError };

CreateResult CreateDirectory(const QString& windowsPath) {
    const QString local = MapDrivePath(windowsPath);
#ifdef Q_OS_UNIX
    if (::mkdir(QFile::encodeName(local).constData(), 0777) == 0) {
        return CreateResult::Created;
    }
    switch (errno) {
        case EEXIST:
            // Something is there; only a folder is the folder we want.
            return QFileInfo(local).isDir() ? CreateResult::AlreadyExists
                                            : CreateResult::OtherError;
        case ENOENT:
            return CreateResult::PathNotFound;
        default:
            return CreateResult::OtherError;
    }
#else
    const QFileInfo info(local);
    if (info.exists()) {
        return info.isDir() ? CreateResult::AlreadyExists : CreateResult::OtherError;
    }
    if (!QFileInfo(info.absolutePath()).isDir()) {
        return CreateResult::PathNotFound;
    }
    return QDir().mkdir(local) ? CreateResult::Created : CreateResult::OtherError;
#endif
}

bool IsDriveLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// "\", "X:" and "X:\" are there by definition.
bool IsRootPath(const QString& path) {
    if (path == QStringLiteral("\\")) {
        return true;
    }
    if (path.size() < 2 || path.size() > 3 || !IsDriveLetter(path[0]) ||
        path[1] != QLatin1Char(':')) {
        return false;
    }
    return path.size() == 2 || path[2] == QLatin1Char('\\');
}

bool IsReadOnly(const QFileInfo& info) {
    // The owner's write bit stands for the read-only attribute, which holds even for a
    // super-user.
    return !info.permissions().testFlag(QFileDevice::WriteOwner) || !info.isWritable();
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Read at most one byte beyond the limit to notice a file that grew past it.
    QByteArray bytes = file.read(kMaxProfileFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxProfileFileSize) {
        return std::nullopt;
    }
    return bytes;
}

QByteArray LocalName(const QString& path) {
    return QFile::encodeName(path);
}

#ifdef Q_OS_UNIX

void SyncFolder(const QString& folder) {
    // Makes the rename itself durable; a failure only loses durability, not consistency.
    const int fd = ::open(LocalName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

// Extended attributes (access lists among them) would not come along with a new file.
bool HasExtendedAttributes(const QString& path) {
    return ::listxattr(LocalName(path).constData(), nullptr, 0) > 0;
}

enum class Replaced { Done, Failed, CannotKeepIdentity };

// A new file beside the old one, with the old one's owner, group and mode, renamed over it.
// Refuses (CannotKeepIdentity) where the new file could not be what the old one was.
Replaced ReplaceAtomically(const QString& target, const QByteArray& bytes,
                           const struct stat* existing) {
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (existing != nullptr &&
        (existing->st_nlink > 1 || ::access(LocalName(folder).constData(), W_OK | X_OK) != 0 ||
         HasExtendedAttributes(target))) {
        return Replaced::CannotKeepIdentity;
    }
    QTemporaryFile temporary(folder + QStringLiteral("/.") + targetInfo.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        return existing != nullptr ? Replaced::CannotKeepIdentity : Replaced::Failed;
    }
    const int fd = temporary.handle();
    const mode_t mode = existing != nullptr ? existing->st_mode & 07777 : 0644;
    if (::fchmod(fd, mode) != 0) {
        return Replaced::Failed;
    }
    if (existing != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0) {
            return Replaced::Failed;
        }
        if ((made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) &&
            ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            return Replaced::CannotKeepIdentity;  // another user's file, saved by its group
        }
        // A change of owner clears set-id bits: put the mode back.
        if (::fchmod(fd, mode) != 0) {
            return Replaced::Failed;
        }
    }
    if (!WriteAll(fd, bytes) || !StagePasses(ProfileWriteStage::TemporaryWritten) ||
        ::fsync(fd) != 0) {
        return Replaced::Failed;
    }
    temporary.close();
    if (!StagePasses(ProfileWriteStage::BeforeRename)) {
        return Replaced::Failed;
    }
    if (::rename(LocalName(temporary.fileName()).constData(), LocalName(target).constData()) != 0) {
        // A file mounted on its own cannot be renamed over: it can still be rewritten.
        return existing != nullptr && (errno == EBUSY || errno == EXDEV || errno == EPERM)
                   ? Replaced::CannotKeepIdentity
                   : Replaced::Failed;
    }
    temporary.setAutoRemove(false);
    SyncFolder(folder);
    return Replaced::Done;
}

// Rewrites the file itself, which keeps every identity it has. The new text and NUL bytes up to
// the old length go in with one write, then the file is cut to the new length: killed between
// the two, the file holds the new text and NUL padding, which reads as the new text.
bool RewriteInPlace(int fd, const QByteArray& bytes, qint64 oldSize) {
    QByteArray padded = bytes;
    if (oldSize > padded.size()) {
        padded.append(QByteArray(oldSize - padded.size(), '\0'));
    }
    if (!WriteAll(fd, padded) || !StagePasses(ProfileWriteStage::RewrittenInPlace)) {
        return false;
    }
    if (oldSize > bytes.size() && ::ftruncate(fd, bytes.size()) != 0) {
        return false;
    }
    return ::fsync(fd) == 0;
}

// Held while a save reads and rewrites a file: a lock on the file's folder, which every save in
// it takes. Locking the folder needs no write access to it and leaves nothing beside the file;
// the system lets go of it when the program dies, so a save killed holding it never blocks the
// next one. Where the file system has no such locks, saves go on unlocked.
class FolderLock {
  public:
    explicit FolderLock(const QString& folder)
        : fd_(::open(LocalName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~FolderLock() {
        if (fd_ >= 0) {
            ::close(fd_);  // releases the lock
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another save held the lock for longer than any save takes.
    bool Acquire() {
        QElapsedTimer waited;
        waited.start();
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                return true;  // no locks here
            }
            if (waited.hasExpired(kLockWaitMs)) {
                return false;
            }
            QThread::msleep(kLockPollMs);
        }
        return true;
    }

  private:
    int fd_;
};

#endif

}  // namespace

QString ReadProfileText(const QString& file, const QString& section, const QString& key,
                        const QString& def) {
    if (file.isEmpty() || section.isEmpty() || key.isEmpty()) {
        return {};
    }
    const QString local = MapDrivePath(file);
    const QFileInfo info(local);
    if (!info.isFile() || info.size() > kMaxProfileFileSize) {
        return def;
    }
    const std::optional<QByteArray> bytes = ReadWholeFile(local);
    if (!bytes) {
        return def;
    }
    return profile::FindProfileValue(profile::ParseProfile(*bytes), section, key).value_or(def);
}

bool WriteProfileText(const QString& file, const QString& section, const QString& key,
                      const QString& value) {
    return WriteProfileTexts(file, {{section, key, value}}).front();
}

std::vector<bool> WriteProfileTexts(const QString& file, const std::vector<ProfileEntry>& entries) {
    std::vector<bool> results(entries.size(), false);
    const auto writable = [](const ProfileEntry& e) {
        return profile::IsWritableEntry(e.section, e.key, e.value);
    };
    if (file.isEmpty() || std::none_of(entries.begin(), entries.end(), writable)) {
        return results;
    }
    QString target = MapDrivePath(file);
    if (const QFileInfo link(target); link.isSymLink()) {
        // Keep the link (and a chain of them), rewrite what it points at.
        target = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();
    }
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir()) {
        return results;
    }

#ifdef Q_OS_UNIX
    // Programs saving at once keep each other's keys.
    FolderLock lock(QFileInfo(target).absolutePath());
    if (!lock.Acquire()) {
        return results;
    }
#endif

    const QFileInfo info(target);
    profile::ProfileDocument document;
    QByteArray before;
#ifdef Q_OS_UNIX
    int fd = -1;
    const auto closeFile = qScopeGuard([&fd] {
        if (fd >= 0) {
            ::close(fd);
        }
    });
#endif
    if (info.exists()) {
        if (!info.isFile() || IsReadOnly(info) || info.size() > kMaxProfileFileSize) {
            return results;
        }
#ifdef Q_OS_UNIX
        fd = ::open(LocalName(target).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            return results;
        }
#endif
        std::optional<QByteArray> bytes = ReadWholeFile(target);
        if (!bytes) {
            return results;
        }
        document = profile::ParseProfile(*bytes);
        before = std::move(*bytes);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        results[i] = profile::SetProfileValue(document, entries[i].section, entries[i].key,
                                              entries[i].value);
    }
    const QByteArray after = profile::SerialiseProfile(document);
    if (info.exists() && after == before) {
        return results;
    }
    bool saved = false;
#ifdef Q_OS_UNIX
    struct stat existing {};
    if (fd >= 0 && ::fstat(fd, &existing) != 0) {
        return results;
    }
    // Replaced when the new file can be all the old one was, else rewritten in place.
    switch (ReplaceAtomically(target, after, fd >= 0 ? &existing : nullptr)) {
        case Replaced::Done:
            saved = true;
            break;
        case Replaced::Failed:
            break;
        case Replaced::CannotKeepIdentity:
            saved = fd >= 0 && RewriteInPlace(fd, after, before.size());
            break;
    }
#else
    QSaveFile save(target);
    saved = save.open(QIODevice::WriteOnly) && save.write(after) == after.size() && save.commit();
#endif
    if (!saved) {
        std::fill(results.begin(), results.end(), false);
    }
    return results;
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QString trimmed = path;
    if (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('\\')) &&
        trimmed[trimmed.size() - 2] != QLatin1Char(':')) {
        trimmed.chop(1);
    }
    return QFileInfo::exists(MapDrivePath(trimmed));
}

bool EnsureFolder(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QString folder = path;
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('\\')) &&
        folder[folder.size() - 2] != QLatin1Char(':')) {
        folder.chop(1);
    }
    if (IsRootPath(folder)) {
        return true;
    }
    switch (CreateDirectory(folder)) {
        case CreateResult::Created:
        case CreateResult::AlreadyExists:
            return true;
        case CreateResult::OtherError:
            return false;
        case CreateResult::PathNotFound:
            break;
    }
    qsizetype split = folder.lastIndexOf(QLatin1Char('\\'));
    if (split < 0) {
        return false;
    }
    if (split == folder.size() - 1) {
        split = folder.lastIndexOf(QLatin1Char('\\'), split - 1);
        if (split < 0) {
            return false;
        }
    }
    if (!EnsureFolder(folder.left(split))) {
        return false;
    }
    const CreateResult retry = CreateDirectory(folder);
    return retry == CreateResult::Created || retry == CreateResult::AlreadyExists;
}

void SetProfileWriteHook(ProfileWriteHook hook) {
    g_writeHook.store(hook);
}

}  // namespace vantric
