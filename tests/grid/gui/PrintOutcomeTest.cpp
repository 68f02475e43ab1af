// The print command's follow of a job on a queue tools/cups-setup.sh keeps, whose printer holds
// each job until the test releases it: the window goes on while the job is followed, and the
// answer comes over the window that asked. (What each queue's box says is read from the real
// program by tests/e2e/outcome_run.py.)
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

// The newest unfinished job in a queue, as lpstat lists them ("Queue-12 user size date").
int NewestJob(const QString& queue) {
    int newest = 0;
    auto it = QRegularExpression(QRegularExpression::escape(queue) + QStringLiteral("-(\\d+)\\s"))
                  .globalMatch(testsupport::RunTool(QStringLiteral("lpstat"), {"-o", queue}));
    while (it.hasNext()) {
        newest = std::max(newest, it.next().captured(1).toInt());
    }
    return newest;
}

const QString kQueue = QStringLiteral("VantricOutcomeHeldUp");

// A main window with the sheet of one ticket of four cartons in its grid.
class PrintOutcome : public ::testing::Test {
  protected:
    void SetUp() override {
        fixtures::EnsureGuiApp();
        if (!testsupport::HaveCupsQueue(kQueue)) {
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
        // The held-up job goes; a printer its failure stopped starts again.
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), kQueue});
        QProcess::execute(QStringLiteral("cupsenable"), {kQueue});
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

// The print command returns while the printer still holds the job (it would not return before
// the job's end if it waited for it), and the answer comes over the asking window, or over the
// window it came from once that is gone.
TEST_F(PrintOutcome, JobIsFollowedWhileTheWindowWorks) {
    const QString& queue = kQueue;
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
