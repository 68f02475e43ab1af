// A drive root of its own for one test: VANTRIC_DRIVES points at a temporary folder, so drive
// letters that have no folder there are missing drives.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

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

// This test program started again as a program of its own that runs only `test` (a disabled test
// playing another program), on the same drives, with `name`=`value` in its environment.
inline std::unique_ptr<QProcess> StartAlone(const char* test, const char* name = nullptr,
                                            const QString& value = {}) {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (name != nullptr) {
        env.insert(QString::fromLatin1(name), value);
    }
    program->setProcessEnvironment(env);
    program->setProcessChannelMode(QProcess::MergedChannels);
    program->start(QString::fromLocal8Bit(::testing::internal::GetArgvs()[0].c_str()),
                   {"--gtest_also_run_disabled_tests", QStringLiteral("--gtest_filter=") + test});
    return program;
}

// Its exit code once it ended; -1 when it crashed or did not end.
inline int Finished(QProcess& program) {
    if (!program.waitForFinished(120'000) || program.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return program.exitCode();
}
