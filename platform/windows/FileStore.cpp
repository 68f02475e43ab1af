#include "platform/FileStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>

#include "platform/DrivePath.h"

namespace vantric::filestore {

namespace {

const wchar_t* Wide(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

QString SystemWords(DWORD error) {
    return qt_error_string(int(error));
}

class Handle {
  public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~Handle() {
        if (valid()) {
            ::CloseHandle(h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    void close() {
        if (valid()) {
            ::CloseHandle(h_);
        }
        h_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAt(HANDLE file, const QByteArray& bytes) {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) {
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(bytes.size() - done, 1 << 20));
        if (!::WriteFile(file, bytes.constData() + done, chunk, &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// A new hidden file beside `target`, its text written and flushed to disk, ready to be renamed,
// with the attributes the replaced file has (Windows carries them over in the replace; not every
// implementation of it does). Empty, with the reason, when it could not be made; *noRoom tells a
// folder that takes no new file from a write that failed.
QString WriteBeside(const QString& target, const QByteArray& bytes, DWORD attributes,
                    QString* reason, bool* noRoom) {
    *noRoom = false;
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QDir::toNativeSeparators(
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
            QString::number(QRandomGenerator::global()->generate() % 1000000) +
            QStringLiteral(".tmp"));
        Handle file(::CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!file.valid()) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS) {
                continue;
            }
            *noRoom = true;
            Tell(reason, QStringLiteral("无法在文件夹 %1 中建立文件：%2")
                             .arg(PathForMessage(info.absolutePath()), SystemWords(error)));
            return {};
        }
        bool ok = WriteAt(file.get(), bytes) && ::FlushFileBuffers(file.get());
        DWORD error = ok ? 0 : ::GetLastError();
        if (ok && !StagePasses(ProfileWriteStage::TemporaryWritten)) {
            ok = false;
            error = ERROR_WRITE_FAULT;
        }
        file.close();
        if (ok && !::SetFileAttributesW(Wide(name), attributes & ~FILE_ATTRIBUTE_READONLY)) {
            ok = false;
            error = ::GetLastError();
        }
        if (ok && !StagePasses(ProfileWriteStage::BeforeRename)) {
            ok = false;
            error = ERROR_WRITE_FAULT;
        }
        if (!ok) {
            ::DeleteFileW(Wide(name));
            Tell(reason, SystemWords(error));
            return {};
        }
        return name;
    }
    Tell(reason, SystemWords(ERROR_FILE_EXISTS));
    return {};
}

// Rewrites the file itself, which keeps every identity it has. The new text and NUL bytes up to
// the old length go in with one write, then the file is cut to the new length: killed between
// the two, the file holds the new text and NUL padding, which reads as the new text.
bool RewriteInPlace(const QString& target, const QByteArray& bytes, qint64 oldSize,
                    QString* reason) {
    Handle file(::CreateFileW(Wide(target), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        Tell(reason, SystemWords(::GetLastError()));
        return false;
    }
    QByteArray padded = bytes;
    if (oldSize > padded.size()) {
        padded.append(QByteArray(oldSize - padded.size(), '\0'));
    }
    if (!WriteAt(file.get(), padded)) {
        Tell(reason, SystemWords(::GetLastError()));
        return false;
    }
    if (!StagePasses(ProfileWriteStage::RewrittenInPlace)) {
        Tell(reason, SystemWords(ERROR_WRITE_FAULT));
        return false;
    }
    LARGE_INTEGER end{};
    end.QuadPart = bytes.size();
    if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get()) ||
        !::FlushFileBuffers(file.get())) {
        Tell(reason, SystemWords(::GetLastError()));
        return false;
    }
    return true;
}

enum class Swapped { Done, Failed, NotReplaceable };

// Whether the file may be replaced at all: not while another program holds it open without
// letting it be renamed.
bool MayReplace(const QString& target) {
    Handle file(::CreateFileW(Wide(target), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

// The replace call keeps the replaced file's attributes, access list, creation time and short
// name. Where the file cannot be replaced (another program holds it open without letting it be
// renamed, or the folder lets us write the file but not make and remove names), NotReplaceable:
// the file is still the old one and may still be rewritten.
Swapped SwapIn(const QString& target, const QString& beside, QString* reason) {
    if (!MayReplace(target)) {
        ::DeleteFileW(Wide(beside));
        return Swapped::NotReplaceable;
    }
    if (::ReplaceFileW(Wide(target), Wide(beside), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr)) {
        return Swapped::Done;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        // The old file is gone and the new one still has its temporary name: give it the name.
        if (::MoveFileExW(Wide(beside), Wide(target), MOVEFILE_WRITE_THROUGH)) {
            return Swapped::Done;
        }
        Tell(reason, SystemWords(::GetLastError()));
        return Swapped::Failed;
    }
    ::DeleteFileW(Wide(beside));
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
        error == ERROR_UNABLE_TO_REMOVE_REPLACED) {
        return Swapped::NotReplaceable;
    }
    Tell(reason, SystemWords(error));
    return Swapped::Failed;
}

}  // namespace

FolderMade MakeFolder(const QString& local, QString* reason) {
    if (::CreateDirectoryW(Wide(local), nullptr)) {
        return FolderMade::Created;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = ::GetFileAttributesW(Wide(local));
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return FolderMade::AlreadyThere;
        }
        Tell(reason, QStringLiteral("%1 是文件，不是文件夹").arg(PathForMessage(local)));
        return FolderMade::Failed;
    }
    Tell(reason, SystemWords(error));
    return error == ERROR_PATH_NOT_FOUND ? FolderMade::ParentMissing : FolderMade::Failed;
}

bool IsReadOnly(const QString& local) {
    const DWORD attributes = ::GetFileAttributesW(Wide(local));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// A mutex of the system named after the file, in the namespace every session of the machine
// sees. The system hands it to the next waiter when the program holding it dies, and it leaves
// nothing in the folder. A mutex belongs to a thread: the save that takes it releases it on the
// same thread.
struct SaveLock::Held {
    HANDLE mutex = nullptr;
    bool owned = false;
};

SaveLock::SaveLock(const QString& localFile) : held_(std::make_unique<Held>()) {
    const QByteArray key =
        QCryptographicHash::hash(
            QDir::toNativeSeparators(QFileInfo(localFile).absoluteFilePath()).toLower().toUtf8(),
            QCryptographicHash::Sha1)
            .toHex();
    const QString name =
        QStringLiteral("Global\\vantric-settings-save-") + QString::fromLatin1(key);
    held_->mutex = ::CreateMutexW(nullptr, FALSE, Wide(name));
}

SaveLock::~SaveLock() {
    if (held_->owned) {
        ::ReleaseMutex(held_->mutex);
    }
    if (held_->mutex != nullptr) {
        ::CloseHandle(held_->mutex);
    }
}

bool SaveLock::Acquire(QString* reason) {
    if (held_->mutex == nullptr) {
        return true;  // another user's lock we may not open: saves go on unlocked
    }
    switch (::WaitForSingleObject(held_->mutex, kLockWaitMs)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // its holder died; what it saved is whole (old file or new)
            held_->owned = true;
            return true;
        case WAIT_TIMEOUT:
            Tell(reason, QStringLiteral("另一个程序正在保存这个文件"));
            return false;
        default:
            return true;
    }
}

bool SaveFile(const QString& target, const QByteArray& bytes, bool existed, qint64 oldSize,
              QString* reason) {
    QString native = QDir::toNativeSeparators(target);
    // Names match whatever their case: the file keeps the name it has, not the one asked for.
    WIN32_FIND_DATAW found{};
    if (existed) {
        if (HANDLE search = ::FindFirstFileW(Wide(native), &found);
            search != INVALID_HANDLE_VALUE) {
            ::FindClose(search);
            native = QDir::toNativeSeparators(QFileInfo(native).path()) + QLatin1Char('\\') +
                     QString::fromWCharArray(found.cFileName);
        }
    }
    if (!existed) {
        bool noRoom = false;
        const QString beside = WriteBeside(native, bytes, FILE_ATTRIBUTE_NORMAL, reason, &noRoom);
        if (beside.isEmpty()) {
            return false;
        }
        if (!::MoveFileExW(Wide(beside), Wide(native), MOVEFILE_WRITE_THROUGH)) {
            Tell(reason, SystemWords(::GetLastError()));
            ::DeleteFileW(Wide(beside));
            return false;
        }
        return true;
    }

    BY_HANDLE_FILE_INFORMATION old{};
    {
        Handle file(::CreateFileW(Wide(native), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() || !::GetFileInformationByHandle(file.get(), &old)) {
            Tell(reason, SystemWords(::GetLastError()));
            return false;
        }
    }
    // A file with a second name would lose it in the replace.
    if (old.nNumberOfLinks <= 1) {
        bool noRoom = false;
        const QString beside = WriteBeside(native, bytes, old.dwFileAttributes, reason, &noRoom);
        if (beside.isEmpty() && !noRoom) {
            return false;
        }
        if (!beside.isEmpty()) {
            switch (SwapIn(native, beside, reason)) {
                case Swapped::Done:
                    return true;
                case Swapped::Failed:
                    return false;
                case Swapped::NotReplaceable:
                    break;
            }
        }
    }
    return RewriteInPlace(native, bytes, oldSize, reason);
}

}  // namespace vantric::filestore
