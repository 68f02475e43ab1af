// Runs vantric-batch as a program, on a drive root of the test's own, and reads PDFs it wrote.
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
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

  private:
    QTemporaryDir root_;
};

inline Outcome RunBatch(const QStringList& arguments, const Drives& drives) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTRIC_DRIVES"), drives.Root());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VANTRIC_BATCH_PATH), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120'000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

inline bool HaveTool(const char* name) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

inline QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60'000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// pdfinfo's "Pages:" line; -1 when the file is no readable PDF.
inline int PdfPages(const QString& path) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// pdfinfo's page size in whole points, e.g. "595x842".
inline QString PdfPageSize(const QString& path) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const auto m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    if (!m.hasMatch()) {
        return QString();
    }
    return QStringLiteral("%1x%2")
        .arg(qRound(m.captured(1).toDouble()))
        .arg(qRound(m.captured(2).toDouble()));
}

// The label numbers k/N in the order pdftotext reads them.
inline QStringList PdfNumbers(const QString& path) {
    const QString text = RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QStringList numbers;
    auto it = QRegularExpression(QStringLiteral("\\b\\d+/\\d+\\b")).globalMatch(text);
    while (it.hasNext()) {
        numbers << it.next().captured(0);
    }
    return numbers;
}

}  // namespace batchtest

#define REQUIRE_POPPLER()                                                            \
    if (!batchtest::HaveTool("pdfinfo") || !batchtest::HaveTool("pdftotext")) {      \
        GTEST_SKIP() << "pdfinfo/pdftotext (poppler-utils) not installed: skipping"; \
    }
