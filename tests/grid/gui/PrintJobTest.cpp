// Whole print jobs: PDF files checked with pdfinfo and pdftotext, the printer choice of the
// print command, cancelling, refused layouts, and a real CUPS queue when one is there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <tuple>

#include <pwd.h>
#include <unistd.h>

#include "grid/CPreviewDialog.h"
#include "grid/GridPrintJob.h"
#include "platform/Printer.h"
#include "tests/grid/gui/PrinterTest.h"
#include "tests/support/CupsAttributes.h"
#include "tests/support/DeskSheet.h"
#include "tests/support/PrintedPdf.h"

using namespace vantric;

namespace {

using testsupport::CupsPdfOutput;
using testsupport::PdfNumbers;
using testsupport::PdfPages;
using testsupport::RunTool;
using testsupport::WaitForSpooled;

class PrintJobTest : public fixtures::PrinterTest {};

class ChooserAnswer : public IPrinterChooser {
  public:
    explicit ChooserAnswer(QString pdf) : pdf_(std::move(pdf)) {}
    bool Choose(QPrinter& printer) override {
        ++asked;
        if (pdf_.isEmpty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_);
        printer.setPageSize(QPageSize(QPageSize::A4));
        return true;
    }
    int asked = 0;

  private:
    QString pdf_;
};

// The preview measures paper with 0.0394 inch to the millimetre.
constexpr double kPreviewTenthsPerPoint = 10.0 / 0.0394 / 72.0;

// An operator who changes printer, file and paper in the dialog, then cancels it.
class ChangeThenCancel : public IPrinterChooser {
  public:
    bool Choose(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/nonexistent/never.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A3));
        return false;
    }
};

// An operator who picks a print queue on A4, and perhaps pages (as typed into the dialog, e.g.
// "2-3" or "1,3") and copies, as the dialog sets them on the printer. Notes what the dialog
// started from.
class ChooseQueue : public IPrinterChooser {
  public:
    explicit ChooseQueue(QString queue, QString pages = {}, int copies = 1, bool collate = true)
        : queue_(std::move(queue)), pages_(std::move(pages)), copies_(copies), collate_(collate) {}
    bool Choose(QPrinter& printer) override {
        started = {printer.printerName().toStdString(), printer.copyCount(), printer.printRange(),
                   printer.fromPage(), printer.toPage()};
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue_);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (!pages_.isEmpty()) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setPageRanges(QPageRanges::fromString(pages_));
        }
        printer.setCopyCount(copies_);
        printer.setCollateCopies(collate_);
        return true;
    }
    std::tuple<std::string, int, QPrinter::PrintRange, int, int> started;

  private:
    QString queue_, pages_;
    int copies_;
    bool collate_;
};

class CancelAfter : public IPrintProgress {
  public:
    explicit CancelAfter(int32_t page) : page_(page) {}
    void Started(int32_t total) override { total_ = total; }
    bool PageDone(int32_t page) override {
        last = page;
        return page < page_;
    }
    void Finished() override { finished = true; }
    int32_t last = 0;
    bool finished = false;

  private:
    int32_t page_;
    int32_t total_ = 0;
};

}  // namespace

TEST_F(PrintJobTest, PdfHoldsEveryPageAndLabelInOrder) {
    REQUIRE_POPPLER();
    struct Case {
        const char* name;
        std::vector<int32_t> tickets;
        int pages;
        QStringList numbers;
    };
    const Case cases[] = {
        {"single_5", {5}, 2, {"1/5", "2/5", "3/5", "4/5", "5/5", "1/3", "2/3", "3/3"}},
        {"multi_3_2", {3, 2}, 2, {"1/3", "2/3", "3/3", "1/2", "2/2", "1/3", "2/3", "3/3"}},
        {"single_4", {4}, 1, {"1/4", "2/4", "3/4", "4/4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        fixtures::BuildDeskSheet(grid, c.tickets);
        const QString pdf = Path(c.name) + QStringLiteral(".pdf");
        const PrintOutcome out = PrintGridToPdf(grid, pdf, QPageSize(QPageSize::A4), {});
        ASSERT_TRUE(out.ok) << out.error.toStdString();
        EXPECT_EQ(out.pagesPrinted, c.pages);
        EXPECT_EQ(PdfPages(pdf), c.pages);
        EXPECT_EQ(PdfNumbers(pdf), c.numbers);
    }
}

TEST_F(PrintJobTest, LargeSheetKeepsOneLabelPageToAPrintedPage) {
    REQUIRE_POPPLER();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {999});
    const QString pdf = Path("999.pdf");
    ASSERT_TRUE(PrintGridToPdf(grid, pdf, QPageSize(QPageSize::A4), {}).ok);
    EXPECT_EQ(PdfPages(pdf), 999 / 4 + 1);
    const QStringList numbers = PdfNumbers(pdf);
    ASSERT_EQ(numbers.size(), 1000);
    EXPECT_EQ(numbers.front(), "1/999");
    EXPECT_EQ(numbers[998], "999/999");
    EXPECT_EQ(numbers.back(), "1/1");  // the one filler
}

// The desk's stock is four labels to an A4 sheet. The top margin swept from 0 to 3000 tenths of
// a millimetre, with the columns fitted to the page and not, on a screen of 96 and of 144 dpi
// (the grid pixel's size on paper follows the screen): each print of 12 cartons either gives
// three pages of four whole labels in order, or is refused, nothing printed, with the labels of
// a page that still fit whole. Once refused, no larger margin prints again.
TEST_F(PrintJobTest, TopMarginSweepPrintsWholeLabelPagesOrNothing) {
    REQUIRE_POPPLER();
    for (const int dpi : {96, 144}) {
        for (const bool fit : {true, false}) {
            CGridCtrl grid;
            fixtures::BuildDeskSheet(grid, {12});
            grid.SetPixelSize(PixelSizeAt(dpi));
            grid.Print().fitColumnsToPage = fit;
            grid.Print().firstPageOffset = {20, 20};  // as the print button sets it
            int printed = 0;
            int fitBefore = 4;
            for (int top = 0; top <= 3000; top += 10) {
                SCOPED_TRACE(testing::Message()
                             << dpi << " dpi, fit " << fit << ", top margin " << top);
                grid.SetPrintLayoutValue(3, top);
                const QString pdf = Path("sweep.pdf");
                auto printer = CreatePdfPrinter(pdf, QPageSize(QPageSize::A4));
                const PrintOutcome out =
                    PrintGridOn(grid, *printer, QStringLiteral("sweep"), nullptr, dpi, dpi);
                printer.reset();
                if (!out.ok) {
                    ASSERT_TRUE(out.noRoomForTable) << out.error.toStdString();
                    EXPECT_EQ(out.labelsNeeded, 4);
                    EXPECT_LE(out.labelsFit, fitBefore);
                    EXPECT_TRUE(out.error.contains(
                        QStringLiteral("only %1 of the 4 labels").arg(out.labelsFit)));
                    EXPECT_FALSE(out.documentStarted);
                    EXPECT_FALSE(QFile::exists(pdf));
                    fitBefore = std::min(fitBefore, out.labelsFit);
                    continue;
                }
                ASSERT_EQ(fitBefore, 4) << "printed after a smaller margin was refused";
                ++printed;
                const QStringList pages = testsupport::PdfPageTexts(pdf);
                ASSERT_EQ(pages.size(), 3);
                for (int p = 0; p < 3; ++p) {
                    EXPECT_EQ(pages[p].count(QStringLiteral("Carton No. :")), 4) << "page " << p;
                    EXPECT_EQ(pages[p].count(QStringLiteral("Made in China")), 4) << "page " << p;
                    QStringList numbers;
                    for (int k = 4 * p + 1; k <= 4 * p + 4; ++k) {
                        numbers << QStringLiteral("%1/12").arg(k);
                    }
                    EXPECT_EQ(testsupport::LabelNumbersIn(pages[p]), numbers) << "page " << p;
                }
                ASSERT_TRUE(QFile::remove(pdf));
            }
            // The sweep crosses both: pages at the default margins, refusals at large ones.
            EXPECT_GT(printed, 1);
            EXPECT_EQ(fitBefore, 0);
        }
    }
}

TEST_F(PrintJobTest, FooterCarriesPageNumbersWhenAsked) {
    REQUIRE_POPPLER();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {5});
    grid.Print().pageNumberPosition = 2;
    const QString pdf = Path("numbered.pdf");
    ASSERT_TRUE(PrintGridToPdf(grid, pdf, QPageSize(QPageSize::A4), {}).ok);
    // The text comes back without the blanks between the Chinese and the digits.
    QString text = RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.remove(u' ');
    EXPECT_TRUE(text.contains(QString::fromUtf8("第1页/共2页")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("第2页/共2页")));
}

TEST_F(PrintJobTest, MarginsWithoutRoomFailAndLeaveNoFile) {
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {8});
    grid.SetPrintLayoutValue(5, 3000);
    const QString pdf = Path("none.pdf");
    const PrintOutcome out = PrintGridToPdf(grid, pdf, QPageSize(QPageSize::A4), {});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.pagesPrinted, 0);
    EXPECT_FALSE(out.error.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintJobTest, UnwritableFileFailsWithoutTouchingAnything) {
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    const PrintOutcome out =
        PrintGridToPdf(grid, Path("missing/dir/x.pdf"), QPageSize(QPageSize::A4), {});
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.documentStarted);
}

TEST_F(PrintJobTest, CancelledJobReportsFailure) {
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {20});  // 5 pages
    auto printer = CreatePdfPrinter(Path("cancel.pdf"), QPageSize(QPageSize::A4));
    CancelAfter progress(2);
    const PrintOutcome out = PrintGridOn(grid, *printer, QStringLiteral("cancel"), &progress);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.cancelled);
    EXPECT_EQ(progress.last, 2);
    EXPECT_EQ(out.pagesPrinted, 2);
    EXPECT_TRUE(progress.finished);
}

TEST_F(PrintJobTest, PrintSheetAsksRemembersAndReuses) {
    REQUIRE_POPPLER();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {8});
    grid.Print().askForPrinter = true;

    ChooserAnswer cancel{QString()};
    EXPECT_EQ(PrintSheet(grid, QStringLiteral("labels"), &cancel, nullptr), 0);
    EXPECT_EQ(PrintSheet(grid, QStringLiteral("labels"), nullptr, nullptr), 0);

    const QString pdf = Path("chosen.pdf");
    ChooserAnswer choose{pdf};
    EXPECT_NE(PrintSheet(grid, QStringLiteral("labels"), &choose, nullptr), 0);
    EXPECT_EQ(choose.asked, 1);
    EXPECT_EQ(PdfPages(pdf), 2);

    // Without the dialog the job goes to the printer chosen last.
    ASSERT_TRUE(QFile::remove(pdf));
    grid.Print().askForPrinter = false;
    EXPECT_NE(PrintSheet(grid, QStringLiteral("labels"), &choose, nullptr), 0);
    EXPECT_EQ(choose.asked, 1);
    EXPECT_EQ(PdfPages(pdf), 2);

    // A layout with no room fails even though the printer is fine.
    grid.SetPrintLayoutValue(6, 5000);
    EXPECT_EQ(PrintSheet(grid, QStringLiteral("labels"), &choose, nullptr), 0);
}

TEST_F(PrintJobTest, CancelledDialogLeavesTheRememberedPrinter) {
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    grid.Print().askForPrinter = true;
    ChangeThenCancel cancel;

    // Nothing chosen yet: a cancelled dialog remembers nothing, not even the default printer.
    EXPECT_EQ(PrintSheet(grid, QStringLiteral("labels"), &cancel, nullptr), 0);
    EXPECT_EQ(RememberedPrinter(), nullptr);

    const QString pdf = Path("chosen.pdf");
    ChooserAnswer choose{pdf};
    ASSERT_NE(PrintSheet(grid, QStringLiteral("labels"), &choose, nullptr), 0);
    const QPrinter* chosen = RememberedPrinter();
    ASSERT_NE(chosen, nullptr);

    // Changes made in a cancelled dialog are dropped with it.
    EXPECT_EQ(PrintSheet(grid, QStringLiteral("labels"), &cancel, nullptr), 0);
    EXPECT_EQ(RememberedPrinter(), chosen);
    EXPECT_EQ(chosen->outputFileName(), pdf);
    EXPECT_EQ(chosen->pageLayout().pageSize().id(), QPageSize::A4);
}

// The printable area is the device's: a printer whose device has unprintable strips prints the
// page mapped onto what lies between them, a printer without strips exactly as the PDF file. The
// print library's own default margins (10 pt) never count.
TEST_F(PrintJobTest, DeviceStripsAreThePrintableArea) {
    REQUIRE_POPPLER();
    REQUIRE_TOOL("pdftoppm");
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {12});
    const QString direct = Path("direct.pdf");
    ASSERT_TRUE(PrintGridToPdf(grid, direct, QPageSize(QPageSize::A4), {}).ok);
    const QRectF whole = testsupport::InkBox(direct, 2);
    ASSERT_FALSE(whole.isEmpty());

    const struct {
        const char* name;
        QMarginsF strips;  // points: left, top, right, bottom
        double tolerance;  // points; margins are whole grid pixels, which round with the scale
    } cases[] = {
        {"no_strips", QMarginsF(0, 0, 0, 0), 0.25},
        {"narrow_strips", QMarginsF(6, 5, 4, 8), 1.0},
        {"wide_strips", QMarginsF(24, 30, 18, 12), 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ForgetRememberedPrinter();
        const QString pdf = Path(c.name) + QStringLiteral(".pdf");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        // The device's strips as minimum margins, the library's default margins on top.
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(10, 10, 10, 10), QPageLayout::Point,
                                           c.strips));
        ASSERT_EQ(DeviceMargins(*printer), c.strips);

        // What the preview shows for it once it is the remembered printer.
        RememberPrinter(std::move(printer));
        const PaperGeometry paper = PaperGeometryOf(MeasuresOf(*RememberedPrinter()));
        EXPECT_NEAR(paper.offsetLeft, c.strips.left() * kPreviewTenthsPerPoint, 1.0);
        EXPECT_NEAR(paper.offsetTop, c.strips.top() * kPreviewTenthsPerPoint, 1.0);
        EXPECT_NEAR(paper.stripRight, c.strips.right() * kPreviewTenthsPerPoint, 1.0);
        EXPECT_NEAR(paper.stripBottom, c.strips.bottom() * kPreviewTenthsPerPoint, 1.0);
        EXPECT_TRUE(PreviewPaper().paper == paper);

        grid.Print().askForPrinter = false;  // print on the remembered printer
        ASSERT_NE(PrintSheet(grid, QStringLiteral("labels"), nullptr, nullptr), 0);
        testsupport::PpdArea area;
        area.paperWidth = 595;  // A4 in points, as the page size has it
        area.paperHeight = 842;
        area.llx = c.strips.left();
        area.lly = c.strips.bottom();
        area.urx = area.paperWidth - c.strips.right();
        area.ury = area.paperHeight - c.strips.top();
        const QRectF got = testsupport::InkBox(pdf, 2);
        const QRectF want = testsupport::MappedOntoArea(whole, area);
        EXPECT_TRUE(testsupport::BoxNear(got, want, c.tolerance));
    }
}

TEST_F(PrintJobTest, UnknownQueueIsReported) {
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    const PrintOutcome out =
        PrintGridToQueue(grid, QStringLiteral("NoSuchQueue-Vantric"), std::nullopt, {});
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.error.contains(QStringLiteral("NoSuchQueue-Vantric")));
}

// The spool tests need the queue tools/cups-setup.sh makes: cups-pdf writes each job as a PDF
// file into its output folder, named after the job's title.
namespace {

#define REQUIRE_CUPS() REQUIRE_CUPS_QUEUE("VantricPDF")

QString UniqueTitle() {
    return QStringLiteral("vantrictest%1x%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

}  // namespace

TEST_F(PrintJobTest, CupsQueueSpoolsThePages) {
    REQUIRE_POPPLER();
    REQUIRE_CUPS();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {5});
    PrintRequest request;
    request.documentName = UniqueTitle();
    const PrintOutcome result =
        PrintGridToQueue(grid, QStringLiteral("VantricPDF"), QPageSize(QPageSize::A4), request);
    ASSERT_TRUE(result.ok) << result.error.toStdString();

    const QString spooled = WaitForSpooled(request.documentName, 30000);
    ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << request.documentName.toStdString()
                                    << " in " << CupsPdfOutput().toStdString();
    EXPECT_EQ(PdfPages(spooled), 2);
    EXPECT_EQ(PdfNumbers(spooled),
              (QStringList{"1/5", "2/5", "3/5", "4/5", "5/5", "1/3", "2/3", "3/3"}));
    QFile::remove(spooled);
}

TEST_F(PrintJobTest, CancelledCupsJobNeverReachesTheQueue) {
    REQUIRE_POPPLER();
    REQUIRE_CUPS();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {20});
    PrintRequest request;
    request.documentName = UniqueTitle();
    QString error;
    auto printer = CreateQueuePrinter(QStringLiteral("VantricPDF"), std::nullopt, &error);
    ASSERT_TRUE(printer) << error.toStdString();
    CancelAfter progress(2);
    const PrintOutcome out = PrintGridToPrinter(grid, *printer, request, &progress);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.cancelled);
    EXPECT_TRUE(WaitForSpooled(request.documentName, 3000).isEmpty());
}

// A queue that does not accept jobs: the printer closes the document as if all went well, the
// print service says no, and the job must report that.
TEST_F(PrintJobTest, RefusingQueueFailsTheJob) {
    REQUIRE_CUPS();
    const QString queue =
        QStringLiteral("VantricRefuses%1").arg(QCoreApplication::applicationPid());
    QProcess add;
    // Without -E a new queue neither prints nor accepts jobs.
    add.start(QStringLiteral("lpadmin"),
              {QStringLiteral("-p"), queue, QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
               QStringLiteral("-m"), QStringLiteral("raw")});
    REQUIRE_FOR_PRINTING(add.waitForFinished(30000) && add.exitCode() == 0,
                         "cannot add a CUPS queue here (lpadmin)");
    QProcess::execute(QStringLiteral("cupsreject"), {queue});
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {4});
    const PrintOutcome out = PrintGridToQueue(grid, queue, QPageSize(QPageSize::A4), {});
    QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.error.isEmpty());
}

// Queue printers on any paper, the default printer and the queue chosen in the print dialog:
// the page rectangle lies within the strips the PPD's ImageableArea leaves on that paper, and
// the preview shows the chosen printer's area.
TEST_F(PrintJobTest, PrintersTakeThePpdAreaOfTheirPaper) {
    REQUIRE_CUPS_SCHEDULER();
    enum class From { Queue, Default, Dialog };
    const struct {
        const char* queue;
        QPageSize::PageSizeId paper;
        From from;
    } cases[] = {
        {"Vantric12Full", QPageSize::A4, From::Queue},
        {"Vantric12Strips", QPageSize::A4, From::Queue},
        {"Vantric12Strips", QPageSize::A5, From::Queue},
        {"Vantric12Strips", QPageSize::Letter, From::Queue},
        {"default", QPageSize::A4, From::Default},
        {"Vantric12Strips", QPageSize::A4, From::Dialog},
    };
    for (const auto& c : cases) {
        const QPageSize paper(c.paper);
        SCOPED_TRACE(std::string(c.queue) + " " + paper.key().toStdString());
        ForgetRememberedPrinter();
        const QString queue =
            c.from == From::Default ? testsupport::DefaultQueue() : QString::fromLatin1(c.queue);
        ASSERT_TRUE(testsupport::HaveCupsQueue(queue)) << "tools/cups-setup.sh creates the queue";
        const testsupport::PpdArea area =
            testsupport::PpdAreaIn(testsupport::QueuePpd(queue), paper.key());
        ASSERT_TRUE(area.valid);

        QString error;
        std::unique_ptr<QPrinter> printer;
        switch (c.from) {
            case From::Queue:
                printer = CreateQueuePrinter(queue, paper, &error);
                break;
            case From::Default:
                printer = CreateDefaultPrinter();
                break;
            case From::Dialog: {
                // The job is cancelled after its first page, so nothing reaches the queue.
                CGridCtrl grid;
                fixtures::BuildDeskSheet(grid, {12});
                ChooseQueue choose(queue);
                CancelAfter cancel(0);
                EXPECT_EQ(PrintSheet(grid, UniqueTitle(), &choose, &cancel), 0);
                ASSERT_NE(RememberedPrinter(), nullptr);
                EXPECT_TRUE(PreviewPaper().paper ==
                            PaperGeometryOf(MeasuresOf(*RememberedPrinter())));
                printer = CopyPrinter(*RememberedPrinter());
                break;
            }
        }
        ASSERT_TRUE(printer) << error.toStdString();
        EXPECT_EQ(printer->printerName(), queue);
        const DeviceMeasures m = MeasuresOf(*printer);
        const double pixelsPerPoint = m.dpiX / 72.0;
        // The four strips (the library's paper sizes may differ from the PPD's by a point).
        EXPECT_NEAR(m.physicalOffsetX, area.llx * pixelsPerPoint, 1.0);
        EXPECT_NEAR(m.physicalOffsetY, area.TopStrip() * pixelsPerPoint, 1.0);
        EXPECT_NEAR(m.physicalWidth - m.horzRes - m.physicalOffsetX,
                    (area.paperWidth - area.urx) * pixelsPerPoint, 1.0);
        EXPECT_NEAR(m.physicalHeight - m.vertRes - m.physicalOffsetY, area.lly * pixelsPerPoint,
                    1.0);
    }
}

// The pages and copies chosen in the print dialog, printed on a real queue: exactly those pages,
// each as the whole run prints it (the first-page offset on page 1 only), every copy made once.
// Each dialog starts again from one copy of every page, on the queue chosen before.
TEST_F(PrintJobTest, DialogChoicePrintsThosePagesOnTheQueue) {
    REQUIRE_POPPLER();
    REQUIRE_CUPS();
    REQUIRE_TOOL("pdftoppm");
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {12});  // three pages of four labels
    grid.Print().askForPrinter = true;
    grid.Print().firstPageOffset = {20, 20};  // as the print button sets it
    const QString queue = QStringLiteral("Vantric12Full");
    ASSERT_TRUE(testsupport::HaveCupsQueue(queue)) << "tools/cups-setup.sh creates the queue";
    const struct {
        const char* pages;
        int copies;
        bool collate;
        std::vector<int> printed;
    } cases[] = {
        {"", 1, true, {1, 2, 3}},  // the whole run, which the others must match
        {"2-3", 2, true, {2, 3, 2, 3}},
        {"1,3", 2, false, {1, 1, 3, 3}},
    };
    QList<QRectF> runInk;  // where each page of the whole run has its ink
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("pages \"") + c.pages + "\", copies " + std::to_string(c.copies));
        ChooseQueue dialog(queue, QString::fromLatin1(c.pages), c.copies, c.collate);
        const QString title = UniqueTitle();
        ASSERT_NE(PrintSheet(grid, title, &dialog, nullptr), 0);
        // One copy of every page (1 to 3), on the queue chosen last.
        const std::string startQueue =
            &c == &cases[0] ? std::get<0>(dialog.started) : queue.toStdString();
        EXPECT_EQ(dialog.started, std::make_tuple(startQueue, 1, QPrinter::AllPages, 1, 3));

        const QString spooled = WaitForSpooled(title, 30000);
        ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << title.toStdString();
        EXPECT_EQ(PdfPages(spooled), static_cast<int>(c.printed.size()));
        QStringList numbers;  // page p holds the labels 4p-3 to 4p of 12
        for (size_t i = 0; i < c.printed.size(); ++i) {
            const int page = c.printed[i];
            for (int k = 4 * page - 3; k <= 4 * page; ++k) {
                numbers << QStringLiteral("%1/12").arg(k);
            }
            const QRectF ink = testsupport::InkBox(spooled, static_cast<int>(i) + 1);
            if (&c == &cases[0]) {
                runInk << ink;
            }
            EXPECT_TRUE(testsupport::BoxNear(ink, runInk.value(page - 1), 0.5)) << "page " << page;
        }
        EXPECT_EQ(PdfNumbers(spooled).join(u' ').toStdString(), numbers.join(u' ').toStdString());
        QFile::remove(spooled);
    }
}

// The job holds every copy it makes: a printer's own copy count does not reach the queue, which
// would have the printer print each of them that often again (cups-pdf itself ignores it).
TEST_F(PrintJobTest, QueueGetsOneCopyOfTheJob) {
    REQUIRE_POPPLER();
    REQUIRE_CUPS();
    CGridCtrl grid;
    fixtures::BuildDeskSheet(grid, {8});  // two pages
    QString error;
    auto printer = CreateQueuePrinter(QStringLiteral("VantricPDF"), std::nullopt, &error);
    ASSERT_TRUE(printer) << error.toStdString();
    printer->setCopyCount(3);
    const QString title = UniqueTitle();
    const PrintOutcome out =
        PrintGridOn(grid, *printer, title, nullptr, 96, 96, PageChoice{{}, 2, true});
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    ASSERT_TRUE(out.job);
    // A job without "copies" is printed once.
    const QString copies = testsupport::CupsAttribute(out.job->queue, "copies", out.job->id);
    EXPECT_TRUE(copies.isEmpty() || copies == u"1") << copies.toStdString();
    const QString spooled = WaitForSpooled(title, 30000);
    ASSERT_FALSE(spooled.isEmpty()) << "no spooled PDF named " << title.toStdString();
    EXPECT_EQ(PdfPages(spooled), 2 * 2);  // two pages, two copies made by the job
    QFile::remove(spooled);
}
