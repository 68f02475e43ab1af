// The file-system steps of a settings save that each system does its own way: making one folder,
// the lock that programs saving at once take, and putting a new text in the place of the old one
// so that the file stays what it was. One source file per system (linux/, windows/), chosen by
// the build; the rules of what is saved live in ProfileFile.cpp.
//
// Every step that fails says why in *reason (when given), in the system's own words where the
// system refused.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/ProfileFile.h"

namespace vantric::filestore {

enum class FolderMade { Created, AlreadyThere, ParentMissing, Failed };

// Makes the one folder at `local` (its parent must exist).
FolderMade MakeFolder(const QString& local, QString* reason);

// The file carries the system's read-only mark (on Linux: its owner may not write it).
bool IsReadOnly(const QString& local);

// Held while a save reads and rewrites a settings file, so that programs saving at once keep
// each other's keys. The system lets go of it when the program dies, and it leaves nothing
// behind.
class SaveLock {
  public:
    explicit SaveLock(const QString& localFile);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // False when another save held the lock for longer than any save takes.
    bool Acquire(QString* reason);

  private:
    struct Held;
    std::unique_ptr<Held> held_;
};

// Puts `bytes` where the file `target` is (or makes it, when `existed` is false), in one step that
// a program killed at any moment leaves as the old file or the new, flushed to disk. The file
// keeps what it is: where a new file could not be all the old one was, the old one is rewritten
// in place. `oldSize` is the size of the text read before.
bool SaveFile(const QString& target, const QByteArray& bytes, bool existed, qint64 oldSize,
              QString* reason);

// Whether a stage of a save may go on (tests make a stage fail as a failing disk would).
bool StagePasses(ProfileWriteStage stage);

// Sets *reason when it is given.
inline void Tell(QString* reason, const QString& why) {
    if (reason != nullptr) {
        *reason = why;
    }
}

// How long a save waits for another program's save to finish, and how often it looks.
constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 5;

}  // namespace vantric::filestore
