// The print command's follow of a job on the queue tools/cups-setup.sh keeps whose printer holds
// each job until the test releases it, then fails it: the command returns while the job is
// followed (it would not before the job's end if it waited for it), and the answer comes over
// the window that asked, or over the one it was opened from once that is gone. (What each
// queue's box says is read from the real program by tests/e2e/outcome_run.py.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CVWnd_Grid.h"
#include "grid/PrintJobFollow.h"
#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/PrintedPdf.h"
#include "tests/ui/TestDoubles.h"

using namespace vantric;

namespace {

const QString kQueue = QStringLiteral("VantricOutcomeHeldUp");

class ChooseHeldUpQueue : public IPrinterChooser {
  public:
    bool Choose(QPrinter& printer) override {
        printer.setPrinterName(kQueue);
        return true;
    }
};

// Runs the event loop until `done` holds or a minute (the follow's bound) has passed.
template <typename Done>
bool ProcessEventsUntil(Done done) {
    const QDeadlineTimer deadline(std::chrono::seconds(61));
    while (!done() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done();
}

// The job the queue holds, as lpstat lists it ("Queue-12 user size date"); 0 for none.
int HeldJob() {
    const auto m = QRegularExpression(kQueue + QStringLiteral("-(\\d+)\\s"))
                       .match(testsupport::RunTool(QStringLiteral("lpstat"), {"-o", kQueue}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace

TEST(PrintOutcome, JobIsFollowedWhileTheWindowWorks) {
    fixtures::EnsureGuiApp();
    REQUIRE_FOR_PRINTING(testsupport::HaveCupsQueue(kQueue),
                         "no CUPS queue " << kQueue.toStdString()
                                          << " (tools/cups-setup.sh makes it)");
    ForgetRememberedPrinter();
    QWidget main;
    main.setWindowTitle(QStringLiteral("vantricoutcome%1").arg(::getpid()));
    auto* grid = new CVWnd_Grid(&main);
    SetUpSheetGrid(grid->Grid());
    grid->Create();
    SheetWorkingIntegers ints;
    ASSERT_EQ(BuildSingleTicketSheet(grid->Grid(), u"4", ints), SheetBuildResult::Built);
    ChooseHeldUpQueue choose;
    grid->SetPrinterChooser(&choose);
    RecordingMessages messages;
    for (const bool askerClosed : {false, true}) {
        SCOPED_TRACE(askerClosed ? "asking window closed first" : "asking window open");
        auto* preview = new QWidget(&main, Qt::Dialog);
        messages.texts.clear();
        messages.owners.clear();
        ASSERT_EQ(grid->PrintSheet(preview), 1);
        EXPECT_EQ(RunningFollows(), 1);
        EXPECT_TRUE(messages.texts.isEmpty());
        const int job = HeldJob();
        ASSERT_GT(job, 0);
        if (askerClosed) {
            delete preview;
        }
        const QString release = QStringLiteral("/tmp/vantric-backend-release-%1").arg(job);
        QFile(release).open(QIODevice::WriteOnly);
        const bool told = ProcessEventsUntil([&] { return !messages.texts.isEmpty(); });
        QFile::remove(release);
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), kQueue});
        QProcess::execute(QStringLiteral("cupsenable"), {kQueue});  // should a failure stop it
        ASSERT_TRUE(told);
        EXPECT_TRUE(messages.texts.front().contains(QStringLiteral("Paper jam in tray 1")))
            << messages.texts.front().toStdString();
        EXPECT_EQ(messages.owners.front(), askerClosed ? &main : preview);
        if (!askerClosed) {
            delete preview;
        }
    }
    ASSERT_TRUE(ProcessEventsUntil([] { return RunningFollows() == 0; }));
    ForgetRememberedPrinter();
}
