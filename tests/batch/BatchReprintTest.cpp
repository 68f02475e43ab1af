// vantric-batch --labels and --start-slot, judged on paper: which labels each printed page holds
// at which of its four places, read back with pdftotext -bbox, and every label's text where the
// whole run prints it; the refusals; and the same on a CUPS queue.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QMap>
#include <QRectF>

#include "BatchRunner.h"
#include "tests/support/PrintedPdf.h"

namespace {

using batchtest::Drives;
using batchtest::Outcome;
using batchtest::RunBatch;

struct Word {
    QString text;
    QRectF box;  // points from the page's top-left corner
};

// The words on a page at each of its four places (0 top left, 1 top right, 2 bottom left,
// 3 bottom right), in reading order. The halves of the paper divide the places: the gutter
// column runs down the middle and the gap row between upper and lower labels lies across it.
using PagePlaces = QMap<int, QList<Word>>;

QList<PagePlaces> PdfPlaces(const QString& pdf) {
    const QString xhtml = testsupport::RunTool(QStringLiteral("pdftotext"),
                                               {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.]+)\" "
                       "yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PagePlaces> pages;
    QSizeF paper;
    for (auto it = tag.globalMatch(xhtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            paper = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            pages.append(PagePlaces());
            continue;
        }
        const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                         QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
        const int place = (box.center().y() < paper.height() / 2 ? 0 : 2) +
                          (box.center().x() < paper.width() / 2 ? 0 : 1);
        if (!pages.isEmpty()) {
            pages.last()[place].append(Word{m.captured(7), box});
        }
    }
    return pages;
}

// The label number (k/N) at each place of each page, "" for an empty place.
QList<QStringList> NumbersAtPlaces(const QList<PagePlaces>& pages) {
    QList<QStringList> numbers;
    for (const PagePlaces& page : pages) {
        QStringList places;
        for (int place = 0; place < 4; ++place) {
            QString number;
            for (const Word& word : page.value(place)) {
                if (word.text.contains(u'/')) {
                    number = word.text;
                }
            }
            places << number;
        }
        numbers << places;
    }
    return numbers;
}

// Whether the words of a label (given where it starts, the box of its first word) stand as the
// same label of the whole run has them, within a point.
::testing::AssertionResult SameLabel(const QList<Word>& got, const QList<Word>& whole) {
    if (got.size() != whole.size()) {
        return ::testing::AssertionFailure()
               << got.size() << " words, the whole run's label " << whole.size();
    }
    for (qsizetype i = 0; i < got.size(); ++i) {
        const QPointF shift = whole.front().box.topLeft() - got.front().box.topLeft();
        const auto near = testsupport::BoxNear(got[i].box.translated(shift), whole[i].box, 1.0);
        if (got[i].text != whole[i].text || !near) {
            return ::testing::AssertionFailure()
                   << "\"" << got[i].text.toStdString() << "\" vs \"" << whole[i].text.toStdString()
                   << "\": " << near.message();
        }
    }
    return ::testing::AssertionSuccess();
}

// Where each label of a whole run stands: its words by its number.
QMap<QString, QList<Word>> LabelsByNumber(const QList<PagePlaces>& pages) {
    QMap<QString, QList<Word>> labels;
    for (const PagePlaces& page : pages) {
        for (const QList<Word>& words : page) {
            for (const Word& word : words) {
                if (word.text.contains(u'/')) {
                    labels[word.text] = words;
                }
            }
        }
    }
    return labels;
}

TEST(BatchReprint, LabelsAndStartSlotPrintWhereTheWholeRunWould) {
    REQUIRE_POPPLER();
    const QStringList single{"single", "120"};
    const QStringList multi{"multi", "30", "5", "4"};
    const struct {
        const char* name;
        QStringList run;
        QStringList options;
        QList<QStringList> pages;     // the number at each place of each printed page
        bool startsWithPage1 = true;  // the first printed page is the run's first
    } cases[] = {
        {"single_desk_case",
         single,
         {"--labels", "37,40-42"},
         {{"37/120", "40/120", "41/120", "42/120"}}},
        // Tickets start at places 0, 30 and 35: the list's labels in the run's order.
        {"multi_in_run_order",
         multi,
         {"--labels", "3:,2:5,1:28-30"},
         {{"28/30", "29/30", "30/30", "5/5"}, {"1/4", "2/4", "3/4", "4/4"}}},
        // Places 1 and 2 of page 1 used already: 12 labels from place 3 fill 14 places, two
        // fillers complete page 4.
        {"start_slot_3",
         {"single", "12"},
         {"--start-slot", "3"},
         {{"", "", "1/12", "2/12"},
          {"3/12", "4/12", "5/12", "6/12"},
          {"7/12", "8/12", "9/12", "10/12"},
          {"11/12", "12/12", "1/2", "2/2"}}},
        {"labels_from_slot_4",
         single,
         {"--labels", "37,40-42", "--start-slot", "4"},
         {{"", "", "", "37/120"}, {"40/120", "41/120", "42/120", ""}}},
        // Pages and copies count the pages of what prints.
        {"page_2_twice",
         multi,
         {"--labels", "2:5,1:28-30,3:", "--pages", "2", "--copies", "2"},
         {{"1/4", "2/4", "3/4", "4/4"}, {"1/4", "2/4", "3/4", "4/4"}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        const QString wholePdf = drives.Path(QStringLiteral("whole.pdf"));
        const QString pdf = drives.Path(QStringLiteral("reprint.pdf"));
        ASSERT_EQ(RunBatch(c.run + QStringList{"--pdf", wholePdf}, drives).exitCode, 0);
        const Outcome run = RunBatch(c.run + c.options + QStringList{"--pdf", pdf}, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

        const QList<PagePlaces> pages = PdfPlaces(pdf);
        const QList<PagePlaces> whole = PdfPlaces(wholePdf);
        EXPECT_EQ(NumbersAtPlaces(pages), c.pages);
        const QMap<QString, QList<Word>> wholeLabels = LabelsByNumber(whole);
        for (qsizetype p = 0; p < pages.size(); ++p) {
            for (int place = 0; place < 4; ++place) {
                SCOPED_TRACE(
                    QStringLiteral("page %1 place %2").arg(p + 1).arg(place).toStdString());
                const QList<Word> words = pages[p].value(place);
                if (words.isEmpty()) {
                    continue;
                }
                // The label starts where the whole run starts one at that place of a page
                // (page 1 is moved by the first-page offset, the others are alike)...
                const bool page1 = p == 0 && c.startsWithPage1;
                const QList<Word> there = whole[page1 ? 0 : 1].value(place);
                ASSERT_FALSE(there.isEmpty());
                EXPECT_TRUE(testsupport::BoxNear(words.front().box, there.front().box, 1.0));
                // ... and reads as that label of the whole run does (fillers of a later start
                // are no label of the whole run).
                const QString number = c.pages[p][place];
                if (wholeLabels.contains(number)) {
                    EXPECT_TRUE(SameLabel(words, wholeLabels[number]));
                }
            }
        }
    }
}

TEST(BatchReprint, RefusalsSayWhatAndPrintNothing) {
    const struct {
        const char* name;
        QStringList arguments;
        QString message;
    } cases[] = {
        {"carton_outside",
         {"single", "120", "--labels", "37,118-121"},
         "carton 121 in \"118-121\" is not in the run, which has 120 cartons"},
        {"malformed", {"single", "120", "--labels", "40-x"}, "\"40-x\" is not a carton number"},
        {"ticket_outside",
         {"multi", "30", "5", "--labels", "3:1"},
         "ticket 3 in \"3:1\" is not in the run, which has 2 tickets"},
        {"overweight", {"overweight", "--labels", "1"}, "the overweight sheet"},
        {"slot_5", {"single", "12", "--start-slot", "5"}, "bad start slot \"5\""},
        {"slot_0", {"single", "12", "--start-slot", "0"}, "bad start slot \"0\""},
        {"pages_of_the_reprint",
         {"single", "120", "--labels", "37", "--pages", "2"},
         "page 2 is not in the run, which has 1 page"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        const QString pdf = drives.Path(QStringLiteral("none.pdf"));
        const Outcome run = RunBatch(c.arguments + QStringList{"--pdf", pdf}, drives);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST(BatchReprint, CupsQueuePrintsTheChosenLabels) {
    REQUIRE_POPPLER();
    const QString queue = QStringLiteral("VantricPDF");
    if (!testsupport::HaveCupsQueue(queue)) {
        GTEST_SKIP() << "no CUPS queue VantricPDF reachable (tools/cups-setup.sh sets it up)";
    }
    const Drives drives;
    const QString title = QStringLiteral("vantricreprint%1x%2")
                              .arg(::getpid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    const Outcome run = RunBatch(
        {"single", "120", "--labels", "37,40-42", "--printer", queue, "--title", title}, drives);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString spooled = testsupport::WaitForSpooled(title, 60'000);
    ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << title.toStdString();
    EXPECT_EQ(NumbersAtPlaces(PdfPlaces(spooled)),
              (QList<QStringList>{{"37/120", "40/120", "41/120", "42/120"}}));
    QFile::remove(spooled);
}

}  // namespace
