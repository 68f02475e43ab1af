// The print command on the queues tools/cups-setup.sh keeps where a print does not reach paper:
// what the window tells, over which window, and that the job is followed while the window goes
// on working.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <memory>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintDialogs.h"
#include "grid/PrintJobFollow.h"
#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/PrintedPdf.h"
#include "tests/ui/TestDoubles.h"

using namespace vantric;

namespace {

class ChooseQueue : public IPrinterChooser {
  public:
    explicit ChooseQueue(QString queue) : queue_(std::move(queue)) {}
    bool Choose(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue_);
        return true;
    }

  private:
    QString queue_;
};

// Runs the event loop until `done` holds or a minute has passed (the follow's bound is one).
template <typename Done>
bool ProcessEventsUntil(Done done) {
    const QDeadlineTimer deadline(std::chrono::seconds(61));
    while (!done() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done();
}

// The newest job in a queue, finished or not, as lpstat lists them ("Queue-12 user size date").
int NewestJob(const QString& queue) {
    int newest = 0;
    auto it = QRegularExpression(QRegularExpression::escape(queue) + QStringLiteral("-(\\d+)\\s"))
                  .globalMatch(
                      testsupport::RunTool(QStringLiteral("lpstat"), {"-W", "all", "-o", queue}));
    while (it.hasNext()) {
        newest = std::max(newest, it.next().captured(1).toInt());
    }
    return newest;
}

// A main window with the sheet of one ticket of four cartons in its grid.
class PrintOutcome : public ::testing::Test {
  protected:
    void SetUp() override {
        fixtures::EnsureGuiApp();
        if (!testsupport::HaveCupsQueue(QStringLiteral("VantricOutcomeHeldUp"))) {
            GTEST_SKIP() << "no CUPS queues where prints fail (tools/cups-setup.sh makes them): "
                            "skipping";
        }
        ForgetRememberedPrinter();
        main_ = std::make_unique<QWidget>();
        main_->setWindowTitle(QStringLiteral("vantricoutcome%1").arg(::getpid()));
        grid_ = new CVWnd_Grid(main_.get());
        SetUpSheetGrid(grid_->Grid());
        grid_->Create();
        SheetWorkingIntegers ints;
        ASSERT_EQ(BuildSingleTicketSheet(grid_->Grid(), u"4", ints), SheetBuildResult::Built);
    }
    void TearDown() override {
        // Jobs the queues keep go; a printer a failure stopped starts again.
        for (const char* queue : {"VantricOutcomeStopped", "VantricOutcomeHeldUp",
                                  "VantricOutcomeFailing", "VantricOutcomeAborting"}) {
            QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
        }
        for (const char* queue : {"VantricOutcomeHeldUp", "VantricOutcomeAborting"}) {
            QProcess::execute(QStringLiteral("cupsenable"), {QString::fromLatin1(queue)});
        }
        ProcessEventsUntil([] { return RunningFollows() == 0; });
        ForgetRememberedPrinter();
    }
    int Print(const QString& queue, QWidget* asker = nullptr) {
        ChooseQueue choose(queue);
        grid_->SetPrinterChooser(&choose);
        const int printed = grid_->PrintSheet(asker);
        grid_->SetPrinterChooser(nullptr);
        return printed;
    }

    std::unique_ptr<QWidget> main_;
    CVWnd_Grid* grid_ = nullptr;
};

// Each queue's box: told at once when the service refuses, when the follow answers otherwise;
// none for a job that printed.
TEST_F(PrintOutcome, EachQueueTellsWhatBecameOfThePrint) {
    const struct {
        const char* queue;
        int result;  // what PrintSheet returns: 1 once the service took the job
        QString box;
    } cases[] = {
        {"VantricPDF", 1, QString()},
        {"VantricOutcomeRejecting", 0,
         kPrintRefusedText.arg(
             QStringLiteral("Destination \"VantricOutcomeRejecting\" is not accepting jobs."),
             kQueueSaysText.arg(QStringLiteral("VantricOutcomeRejecting"),
                                QStringLiteral("Vantric test queue: refuses every job")))},
        {"VantricOutcomeStopped", 1,
         kJobWaitingText.arg(QStringLiteral("VantricOutcomeStopped"), QStringLiteral("%1"),
                             QStringLiteral("Vantric test queue: stopped"))},
        {"VantricOutcomeAborting", 1,
         kJobFailedText.arg(QStringLiteral("VantricOutcomeAborting"), QStringLiteral("%1"),
                            QStringLiteral("aborted"), QStringLiteral("Paper jam in tray 1"))},
    };
    for (const auto& c : cases) {
        const QString queue = QString::fromLatin1(c.queue);
        SCOPED_TRACE(c.queue);
        RecordingMessages messages;
        EXPECT_EQ(Print(queue), c.result);
        ASSERT_TRUE(ProcessEventsUntil([] { return RunningFollows() == 0; }));
        if (c.box.isEmpty()) {
            EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(u'\n').toStdString();
            QFile::remove(testsupport::WaitForSpooled(main_->windowTitle(), 30'000));
            continue;
        }
        ASSERT_EQ(messages.texts.size(), 1);
        const QString expected = c.box.contains(u"%1") ? c.box.arg(NewestJob(queue)) : c.box;
        EXPECT_EQ(messages.texts.front().toStdString(), expected.toStdString());
        EXPECT_EQ(messages.captions.front(), kPrintReminderTitle);
        EXPECT_EQ(messages.owners.front(), main_.get());
    }
}

// The print command returns while the printer still holds the job (it would not return before
// the job's end if it waited for it), and the answer comes over the asking window, or over the
// window it came from once that is gone.
TEST_F(PrintOutcome, JobIsFollowedWhileTheWindowWorks) {
    const QString queue = QStringLiteral("VantricOutcomeHeldUp");
    RecordingMessages messages;
    for (const bool askerClosed : {false, true}) {
        SCOPED_TRACE(askerClosed ? "asking window closed first" : "asking window open");
        auto* preview = new QWidget(main_.get(), Qt::Dialog);
        messages.texts.clear();
        messages.owners.clear();
        ASSERT_EQ(Print(queue, preview), 1);
        EXPECT_EQ(RunningFollows(), 1);
        int job = 0;
        ASSERT_TRUE(ProcessEventsUntil([&] { return (job = NewestJob(queue)) > 0; }));
        // The window's events have run while the printer holds the job, still unanswered.
        EXPECT_EQ(RunningFollows(), 1);
        EXPECT_TRUE(messages.texts.isEmpty());
        if (askerClosed) {
            delete preview;
        }
        const QString release = QStringLiteral("/tmp/vantric-backend-release-%1").arg(job);
        QFile(release).open(QIODevice::WriteOnly);
        ASSERT_TRUE(ProcessEventsUntil([&] { return !messages.texts.isEmpty(); }));
        QFile::remove(release);
        EXPECT_TRUE(messages.texts.front().contains(QStringLiteral("Paper jam in tray 1")))
            << messages.texts.front().toStdString();
        EXPECT_EQ(messages.owners.front(), askerClosed ? main_.get() : preview);
        if (!askerClosed) {
            delete preview;
        }
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), queue});
    }
}

}  // namespace
