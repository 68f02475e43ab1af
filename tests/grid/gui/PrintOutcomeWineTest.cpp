// The print command of the Windows build onto the printers Wine makes of the CUPS queues where a
// print does not reach paper: what the window tells, as far as Wine's spooler reports it. Wine
// gives every printer the status "ready" (a stopped or rejecting queue too; pausing a printer is
// refused), lists no job of a document at any time, and fails EndDoc when CUPS refuses the job;
// a job CUPS then holds, aborts or keeps in a stopped queue is not seen at all. A printer set to
// "use printer offline" it does report.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <memory>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintDialogs.h"
#include "grid/PrintJobFollow.h"
#include "platform/PrintJobs.h"
#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/PrintTestRule.h"
#include "tests/ui/TestDoubles.h"

// From WindowsSystem.cpp: the system's text for an error, as FormatMessage gives it; a
// printer's "use printer offline" (PRINTER_ATTRIBUTE_WORK_OFFLINE, which Wine keeps and reports,
// unlike pausing it) set or cleared.
QString SystemText(unsigned long error);
extern const unsigned long kInvalidHandle;  // ERROR_INVALID_HANDLE
bool SetWorkOffline(const QString& printer, bool offline);

using namespace vantric;

namespace {

class ChooseQueue : public IPrinterChooser {
  public:
    explicit ChooseQueue(QString queue) : queue_(std::move(queue)) {}
    bool Choose(QPrinter& printer) override {
        printer.setPrinterName(queue_);
        return true;
    }

  private:
    QString queue_;
};

}  // namespace

TEST(PrintOutcomeUnderWine, TellsWhatTheSpoolerReports) {
    fixtures::EnsureGuiApp();
    REQUIRE_FOR_PRINTING(
        QPrinterInfo::availablePrinterNames().contains(QStringLiteral("VantricOutcomeRejecting")),
        "Wine shows no printer of the CUPS queue VantricOutcomeRejecting (tools/cups-setup.sh "
        "makes it)");
    QWidget main;
    main.setWindowTitle(QStringLiteral("vantricoutcomewine"));
    auto* grid = new CVWnd_Grid(&main);
    SetUpSheetGrid(grid->Grid());
    grid->Create();
    SheetWorkingIntegers ints;
    ASSERT_EQ(BuildSingleTicketSheet(grid->Grid(), u"4", ints), SheetBuildResult::Built);

    // Offline for the first case only, whatever becomes of the test.
    const QString offline = QStringLiteral("VantricOutcomeStopped");
    ASSERT_TRUE(SetWorkOffline(offline, true));
    const std::unique_ptr<const QString, void (*)(const QString*)> online(
        &offline, [](const QString* name) { SetWorkOffline(*name, false); });
    const struct {
        const char* printer;
        int result;   // what PrintSheet returns
        QString box;  // empty: none
    } cases[] = {
        // Nothing goes to it, and the operator is told.
        {"VantricOutcomeStopped", 0, kPrinterNotReadyText.arg(offline, kPrinterOfflineWord)},
        {"VantricPDF", 1, QString()},
        // CUPS's refusal reaches Wine's EndDoc as an invalid handle.
        {"VantricOutcomeRejecting", 0, kDocumentNotEndedText.arg(SystemText(kInvalidHandle))},
        // Taken by CUPS and kept there; Wine says nothing of it.
        {"VantricOutcomeStopped", 1, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.printer);
        const QString name = QString::fromLatin1(c.printer);
        EXPECT_EQ(PrinterReadinessOf(name).Ready(), &c != &cases[0]);
        RecordingMessages messages;
        ChooseQueue choose(name);
        grid->SetPrinterChooser(&choose);
        EXPECT_EQ(grid->PrintSheet(), c.result);
        grid->SetPrinterChooser(nullptr);
        EXPECT_EQ(RunningFollows(), 0) << "Wine showed a job to follow";
        EXPECT_EQ(messages.texts.join(u'\n').toStdString(), c.box.toStdString());
        if (&c == &cases[0]) {
            SetWorkOffline(offline, false);
        }
    }
    ForgetRememberedPrinter();
}
