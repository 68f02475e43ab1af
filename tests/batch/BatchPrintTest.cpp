// vantric-batch printing: PDF files checked with pdfinfo and pdftotext, the settings file's
// margins on paper, failures with status 1, and a real CUPS queue when one is reachable.
#include <gtest/gtest.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

#include "BatchRunner.h"
#include "tests/support/PrintedPdf.h"

namespace {

using batchtest::Drives;
using batchtest::Outcome;
using batchtest::RunBatch;
using testsupport::PdfNumbers;
using testsupport::PdfPages;

// The numbers of a ticket of `total` labels followed by the fillers that complete its last page.
QStringList LabelNumbers(std::initializer_list<int> tickets) {
    QStringList numbers;
    int labels = 0;
    for (const int total : tickets) {
        for (int k = 1; k <= total; ++k) {
            numbers << QStringLiteral("%1/%2").arg(k).arg(total);
        }
        labels += total;
    }
    const int fillers = (4 - labels % 4) % 4;
    for (int k = 1; k <= fillers; ++k) {
        numbers << QStringLiteral("%1/%2").arg(k).arg(fillers);
    }
    return numbers;
}

TEST(BatchPrint, PdfHoldsEveryLabelInOrder) {
    REQUIRE_POPPLER();
    const struct {
        const char* name;
        QStringList arguments;
        int pages;
        QStringList numbers;
    } cases[] = {
        {"single_5", {"single", "5"}, 2, LabelNumbers({5})},
        {"single_4", {"single", "4"}, 1, LabelNumbers({4})},
        {"multi_3_2", {"multi", "3", "2"}, 2, LabelNumbers({3, 2})},
        {"single_999", {"single", "999"}, 999 / 4 + 1, LabelNumbers({999})},
        {"single_5_no_fit", {"single", "5", "--no-fit"}, 2, LabelNumbers({5})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        const QString pdf = drives.Path(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        const Outcome run = RunBatch(c.arguments + QStringList{"--pdf", pdf}, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(PdfPages(pdf), c.pages);
        EXPECT_EQ(PdfNumbers(pdf), c.numbers);
    }
}

// On the overweight sheet, whose rows of pictures may go to pages of their own: four carton labels
// of the desk's A4 stock fit no smaller paper whole (see the table below).
TEST(BatchPrint, PaperIsA4UnlessNamed) {
    REQUIRE_POPPLER();
    const struct {
        const char* paper;
        QString size;  // whole points
    } cases[] = {{nullptr, "595x842"}, {"A5", "420x595"}, {"letter", "612x792"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper ? c.paper : "none");
        const Drives drives;
        const QString pdf = drives.Path(QStringLiteral("paper.pdf"));
        QStringList arguments{"overweight", "--pdf", pdf};
        if (c.paper != nullptr) {
            arguments << "--paper" << c.paper;
        }
        const Outcome run = RunBatch(arguments, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(testsupport::PdfPageSize(pdf), c.size);
    }
}

// The margins come from the settings file: a header that leaves no room for the table fails the
// print rather than spooling empty pages.
TEST(BatchPrint, SettingsFileMarginsReachThePrint) {
    REQUIRE_POPPLER();
    const Drives drives;
    drives.WriteSettings(
        "[打印预览边距]\n页眉=3000\n页脚=60\n表头表格间距=20\n上边距=20\n"
        "下边距=20\n左边距=40\n右边距=40\n");
    const QString pdf = drives.Path(QStringLiteral("none.pdf"));
    const Outcome refused = RunBatch({"single", "8", "--pdf", pdf}, drives);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("printing failed")))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

// The print margins of the settings file with the given top margin, the others at their defaults.
QByteArray MarginsWithTop(int top) {
    return QStringLiteral(
               "[打印预览边距]\n页眉=60\n页脚=60\n表头表格间距=20\n上边距=%1\n下边距=20\n"
               "左边距=40\n右边距=40\n")
        .arg(top)
        .toUtf8();
}

// Every printed page is one whole label page of the sheet, as the desk's stock has four labels
// to a sheet; where the margins and paper leave room for fewer, nothing is printed and the
// reason says how many fit.
TEST(BatchPrint, EveryPageIsAWholeLabelPageOrNothingPrints) {
    REQUIRE_POPPLER();
    const struct {
        const char* name;
        int top;
        QStringList arguments;
        QList<int> labelsOnPages;  // empty: refused
        QString reason;
    } cases[] = {
        // A body of 1086 units holds a label page (1002) and the next caption row (61), yet
        // each printed page holds one label page.
        {"no_fit", 20, {"single", "12", "--no-fit"}, {4, 4, 4}, {}},
        {"default", 20, {"single", "12"}, {4, 4, 4}, {}},
        // 920 units hold the upper two labels of a page (466), not all four (1002).
        {"top_300", 300, {"single", "12"}, {}, "only 2 of the 4 labels a page must hold"},
        // Some 440 units hold neither pair.
        {"top_1600", 1600, {"single", "12"}, {}, "only 0 of the 4 labels a page must hold"},
        // The same margins on A5 are larger in the units of the smaller paper: some 998 units.
        {"a5", 20, {"single", "12", "--paper", "A5"}, {}, "only 2 of the 4 labels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        drives.WriteSettings(MarginsWithTop(c.top));
        const QString pdf = drives.Path(QStringLiteral("labels.pdf"));
        const Outcome run = RunBatch(c.arguments + QStringList{"--pdf", pdf}, drives);
        if (c.labelsOnPages.isEmpty()) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.contains(
                QStringLiteral("printing failed: the print margins leave no room for the table: ") +
                c.reason))
                << run.err.toStdString();
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList pages = testsupport::PdfPageTexts(pdf);
        ASSERT_EQ(pages.size(), c.labelsOnPages.size());
        QStringList numbers;
        for (int p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            EXPECT_EQ(pages[p].count(QStringLiteral("Carton No. :")), c.labelsOnPages[p]);
            EXPECT_EQ(pages[p].count(QStringLiteral("Made in China")), c.labelsOnPages[p]);
            const QStringList onPage = testsupport::LabelNumbersIn(pages[p]);
            EXPECT_EQ(onPage.size(), c.labelsOnPages[p]);
            numbers << onPage;
        }
        EXPECT_EQ(numbers, LabelNumbers({12}));
    }
}

// The six caution pictures, and where the page breaks between their rows: a row of pictures
// travels with the gap below it, a gap never fills a page alone, and a picture taller than the
// body is not printed cut.
TEST(BatchPrint, OverweightSheetPrintsSixPictures) {
    REQUIRE_POPPLER();
    REQUIRE_TOOL("pdfimages");
    const struct {
        const char* name;
        int top;
        QList<int> picturesOnPages;  // empty: refused
    } cases[] = {
        {"one_page", 20, {6}},
        // 649 units hold two rows of pictures (640) but not the gap below the second (660).
        {"rows_with_their_gaps", 1028, {2, 4}},
        // Some 328 units hold a row of pictures (310) but not its gap (330): the gap is left
        // off rather than printed on a sheet of its own.
        {"gaps_left_off", 1900, {2, 2, 2}},
        // Some 290 units: no picture fits whole.
        {"pictures_taller_than_the_body", 2000, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        drives.WriteSettings(MarginsWithTop(c.top));
        const QString pdf = drives.Path(QStringLiteral("overweight.pdf"));
        const Outcome run = RunBatch({"overweight", "--pdf", pdf}, drives);
        if (c.picturesOnPages.isEmpty()) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.contains(QStringLiteral("only 0 of the 2 labels")))
                << run.err.toStdString();
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        // pdfimages -list: two heading lines, then one line per image drawn, its page first.
        QList<int> pictures(PdfPages(pdf), 0);
        const QStringList lines =
            testsupport::RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : lines.mid(2)) {
            const int page = line.section(u' ', 0, 0, QString::SectionSkipEmpty).toInt();
            if (page >= 1 && page <= pictures.size()) {
                ++pictures[page - 1];
            }
        }
        EXPECT_EQ(pictures, c.picturesOnPages);
    }
}

TEST(BatchPrint, FailuresExitWithOne) {
    const Drives drives;
    const struct {
        const char* name;
        QStringList arguments;
        QString message;
    } cases[] = {
        {"unwritable_pdf", {"single", "4", "--pdf", drives.Path("no/such/dir/x.pdf")}, "failed"},
        {"unknown_queue",
         {"single", "4", "--printer", "NoSuchQueue-Vantric"},
         "NoSuchQueue-Vantric"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = RunBatch(c.arguments, drives);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
}

using testsupport::CupsPdfOutput;
using testsupport::DefaultQueue;
using testsupport::HaveCupsQueue;
using testsupport::WaitForSpooled;

TEST(BatchPrint, CupsQueueSpoolsTheSheet) {
    REQUIRE_POPPLER();
    const QString queue = QStringLiteral("VantricPDF");
    REQUIRE_CUPS_QUEUE(queue);
    QStringList queues{queue};
    if (DefaultQueue() == queue) {
        queues << QStringLiteral("default");  // the system's default is the same queue
    }
    for (const QString& name : queues) {
        SCOPED_TRACE(name.toStdString());
        const Drives drives;
        const QString title = QStringLiteral("vantricbatch%1x%2")
                                  .arg(::getpid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        const Outcome run =
            RunBatch({"multi", "3", "2", "--printer", name, "--title", title}, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString spooled = WaitForSpooled(title, 60'000);
        ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << title.toStdString() << " in "
                                        << CupsPdfOutput().toStdString();
        EXPECT_EQ(PdfPages(spooled), 2);
        EXPECT_EQ(PdfNumbers(spooled), LabelNumbers({3, 2}));
        QFile::remove(spooled);
    }
}

// The same sheet through queues that differ only in the printable area their PPD declares: on
// the whole-sheet queue the table lands exactly where the PDF file has it, on the queue with
// unprintable strips it is mapped onto the printable area. Page 2 is measured, as page 1 is moved
// by the first-page offset.
TEST(BatchPrint, QueuesPrintOnTheAreaTheirPpdDeclares) {
    REQUIRE_POPPLER();
    REQUIRE_TOOL("pdftoppm");
    REQUIRE_CUPS_SCHEDULER();
    const Drives drives;
    const QString direct = drives.Path(QStringLiteral("direct.pdf"));
    const Outcome file = RunBatch({"single", "12", "--pdf", direct}, drives);
    ASSERT_EQ(file.exitCode, 0) << file.err.toStdString();
    const QRectF whole = testsupport::InkBox(direct, 2);
    ASSERT_FALSE(whole.isEmpty());

    const struct {
        const char* queue;
        double tolerance;  // points
    } cases[] = {
        // One raster pixel: nothing is scaled.
        {"Vantric12Full", 0.25},
        // Margins are whole grid pixels of the page, which round differently at another scale.
        {"Vantric12Strips", 1.0},
    };
    for (const auto& c : cases) {
        const QString queue = QString::fromLatin1(c.queue);
        SCOPED_TRACE(c.queue);
        ASSERT_TRUE(HaveCupsQueue(queue))
            << "no CUPS queue " << c.queue << ": tools/cups-setup.sh creates it";
        const testsupport::PpdArea area =
            testsupport::PpdAreaIn(testsupport::QueuePpd(queue), QStringLiteral("A4"));
        ASSERT_TRUE(area.valid) << "no A4 ImageableArea in the PPD of " << c.queue;
        const QString title = QStringLiteral("vantricarea%1x%2")
                                  .arg(::getpid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        const Outcome run =
            RunBatch({"single", "12", "--printer", queue, "--title", title}, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString spooled = WaitForSpooled(title, 60'000);
        ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << title.toStdString();
        EXPECT_EQ(testsupport::PdfPageSize(spooled), testsupport::PdfPageSize(direct));
        const QRectF got = testsupport::InkBox(spooled, 2);
        const QRectF want = testsupport::MappedOntoArea(whole, area);
        EXPECT_TRUE(testsupport::BoxNear(got, want, c.tolerance));
        QFile::remove(spooled);
    }
}

}  // namespace
