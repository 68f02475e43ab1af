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
        numbers << QStringList{"", "", "", ""};
        for (auto [place, words] : page.asKeyValueRange()) {
            for (const Word& word : words) {
                if (word.text.contains(u'/')) {
                    numbers.last()[place] = word.text;
                }
            }
        }
    }
    return numbers;
}

// Whether a label's words stand as `whole`'s words of that label do, each word's box within a
// point once the label is moved to where the whole run has it.
::testing::AssertionResult SameLabel(const QList<Word>& got, const QList<Word>& whole) {
    if (got.size() != whole.size()) {
        return ::testing::AssertionFailure() << got.size() << " words, " << whole.size();
    }
    const QPointF shift = whole.front().box.topLeft() - got.front().box.topLeft();
    for (qsizetype i = 0; i < got.size(); ++i) {
        const auto near = testsupport::BoxNear(got[i].box.translated(shift), whole[i].box, 1.0);
        if (got[i].text != whole[i].text || !near) {
            return ::testing::AssertionFailure()
                   << got[i].text.toStdString() << ": " << near.message();
        }
    }
    return ::testing::AssertionSuccess();
}

// One table: what prints (the number at each place of each printed page, every label where the
// whole run has it), or the refusal and nothing printed.
TEST(BatchReprint, LabelsAndStartSlotPrintWhereTheWholeRunWouldOrAreRefused) {
    REQUIRE_POPPLER();
    const QStringList single{"single", "120"};
    const QStringList multi{"multi", "30", "5", "4"};  // tickets from places 0, 30 and 35
    const QStringList fourOf120{"37/120", "40/120", "41/120", "42/120"};
    const QString queue = QStringLiteral("VantricPDF");
    const struct {
        const char* name;
        QStringList run;
        QStringList options;
        QList<QStringList> pages;
        QString refusal;              // what standard error says instead, with status 2
        bool startsWithPage1 = true;  // the first printed page is the run's first
        bool onQueue = false;
    } cases[] = {
        {"single_desk_case", single, {"--labels", "37,40-42"}, {fourOf120}},
        {"multi_in_run_order",
         multi,
         {"--labels", "3:,2:5,1:28-30"},
         {{"28/30", "29/30", "30/30", "5/5"}, {"1/4", "2/4", "3/4", "4/4"}}},
        // 12 labels from place 3 fill 14 places, two fillers complete page 4.
        {"start_slot_3",
         {"single", "12"},
         {"--start-slot", "3"},
         {{"", "", "1/12", "2/12"},
          {"3/12", "4/12", "5/12", "6/12"},
          {"7/12", "8/12", "9/12", "10/12"},
          {"11/12", "12/12", "1/2", "2/2"}}},
        {"multi_from_slot_4",
         {"multi", "3", "2"},
         {"--start-slot", "4"},
         {{"", "", "", "1/3"}, {"2/3", "3/3", "1/2", "2/2"}}},
        {"labels_from_slot_4",
         single,
         {"--labels", "37,40-42", "--start-slot", "4"},
         {{"", "", "", "37/120"}, {"40/120", "41/120", "42/120", ""}}},
        // Pages and copies count the pages of what prints.
        {"page_2_twice",
         multi,
         {"--labels", "2:5,1:28-30,3:", "--pages", "2", "--copies", "2"},
         {{"1/4", "2/4", "3/4", "4/4"}, {"1/4", "2/4", "3/4", "4/4"}},
         {},
         false},
        {"carton_outside",
         single,
         {"--labels", "37,118-121"},
         {},
         "carton 121 in \"118-121\" is not in the run, which has 120 cartons"},
        {"malformed", single, {"--labels", "40-x"}, {}, "\"40-x\" is not a carton number"},
        {"ticket_form_in_single", single, {"--labels", "2:5"}, {}, "\"2:5\" is not a carton"},
        {"backwards", single, {"--labels", "42-40"}, {}, "\"42-40\" runs backwards"},
        {"ticket_outside",
         multi,
         {"--labels", "4:1"},
         {},
         "ticket 4 in \"4:1\" is not in the run, which has 3 tickets"},
        {"past_a_ticket",
         multi,
         {"--labels", "1:28-30,2:5-6"},
         {},
         "carton 6 in \"2:5-6\" is not in ticket 2, which has 5 cartons"},
        {"carton_form_in_multi", multi, {"--labels", "5"}, {}, "\"5\" is not TICKET:CARTON"},
        {"overweight", {"overweight"}, {"--labels", "1"}, {}, "the overweight sheet"},
        {"slot_5", single, {"--start-slot", "5"}, {}, "bad start slot \"5\""},
        {"slot_0", single, {"--start-slot", "0"}, {}, "bad start slot \"0\""},
        {"pages_of_the_reprint",
         single,
         {"--labels", "37", "--pages", "2"},
         {},
         "page 2 is not in the run, which has 1 page"},
        {"queue_desk_case", single, {"--labels", "37,40-42"}, {fourOf120}, {}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        QString pdf = drives.Path(QStringLiteral("reprint.pdf"));
        const QString title = QStringLiteral("vantricreprint%1x%2")
                                  .arg(::getpid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        REQUIRE_FOR_PRINTING(!c.onQueue || testsupport::HaveCupsQueue(queue),
                             "no CUPS queue VantricPDF reachable (tools/cups-setup.sh sets it up)");
        const QStringList output = c.onQueue ? QStringList{"--printer", queue, "--title", title}
                                             : QStringList{"--pdf", pdf};
        const Outcome run = RunBatch(c.run + c.options + output, drives);
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_TRUE(run.err.contains(c.refusal)) << run.err.toStdString();
            EXPECT_FALSE(QFile::exists(pdf));
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        if (c.onQueue) {
            pdf = testsupport::WaitForSpooled(title, 60'000);
            ASSERT_FALSE(pdf.isEmpty()) << "no spooled PDF named " << title.toStdString();
        }
        const QList<PagePlaces> pages = PdfPlaces(pdf);
        EXPECT_EQ(NumbersAtPlaces(pages), c.pages);
        if (c.onQueue) {
            QFile::remove(pdf);  // the queue's paper has its own printable area: no boxes
            continue;
        }
        const QString wholePdf = drives.Path(QStringLiteral("whole.pdf"));
        ASSERT_EQ(RunBatch(c.run + QStringList{"--pdf", wholePdf}, drives).exitCode, 0);
        const QList<PagePlaces> whole = PdfPlaces(wholePdf);
        QMap<QString, QList<Word>> wholeLabels;  // each label of the whole run by its number
        const QList<QStringList> wholeNumbers = NumbersAtPlaces(whole);
        for (qsizetype p = 0; p < whole.size(); ++p) {
            for (int place = 0; place < 4; ++place) {
                wholeLabels[wholeNumbers[p][place]] = whole[p].value(place);
            }
        }
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
                const QList<Word> there = whole[p == 0 && c.startsWithPage1 ? 0 : 1].value(place);
                ASSERT_FALSE(there.isEmpty());
                EXPECT_TRUE(testsupport::BoxNear(words.front().box, there.front().box, 1.0));
                // ... and reads as that label of the whole run does (fillers of a later start
                // are no label of the whole run).
                if (wholeLabels.contains(c.pages[p][place])) {
                    EXPECT_TRUE(SameLabel(words, wholeLabels[c.pages[p][place]]));
                }
            }
        }
    }
}

}  // namespace
