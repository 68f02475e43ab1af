// The grid window: the window guard, scroll bars, painting, resizing and in-place editing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintDialogs.h"
#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;

namespace {

class GridWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fixtures::EnsureGuiApp();
        window_ = std::make_unique<QWidget>();
        window_->setWindowTitle(QStringLiteral("Vantric labels"));
        grid_ = new CVWnd_Grid(window_.get());
        window_->resize(800, 600);
        grid_->setGeometry(0, 0, 800, 600);
    }
    void Show() {
        window_->show();
        QApplication::processEvents();
    }
    // Three columns of 336, 23, 336 and rows of 61, 304, ...; no fixed rows or columns.
    void LabelSheet() {
        ASSERT_TRUE(grid_->Create());
        grid_->SetPrintLineWidthProperty(2);
        fixtures::BuildDeskSheet(grid_->Grid(), {8});
    }
    // Closed editors go at the next turn of the event loop; the open one is the visible one.
    QLineEdit* Editor() const {
        for (QLineEdit* e : grid_->viewport()->findChildren<QLineEdit*>()) {
            if (e->isVisible()) {
                return e;
            }
        }
        return nullptr;
    }
    const QString& Text(int r, int c) const { return grid_->Grid().GetCell(r, c)->text; }

    std::unique_ptr<QWidget> window_;
    CVWnd_Grid* grid_ = nullptr;
};

}  // namespace

TEST_F(GridWindowTest, NothingHappensWithoutAWindow) {
    EXPECT_FALSE(grid_->HasWindow());
    EXPECT_FALSE(grid_->SetPrintLayoutValue(1, 99));
    EXPECT_EQ(grid_->Grid().PrintLayoutValue(1), 40);
    EXPECT_FALSE(grid_->SetFirstPageOffset(20, 20));
    EXPECT_EQ(grid_->PrintSheet(), 0);
    EXPECT_FALSE(grid_->BeginEdit(QStringLiteral("x")));

    // Properties set before creation are what the window starts with.
    grid_->SetGridLineModeProperty(1);
    EXPECT_TRUE(grid_->Create());
    EXPECT_EQ(grid_->Grid().RowCount(), 5);
    EXPECT_EQ(grid_->Grid().GridLineMode(), 1);
    EXPECT_TRUE(grid_->SetPrintLayoutValue(1, 99));
    EXPECT_EQ(grid_->Grid().PrintLayoutValue(1), 99);
    EXPECT_FALSE(grid_->SetPrintLayoutValue(8, 1));
    EXPECT_EQ(grid_->DocumentName(), QStringLiteral("Vantric labels"));
}

TEST_F(GridWindowTest, PropertiesSetStoredDefaultAndLiveValue) {
    ASSERT_TRUE(grid_->Create());
    grid_->SetPrintLineWidthProperty(2);
    grid_->SetGridLineColourProperty(0x123456);
    grid_->SetFitColumnsToPageProperty(false);
    grid_->SetAskForPrinterProperty(false);
    EXPECT_EQ(grid_->Grid().StoredDefaults().printLineWidth, 2);
    EXPECT_EQ(grid_->Grid().Print().printLineWidth, 2);
    EXPECT_EQ(grid_->Grid().GridLineColour(), 0x123456u);
    EXPECT_FALSE(grid_->Grid().Print().fitColumnsToPage);
    // ClearSheet restores what it restores from the stored defaults, so the values survive it.
    grid_->Grid().ClearSheet();
    EXPECT_EQ(grid_->Grid().GridLineColour(), 0x123456u);
    EXPECT_FALSE(grid_->Grid().Print().askForPrinter);
}

TEST(ScrollBarsTest, BarsFollowContentAndRoom) {
    struct Case {
        const char* name;
        int64_t w, h;
        ScrollBarState expected;
    };
    // A 400 x 300 window leaves 397 x 296; a bar is 16 thick.
    const Case cases[] = {
        {"fits", 300, 200, {false, false, 0, 0, 397, 296}},
        {"exact_fit", 397, 296, {false, false, 0, 0, 397, 296}},
        {"taller", 300, 1000, {false, true, 0, 1000 - 1, 397 - 16, 296}},
        {"wider", 1000, 200, {true, false, 1000 - 1, 0, 397, 296 - 16}},
        // The horizontal bar takes 16 from the rows' room, which then no longer fits.
        {"wider_then_taller", 1000, 290, {true, true, 1000 - 1, 290 - 1, 397 - 16, 296 - 16}},
        // The vertical bar takes 16 from the columns' room.
        {"taller_then_wider", 390, 1000, {true, true, 390 - 1, 1000 - 1, 397 - 16, 296 - 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeScrollBars(c.w, c.h, 400, 300, 16, 16), c.expected);
    }
}

TEST_F(GridWindowTest, ScrollBarsAppearForALongSheet) {
    LabelSheet();
    Show();
    EXPECT_TRUE(grid_->ScrollBars().vertical);
    EXPECT_FALSE(grid_->ScrollBars().horizontal);
    EXPECT_EQ(grid_->ScrollBars().verticalRange, 2 * 1002 - 1);
    EXPECT_GT(grid_->verticalScrollBar()->maximum(), 0);
    grid_->Grid().SetRowTotal(1);
    EXPECT_FALSE(grid_->ScrollBars().vertical);
}

TEST_F(GridWindowTest, PaintsGridLinesAtCellEdges) {
    LabelSheet();
    Show();
    const QImage image = grid_->viewport()->grab().toImage();
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 100; };
    // Inset of 2 / 2 = 1: column 0 spans 1..336, so its right edge and line lie at 336.
    EXPECT_TRUE(dark(336, 30) || dark(335, 30));
    EXPECT_FALSE(dark(330, 30));
    EXPECT_TRUE(dark(1 + 336 + 23 - 1, 30) || dark(1 + 336 + 23 - 2, 30));
    // Row 0 (61 high) ends at 61.
    EXPECT_TRUE(dark(100, 61) || dark(100, 60));
    EXPECT_FALSE(dark(100, 55));
    // Cells report their geometry the same way.
    EXPECT_EQ(grid_->CellRect(0, 1), (GdiRect{337, 1, 337 + 23 - 1, 61}));
    EXPECT_EQ(grid_->CellAt(QPoint(340, 70)), std::make_pair(1, 1));
}

TEST_F(GridWindowTest, DraggingAColumnEdgeResizesIt) {
    LabelSheet();
    Show();
    QWidget* vp = grid_->viewport();
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, QPoint(336, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), vp->mapToGlobal(QPointF(300, 200)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_EQ(grid_->Grid().ColumnWidth(0), 300);  // 300 - 1 + 1
    EXPECT_EQ(grid_->Grid().ColumnWidth(1), 23);
}

TEST_F(GridWindowTest, TypingEditsTheFocusedCellAndKeysMoveOn) {
    LabelSheet();
    Show();
    grid_->setFocus();
    grid_->SetFocusCell(1, 0);
    QTest::keyClicks(grid_, QStringLiteral("7"));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), QStringLiteral("7"));
    QTest::keyClicks(Editor(), QStringLiteral("/8"));
    QTest::keyClick(Editor(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Text(1, 0), QStringLiteral("7/8"));
    EXPECT_TRUE(grid_->Grid().Modified());
    EXPECT_FALSE(grid_->Editing());
    EXPECT_EQ(grid_->FocusRow(), 1);

    // Tab stores the text and goes on editing the next cell with its own text.
    QTest::keyClicks(grid_, QStringLiteral("A"));
    QTest::keyClick(Editor(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(Text(1, 0), QStringLiteral("A"));
    EXPECT_EQ(grid_->FocusColumn(), 1);
    ASSERT_TRUE(grid_->Editing());
    QTest::keyClick(Editor(), Qt::Key_Down);  // empty gutter cell: nothing to store
    QApplication::processEvents();
    EXPECT_EQ(grid_->FocusRow(), 2);
    EXPECT_EQ(Editor()->text(), Text(2, 1));

    // Escape keeps the cell as it was.
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QApplication::processEvents();
    grid_->SetFocusCell(2, 0);
    QTest::keyClicks(grid_, QStringLiteral("Z"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(Text(2, 0), QStringLiteral("Made in China"));
}

TEST_F(GridWindowTest, EditingIsRefusedWhereItMayNotHappen) {
    LabelSheet();
    Show();
    grid_->SetFocusCell(0, 0);
    grid_->Grid().GetCell(0, 0)->state |= cellstate::kReadOnly;
    EXPECT_FALSE(grid_->BeginEdit(QStringLiteral("x")));

    grid_->SetFocusCell(0, 2);
    grid_->SetMayEdit([](int32_t, int32_t column) { return column != 2; });
    EXPECT_FALSE(grid_->BeginEdit(QStringLiteral("x")));
    grid_->SetMayEdit({});

    grid_->SetCellEditingProperty(false);
    EXPECT_FALSE(grid_->BeginEdit(QStringLiteral("x")));
    grid_->SetCellEditingProperty(true);
    EXPECT_TRUE(grid_->BeginEdit(QStringLiteral("x")));
}

TEST_F(GridWindowTest, GridFontSetsDefaultSizes) {
    ASSERT_TRUE(grid_->Create());
    LogFont font;
    font.faceName = QStringLiteral("Arial");
    font.height = -12;
    ASSERT_TRUE(grid_->SetGridFont(font));
    const QFontMetrics fm(FontFromLogFont(font, false));
    EXPECT_EQ(grid_->Grid().DefaultRowHeight(), fm.height() / 4 + fm.leading() + fm.height());
    EXPECT_EQ(grid_->Grid().DefaultColumnWidth(),
              fm.averageCharWidth() * 12 + 2 * fm.horizontalAdvance(QLatin1Char(' ')));
}

TEST_F(GridWindowTest, PrintCommandNamesTheJobAfterTheWindow) {
    LabelSheet();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    struct ToFile : IPrinterChooser {
        QString path;
        bool Choose(QPrinter& printer) override {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        }
    } chooser;
    chooser.path = pdf;
    struct Count : IPrintProgress {
        int pages = 0;
        void Started(int32_t) override {}
        bool PageDone(int32_t) override { return ++pages > 0; }
        void Finished() override {}
    } progress;
    grid_->SetPrinterChooser(&chooser);
    grid_->SetPrintProgress(&progress);
    ForgetRememberedPrinter();
    EXPECT_NE(grid_->PrintSheet(), 0);
    EXPECT_EQ(progress.pages, 2);
    ASSERT_NE(RememberedPrinter(), nullptr);
    EXPECT_EQ(RememberedPrinter()->docName(), QStringLiteral("Vantric labels"));
    ForgetRememberedPrinter();
}

TEST_F(GridWindowTest, ProgressDialogCancelStopsTheJob) {
    PrintProgressDialog progress(window_.get());
    progress.Started(10);
    EXPECT_TRUE(progress.PageDone(1));
    auto* dialog = window_->findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->maximum(), 10);
    dialog->cancel();
    EXPECT_FALSE(progress.PageDone(2));
    progress.Finished();
    EXPECT_EQ(window_->findChild<QProgressDialog*>(), nullptr);
}
