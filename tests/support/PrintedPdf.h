// Reading what a print produced: PDFs through poppler's tools, and the files a CUPS PDF queue
// spools. Shared by the print tests of the grid and of vantric-batch.
#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace testsupport {

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

// The spool tests need the queue tools/cups-setup.sh makes: cups-pdf writes each job as a PDF
// file named after the job's title into its output folder.
inline bool HaveCupsQueue(const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue});
    return lpstat.waitForFinished(10'000) && lpstat.exitStatus() == QProcess::NormalExit &&
           lpstat.exitCode() == 0;
}

// The system's default queue, empty when there is none.
inline QString DefaultQueue() {
    const QString out = RunTool(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    const auto m = QRegularExpression(QStringLiteral(":\\s*(\\S+)\\s*$")).match(out.trimmed());
    return m.hasMatch() ? m.captured(1) : QString();
}

inline QString CupsPdfOutput() {
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(conf.readAll()).split(u'\n')) {
            const auto m = QRegularExpression(QStringLiteral("^\\s*Out\\s+(\\S+)")).match(line);
            if (m.hasMatch()) {
                out = m.captured(1);
            }
        }
    }
    // The print service writes into the home folder the account database gives the user, which
    // need not be what HOME says.
    const passwd* account = getpwuid(getuid());
    const QString home = account != nullptr ? QFile::decodeName(account->pw_dir) : QDir::homePath();
    return out.replace(QStringLiteral("${HOME}"), home);
}

// The spooled file of the job with this title once it reads as a whole PDF; empty when none
// appears within the time given.
inline QString WaitForSpooled(const QString& title, int milliseconds) {
    const QDir out(CupsPdfOutput());
    for (int waited = 0; waited <= milliseconds; waited += 200) {
        const QStringList found = out.entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
        if (!found.isEmpty() && PdfPages(out.filePath(found.front())) > 0) {
            return out.filePath(found.front());
        }
        QThread::msleep(200);
    }
    return QString();
}

}  // namespace testsupport

#define REQUIRE_POPPLER()                                                            \
    if (!testsupport::HaveTool("pdfinfo") || !testsupport::HaveTool("pdftotext")) {  \
        GTEST_SKIP() << "pdfinfo/pdftotext (poppler-utils) not installed: skipping"; \
    }
