// A desk with no printer installed. The print service's client is pointed at a server that does
// not exist before anything asks it, so it knows no printer at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "grid/CPreviewDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintDialogs.h"
#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/DeskSheet.h"
#include "tests/ui/TestDoubles.h"

using namespace vantric;

namespace {

const bool kNoPrintService = [] {
    return setenv("CUPS_SERVER", "/nonexistent/vantric-no-print-service.sock", 1) == 0;
}();

// Closes whatever modal dialog comes up and counts it: no printer dialog may open.
class DialogGuard {
  public:
    DialogGuard() {
        timer_.callOnTimeout([this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
        timer_.start(100);
    }
    int opened = 0;

  private:
    QTimer timer_;
};

}  // namespace

TEST(NoPrinter, PrintingTellsTheOperatorAndPrintsNothing) {
    ASSERT_TRUE(kNoPrintService);
    fixtures::EnsureGuiApp();
    ForgetRememberedPrinter();
    ASSERT_FALSE(AnyPrinterInstalled()) << "the print service should know no printer here";

    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Vantric"));
    auto* grid = new CVWnd_Grid(&mainWindow);
    grid->Create();
    fixtures::BuildDeskSheet(grid->Grid(), {4});
    RecordingMessages messages;
    DialogGuard guard;

    // The print command: a box owned by the main window instead of an empty printer dialog.
    EXPECT_EQ(grid->PrintSheet(), 0);
    EXPECT_EQ(guard.opened, 0);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.owners.front(), &mainWindow);
    EXPECT_EQ(messages.texts.front(), kNoPrinterText);
    EXPECT_EQ(messages.captions.front(), QStringLiteral("温馨提示"));
    EXPECT_EQ(RememberedPrinter(), nullptr);
    EXPECT_TRUE(PreviewPaper().paper == preview::A4Paper());

    // "打印设置" in the preview tells the same, over the preview; the sheet stays A4.
    CPreviewParentDialog preview(grid->Grid(), [grid] { return grid->PrintSheet(); });
    EXPECT_TRUE(preview.PageView()->Paper() == preview::A4Paper());
    preview.PrintSetup();
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(messages.owners.back(), &preview);
    EXPECT_EQ(RememberedPrinter(), nullptr);
    EXPECT_TRUE(preview.PageView()->Paper() == preview::A4Paper());

    // Without the dialog there is no default printer to fall back on: nothing, silently.
    grid->Grid().Print().askForPrinter = false;
    EXPECT_EQ(grid->PrintSheet(), 0);
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(guard.opened, 0);
}
