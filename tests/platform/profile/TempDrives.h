// A drive root of its own for one test: VANTRIC_DRIVES points at a temporary folder, so drive
// letters that have no folder there are missing drives.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TempDrives {
  public:
    TempDrives() {
        previous_ = qgetenv("VANTRIC_DRIVES");
        hadPrevious_ = qEnvironmentVariableIsSet("VANTRIC_DRIVES");
        qputenv("VANTRIC_DRIVES", root_.path().toLocal8Bit());
    }
    ~TempDrives() {
        if (hadPrevious_) {
            qputenv("VANTRIC_DRIVES", previous_);
        } else {
            qunsetenv("VANTRIC_DRIVES");
        }
    }
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    QString Root() const { return root_.path(); }
    // Local path of a path on a drive, e.g. Local("D/data/dypz.ini").
    QString Local(const QString& relative) const { return root_.path() + u'/' + relative; }
    void MakeFolder(const QString& relative) const { QDir().mkpath(Local(relative)); }

    QByteArray Bytes(const QString& relative) const {
        QFile f(Local(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Put(const QString& relative, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(Local(relative)).absolutePath());
        QFile f(Local(relative));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            f.write(bytes);
        }
    }
    QStringList Entries(const QString& relative) const {
        return QDir(Local(relative))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

  private:
    QTemporaryDir root_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

// Runs check as a user without privileges: permission bits do not bind the super-user, so a
// test of a read-only folder or an unreadable file runs in a child that has given them up.
// The folders under root must be reachable for that user (the default mode is).
inline bool RunUnprivileged(const QString& root, const std::function<bool()>& check) {
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
