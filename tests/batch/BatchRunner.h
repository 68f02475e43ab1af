// Runs vantric-batch as a program, on a drive root of the test's own.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/Gb18030.h"

namespace batchtest {

struct Outcome {
    int exitCode = -1;  // -1 when it crashed or hung
    QByteArray out;
    QString err;
};

// A drive root for one test: drive D exists unless asked otherwise, and the settings file is
// wherever the program looks for D:/data/dypz.ini.
class Drives {
  public:
    explicit Drives(bool withDriveD = true) {
        if (withDriveD) {
            QDir().mkpath(root_.path() + QStringLiteral("/D"));
        }
    }
    QString Root() const { return root_.path(); }
    QString SettingsFile() const { return root_.path() + QStringLiteral("/D/data/dypz.ini"); }
    QString Path(const QString& name) const { return root_.filePath(name); }
    void WriteSettings(const QByteArray& text) const {
        QDir().mkpath(root_.path() + QStringLiteral("/D/data"));
        QFile f(SettingsFile());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            f.write(text);
        }
    }
    QString Settings() const {
        QFile f(SettingsFile());
        // New settings files are written in the Windows code page.
        return f.open(QIODevice::ReadOnly) ? vantric::DecodeGb18030(f.readAll()) : QString();
    }

  private:
    QTemporaryDir root_;
};

// Runs vantric-batch with `input` on its standard input (closed after it).
inline Outcome RunBatch(const QStringList& arguments, const Drives& drives,
                        const QByteArray& input = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTRIC_DRIVES"), drives.Root());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VANTRIC_BATCH_PATH), arguments);
    if (!input.isEmpty()) {
        process.write(input);
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(120'000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace batchtest
