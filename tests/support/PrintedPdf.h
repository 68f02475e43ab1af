// Reading what a print produced: PDFs through poppler's tools (pages, text, ink), the files a
// CUPS PDF queue spools and the printable area its PPD declares. Shared by the print tests of the
// grid and of vantric-batch.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <cctype>
#include <cmath>

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include "tests/support/PrintTestRule.h"

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

// The label numbers k/N in a text, in the order they stand.
inline QStringList LabelNumbersIn(const QString& text) {
    QStringList numbers;
    auto it = QRegularExpression(QStringLiteral("\\b\\d+/\\d+\\b")).globalMatch(text);
    while (it.hasNext()) {
        numbers << it.next().captured(0);
    }
    return numbers;
}

// The label numbers k/N in the order pdftotext reads them.
inline QStringList PdfNumbers(const QString& path) {
    return LabelNumbersIn(RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
}

// The text of each page, in page order (pdftotext ends every page with a form feed).
inline QStringList PdfPageTexts(const QString& path) {
    QStringList pages =
        RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).split(u'\f');
    pages.removeLast();  // what follows the last page's form feed
    return pages;
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

// Whether a CUPS scheduler answers at all.
inline bool CupsRunning() {
    return RunTool(QStringLiteral("lpstat"), {QStringLiteral("-r")})
        .contains(QStringLiteral("is running"));
}

// The ink on one page of a PDF: the bounding box of the pixels darker than mid-grey, in points
// from the page's top-left corner, rasterised by pdftoppm at `dpi`. Empty when the page could not
// be rasterised or holds no ink.
inline QRectF InkBox(const QString& pdf, int page, int dpi = 288) {
    const QByteArray pgm = [&] {
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi),
                 QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                 QString::number(page), pdf});
        p.waitForFinished(120'000);
        return p.readAllStandardOutput();
    }();
    // A binary PGM: "P5", width, height, maximum, each after white space, then one byte a pixel.
    qsizetype at = 0;
    auto field = [&]() {
        while (at < pgm.size() && (std::isspace(static_cast<unsigned char>(pgm[at])) != 0)) {
            ++at;
        }
        const qsizetype start = at;
        while (at < pgm.size() && (std::isspace(static_cast<unsigned char>(pgm[at])) == 0)) {
            ++at;
        }
        return pgm.mid(start, at - start);
    };
    if (field() != "P5") {
        return QRectF();
    }
    const int width = field().toInt();
    const int height = field().toInt();
    const int maximum = field().toInt();
    ++at;  // the one white-space character before the pixels
    if (width <= 0 || height <= 0 || maximum != 255 ||
        pgm.size() - at < qsizetype{width} * height) {
        return QRectF();
    }
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(pgm.constData() + at) +
                          static_cast<qsizetype>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (row[x] < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0) {
        return QRectF();
    }
    const double point = 72.0 / dpi;
    return QRectF(left * point, top * point, (right + 1 - left) * point,
                  (bottom + 1 - top) * point);
}

// A paper's printable area as a PPD declares it: "*PaperDimension" (width, height) and
// "*ImageableArea" (lower-left x, lower-left y, upper-right x, upper-right y), all in points from
// the sheet's lower-left corner.
struct PpdArea {
    double paperWidth = 0, paperHeight = 0;
    double llx = 0, lly = 0, urx = 0, ury = 0;
    bool valid = false;

    double LeftStrip() const { return llx; }
    double TopStrip() const { return paperHeight - ury; }
    double PrintableWidth() const { return urx - llx; }
};

inline PpdArea PpdAreaIn(const QString& ppdText, const QString& paper) {
    PpdArea area;
    auto numbers = [&](const char* keyword) {
        const QRegularExpression re(
            QStringLiteral("^\\*%1\\s+%2(/[^:]*)?:\\s*\"([^\"]*)\"")
                .arg(QLatin1String(keyword), QRegularExpression::escape(paper)),
            QRegularExpression::MultilineOption);
        QList<double> values;
        const auto m = re.match(ppdText);
        if (m.hasMatch()) {
            for (const QString& v : m.captured(2).split(u' ', Qt::SkipEmptyParts)) {
                values << v.toDouble();
            }
        }
        return values;
    };
    const QList<double> size = numbers("PaperDimension");
    const QList<double> box = numbers("ImageableArea");
    if (size.size() == 2 && box.size() == 4) {
        area = PpdArea{size[0], size[1], box[0], box[1], box[2], box[3], true};
    }
    return area;
}

// The PPD of a CUPS queue as the scheduler hands it out (the copy in /etc/cups/ppd is readable
// by root only), through the client library's cupsGetPPD.
inline QString QueuePpd(const QString& queue) {
    using GetPpd = const char* (*)(const char*);
    static void* library = dlopen("libcups.so.2", RTLD_LAZY);
    const auto get =
        library != nullptr ? reinterpret_cast<GetPpd>(dlsym(library, "cupsGetPPD")) : nullptr;
    const char* file = get != nullptr ? get(queue.toLocal8Bit().constData()) : nullptr;
    if (file == nullptr) {
        return QString();
    }
    QFile f(QFile::decodeName(file));
    const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    f.remove();  // a temporary copy made for us
    return text;
}

// Where the page mapping puts what a whole-sheet page (a PDF file) shows at `whole` when the
// printer can print only `area`: the page starts at the printable corner, its margins and bands
// keep their size on paper, and the grid is scaled by the printable width over the paper width,
// one scale both ways (the page's height follows its width).
inline QRectF MappedOntoArea(const QRectF& whole, const PpdArea& area) {
    const double scale = area.PrintableWidth() / area.paperWidth;
    return QRectF(area.LeftStrip() + whole.left(), area.TopStrip() + whole.top(),
                  whole.width() * scale, whole.height() * scale);
}

// Whether two boxes agree on every edge and size within `tolerance` points.
inline ::testing::AssertionResult BoxNear(const QRectF& got, const QRectF& want, double tolerance) {
    const double off =
        std::max({std::abs(got.left() - want.left()), std::abs(got.top() - want.top()),
                  std::abs(got.width() - want.width()), std::abs(got.height() - want.height())});
    auto text = [](const QRectF& r) {
        return QStringLiteral("%1 x %2 at (%3, %4)")
            .arg(r.width(), 0, 'f', 2)
            .arg(r.height(), 0, 'f', 2)
            .arg(r.left(), 0, 'f', 2)
            .arg(r.top(), 0, 'f', 2)
            .toStdString();
    };
    if (off <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "ink " << text(got) << " pt, expected " << text(want)
                                         << " pt: off by " << off << " pt";
}

}  // namespace testsupport

// What the print tests need, each skipped or failed by the rule of PrintTestRule.h: the tools
// that read a PDF back (one by name, or the two every print test uses), a running CUPS
// scheduler, and one that knows `queue` (tools/cups-setup.sh makes the queues).
#define REQUIRE_TOOL(name) \
    REQUIRE_FOR_PRINTING(::testsupport::HaveTool(name), name " (poppler-utils) not installed")
#define REQUIRE_POPPLER()                                                           \
    REQUIRE_FOR_PRINTING(                                                           \
        ::testsupport::HaveTool("pdfinfo") && ::testsupport::HaveTool("pdftotext"), \
        "pdfinfo/pdftotext (poppler-utils) not installed")
#define REQUIRE_CUPS_SCHEDULER()                       \
    REQUIRE_FOR_PRINTING(::testsupport::CupsRunning(), \
                         "no CUPS scheduler running (tools/cups-setup.sh starts one)")
#define REQUIRE_CUPS_QUEUE(queue)                                                             \
    REQUIRE_FOR_PRINTING(::testsupport::CupsRunning() && ::testsupport::HaveCupsQueue(queue), \
                         "no CUPS queue " << QString(queue).toStdString()                     \
                                          << " reachable (tools/cups-setup.sh sets it up)")
