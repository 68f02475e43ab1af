#include "platform/FileStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/DrivePath.h"

namespace vantric::filestore {

namespace {

QByteArray LocalName(const QString& path) {
    return QFile::encodeName(path);
}

QString SystemWords(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

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
            if (n == 0) {
                errno = ENOSPC;
            }
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
                           const struct stat* existing, QString* reason) {
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
        Tell(reason, QStringLiteral("无法在文件夹 %1 中建立文件：%2")
                         .arg(PathForMessage(folder), temporary.errorString()));
        return existing != nullptr ? Replaced::CannotKeepIdentity : Replaced::Failed;
    }
    const int fd = temporary.handle();
    const mode_t mode = existing != nullptr ? existing->st_mode & 07777 : 0644;
    const auto failed = [reason] {
        Tell(reason, SystemWords(errno));
        return Replaced::Failed;
    };
    if (::fchmod(fd, mode) != 0) {
        return failed();
    }
    if (existing != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0) {
            return failed();
        }
        if ((made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) &&
            ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            return Replaced::CannotKeepIdentity;  // another user's file, saved by its group
        }
        // A change of owner clears set-id bits: put the mode back.
        if (::fchmod(fd, mode) != 0) {
            return failed();
        }
    }
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        return failed();
    }
    if (!StagePasses(ProfileWriteStage::TemporaryWritten)) {
        Tell(reason, SystemWords(EIO));
        return Replaced::Failed;
    }
    temporary.close();
    if (!StagePasses(ProfileWriteStage::BeforeRename)) {
        Tell(reason, SystemWords(EIO));
        return Replaced::Failed;
    }
    if (::rename(LocalName(temporary.fileName()).constData(), LocalName(target).constData()) != 0) {
        // A file mounted on its own cannot be renamed over: it can still be rewritten.
        if (existing != nullptr && (errno == EBUSY || errno == EXDEV || errno == EPERM)) {
            return Replaced::CannotKeepIdentity;
        }
        return failed();
    }
    temporary.setAutoRemove(false);
    SyncFolder(folder);
    return Replaced::Done;
}

// Rewrites the file itself, which keeps every identity it has. The new text and NUL bytes up to
// the old length go in with one write, then the file is cut to the new length: killed between
// the two, the file holds the new text and NUL padding, which reads as the new text.
bool RewriteInPlace(int fd, const QByteArray& bytes, qint64 oldSize, QString* reason) {
    QByteArray padded = bytes;
    if (oldSize > padded.size()) {
        padded.append(QByteArray(oldSize - padded.size(), '\0'));
    }
    if (!WriteAll(fd, padded)) {
        Tell(reason, SystemWords(errno));
        return false;
    }
    if (!StagePasses(ProfileWriteStage::RewrittenInPlace)) {
        Tell(reason, SystemWords(EIO));
        return false;
    }
    if ((oldSize > bytes.size() && ::ftruncate(fd, bytes.size()) != 0) || ::fsync(fd) != 0) {
        Tell(reason, SystemWords(errno));
        return false;
    }
    return true;
}

}  // namespace

FolderMade MakeFolder(const QString& local, QString* reason) {
    if (::mkdir(LocalName(local).constData(), 0777) == 0) {
        return FolderMade::Created;
    }
    const int error = errno;
    if (error == EEXIST) {
        // Something is there; only a folder is the folder we want.
        if (QFileInfo(local).isDir()) {
            return FolderMade::AlreadyThere;
        }
        Tell(reason, QStringLiteral("%1 是文件，不是文件夹").arg(PathForMessage(local)));
        return FolderMade::Failed;
    }
    Tell(reason, SystemWords(error));
    return error == ENOENT ? FolderMade::ParentMissing : FolderMade::Failed;
}

bool IsReadOnly(const QString& local) {
    // The owner's write bit stands for the read-only attribute, which holds even for a
    // super-user.
    const QFileInfo info(local);
    return !info.permissions().testFlag(QFileDevice::WriteOwner) || !info.isWritable();
}

// A lock on the file's folder, which every save in it takes. Locking the folder needs no write
// access to it and leaves nothing beside the file. Where the file system has no such locks,
// saves go on unlocked.
struct SaveLock::Held {
    int fd = -1;
};

SaveLock::SaveLock(const QString& localFile) : held_(std::make_unique<Held>()) {
    held_->fd = ::open(LocalName(QFileInfo(localFile).absolutePath()).constData(),
                       O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

SaveLock::~SaveLock() {
    if (held_->fd >= 0) {
        ::close(held_->fd);  // releases the lock
    }
}

bool SaveLock::Acquire(QString* reason) {
    QElapsedTimer waited;
    waited.start();
    while (held_->fd >= 0 && ::flock(held_->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return true;  // no locks here
        }
        if (waited.hasExpired(kLockWaitMs)) {
            Tell(reason, QStringLiteral("另一个程序正在保存这个文件"));
            return false;
        }
        QThread::msleep(kLockPollMs);
    }
    return true;
}

bool SaveFile(const QString& target, const QByteArray& bytes, bool existed, qint64 oldSize,
              QString* reason) {
    int fd = -1;
    struct stat existing {};
    if (existed) {
        fd = ::open(LocalName(target).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0 || ::fstat(fd, &existing) != 0) {
            Tell(reason, SystemWords(errno));
            if (fd >= 0) {
                ::close(fd);
            }
            return false;
        }
    }
    // Replaced when the new file can be all the old one was, else rewritten in place.
    bool saved = false;
    switch (ReplaceAtomically(target, bytes, existed ? &existing : nullptr, reason)) {
        case Replaced::Done:
            saved = true;
            break;
        case Replaced::Failed:
            break;
        case Replaced::CannotKeepIdentity:
            saved = fd >= 0 && RewriteInPlace(fd, bytes, oldSize, reason);
            break;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return saved;
}

}  // namespace vantric::filestore
