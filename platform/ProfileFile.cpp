#include "platform/ProfileFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryFile>
#include <QThread>
#include <atomic>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/DrivePath.h"
#include "platform/ProfileText.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
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

// QLockFile's own waiting doubles its pauses up to seconds; a save holds the lock for a few
// milliseconds, so looking often keeps programs saving at once from stalling each other.
bool AcquireLock(QLockFile& lock) {
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || waited.hasExpired(kLockWaitMs)) {
            return false;
        }
        QThread::msleep(kLockPollMs);
    }
    return true;
}

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

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

void SyncFolder([[maybe_unused]] const QString& folder) {
#ifdef Q_OS_UNIX
    // Makes the rename itself durable; a failure only loses durability, not consistency.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

bool ReplaceAtomically(const QString& target, const QByteArray& bytes,
                       QFileDevice::Permissions permissions) {
    const QFileInfo targetInfo(target);
    QTemporaryFile temporary(targetInfo.absolutePath() + QStringLiteral("/.") +
                             targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        return false;
    }
    if (temporary.write(bytes) != bytes.size() || !temporary.flush() ||
        !StagePasses(ProfileWriteStage::TemporaryWritten)) {
        return false;
    }
#ifdef Q_OS_UNIX
    if (::fsync(temporary.handle()) != 0) {
        return false;
    }
#endif
    if (!temporary.setPermissions(permissions)) {
        return false;
    }
    temporary.close();
    if (!StagePasses(ProfileWriteStage::BeforeRename)) {
        return false;
    }
    std::error_code error;
    std::filesystem::rename(NativePath(temporary.fileName()), NativePath(target), error);
    if (error) {
        return false;
    }
    temporary.setAutoRemove(false);
    SyncFolder(targetInfo.absolutePath());
    return true;
}

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
    const std::optional<profile::ProfileDocument> document = profile::ParseProfile(*bytes);
    if (!document) {
        return def;
    }
    return profile::FindProfileValue(*document, section, key).value_or(def);
}

bool WriteProfileText(const QString& file, const QString& section, const QString& key,
                      const QString& value) {
    if (file.isEmpty() || !profile::IsWritableEntry(section, key, value)) {
        return false;
    }
    QString target = MapDrivePath(file);
    if (const QFileInfo link(target); link.isSymLink()) {
        target = link.symLinkTarget();  // keep the link, rewrite what it points at
    }
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir()) {
        return false;
    }

    QLockFile lock(target + QStringLiteral(".lock"));
    if (!AcquireLock(lock)) {
        return false;
    }

    const QFileInfo info(target);
    profile::ProfileDocument document;
    QByteArray before;
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (info.exists()) {
        if (!info.isFile() || IsReadOnly(info) || info.size() > kMaxProfileFileSize) {
            return false;
        }
        std::optional<QByteArray> bytes = ReadWholeFile(target);
        if (!bytes) {
            return false;
        }
        std::optional<profile::ProfileDocument> parsed = profile::ParseProfile(*bytes);
        if (!parsed) {
            return false;
        }
        document = std::move(*parsed);
        before = std::move(*bytes);
        permissions = info.permissions() &
                      ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    }
    if (!profile::SetProfileValue(document, section, key, value)) {
        return false;
    }
    const QByteArray after = profile::SerialiseProfile(document);
    if (info.exists() && after == before) {
        return true;
    }
    return ReplaceAtomically(target, after, permissions);
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
