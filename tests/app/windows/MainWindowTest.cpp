// The main window in single-ticket mode: where its controls are, what they start with, the
// sheet buttons, the mode radios and print scaling.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "Dialogs.h"
#include "MainWindowSupport.h"
#include "app/model/CountRules.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintDialogs.h"
#include "ui/DesignScale.h"

namespace {

// Answers the print dialog with a PDF file as the printer and the pages typed (none: all), or
// without a file by cancelling it.
struct PrintDialogAnswer : vantric::IPrinterChooser {
    bool Choose(QPrinter& printer) override {
        ++asked;
        printer.setOutputFileName(pdf);
        printer.setPrintRange(pages.isEmpty() ? QPrinter::AllPages : QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(pages));
        return !pdf.isEmpty();
    }
    int asked = 0;
    QString pdf, pages;
};

enum class SheetBefore { None, Deleted, NoRoom, Built };

CVolWinControl& ControlById(rg_my_main_window& w, int id) {
    CVolWinControl* controls[] = {
        &w.SingleSheetButton,     &w.CartonTotalEdit,    &w.PrintButton,
        &w.CartonTotalCaption,    &w.PreviewButton,      &w.TicketListView,
        &w.SingleModeRadio,       &w.MultiModeRadio,     &w.AddTicketButton,
        &w.DeleteTicketButton,    &w.TicketSummaryLabel, &w.MultiSheetButton,
        &w.OverweightSheetButton, &w.SheetGrid,          &w.PrintScalingCheck,
        &w.SheetTypeCombo};
    for (CVolWinControl* c : controls) {
        if (c->Id() == id) {
            return *c;
        }
    }
    qFatal("no control with id %d", id);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { SetScaleFactor(1.0); }

    void controlsSitAtTheirScaledPlaces_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("1.0 single sheet button") << 1.0 << 101 << QRect(930, 62, 88, 32);
        QTest::newRow("1.0 count edit") << 1.0 << 102 << QRect(829, 62, 72, 32);
        QTest::newRow("1.0 grid") << 1.0 << 114 << QRect(5, 6, 720, 472);
        QTest::newRow("1.0 combo") << 1.0 << 117 << QRect(821, 22, 112, 24);
        // int(1.5 * v + 0.5) for each measure: halves round up.
        QTest::newRow("1.5 count edit") << 1.5 << 102 << QRect(1244, 93, 108, 48);
        QTest::newRow("1.5 single sheet button") << 1.5 << 101 << QRect(1395, 93, 132, 48);
        QTest::newRow("1.5 grid") << 1.5 << 114 << QRect(8, 9, 1080, 708);
        QTest::newRow("1.5 ticket list") << 1.5 << 106 << QRect(1124, 237, 404, 156);
    }
    void controlsSitAtTheirScaledPlaces() {
        QFETCH(double, scale);
        QFETCH(int, id);
        QFETCH(QRect, expected);
        SetScaleFactor(scale);
        auto w = OpenMainWindow();
        CVolWinControl& control = ControlById(*w, id);
        QVERIFY(control.HasWindow());
        QCOMPARE(control.Widget()->geometry(), expected);
        QCOMPARE(w->FindChildWindow(id), control.Widget());
        QCOMPARE(w->DesignClientWidth(), int(1031 * scale + 0.5));
        QCOMPARE(w->DesignClientHeight(), int(484 * scale + 0.5));
    }

    // What the controls were given before their widgets existed must be what the widgets show.
    void controlsStartInSingleTicketMode() {
        auto w = OpenMainWindow();
        QCOMPARE(w->CartonTotalEdit.SelectedText(), QStringLiteral("0"));
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("多票箱标总数：0"));
        QVERIFY(w->SingleModeRadio.IsChecked());
        QVERIFY(!w->MultiModeRadio.IsChecked());
        QVERIFY(w->PrintScalingCheck.IsChecked());
        QVERIFY(w->SingleSheetButton.IsEnabled());
        QVERIFY(!w->MultiSheetButton.IsEnabled());
        QVERIFY(!w->DeleteTicketButton.IsEnabled());
        QCOMPARE(w->TicketListView.ColumnCount(), 2);
        QCOMPARE(w->SheetTypeCombo.ItemCount(), 3);
        QCOMPARE(w->SheetTypeCombo.CurrentIndex(), 0);
    }

    // Straight after start the count edit has the focus with its "0" selected: typing replaces it.
    void typingStraightAfterStartGoesIntoTheCountEdit() {
        auto w = OpenMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->Widget()));
        QTRY_VERIFY(w->CartonTotalEdit.HasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        QCOMPARE(w->CartonTotalEdit.GetText(), QStringLiteral("12"));
    }

    // The window's grid is the desk's sheet grid, and a bare grid that vantric-batch and the
    // tests set up is the same grid: a sheet printed without the window prints from its copy.
    void gridIsTheDesksSheetGridAsTheBatchHasIt() {
        auto w = OpenMainWindow();
        const CGridCtrl* grid = w->SheetGrid.Grid();
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->RowCount(), 5);
        QCOMPARE(grid->ColumnCount(), 3);
        QCOMPARE(grid->FixedRowCount(), 0);
        QCOMPARE(grid->Print().printLineWidth, 2);
        QVERIFY(!grid->StoredDefaults().mouseSelection);
        // ".萍方-简, 9, ..." at the offscreen screen's 96 dpi: 9 * 96 / 72 = 12 pixels.
        QCOMPARE(grid->GridFont().faceName, QStringLiteral(".萍方-简"));
        QCOMPARE(grid->GridFont().height, -12);
        QVERIFY(SheetIsEmpty(*grid));

        CGridCtrl batch;
        SetUpSheetGrid(batch, 96);
        QVERIFY(batch.StoredDefaults() == grid->StoredDefaults());
        QVERIFY(batch.GridFont() == grid->GridFont());
        const auto live = [](const CGridCtrl& g) {
            return std::tuple{g.RowCount(),
                              g.ColumnCount(),
                              g.FixedRowCount(),
                              g.FixedColumnCount(),
                              g.GridLineMode(),
                              g.CellEditing(),
                              g.ControlBackground(),
                              g.Print().printLineWidth,
                              g.Print().fitColumnsToPage,
                              g.Print().previewPrintButton};
        };
        QVERIFY(live(batch) == live(*grid));
    }

    void aTotalTypedAndBuiltFillsTheGrid() {
        RecordedMessages messages;
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("12"));
        w->SingleSheetButton.Click();
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QCOMPARE(grid.RowCount(), 12 / 4 * 7);
        QCOMPARE(PageNumbers(grid, 0), (QStringList{"1/12", "2/12", "3/12", "4/12"}));
        QCOMPARE(PageNumbers(grid, 2), (QStringList{"9/12", "10/12", "11/12", "12/12"}));
        QCOMPARE(w->SheetIntegers.CartonTotal, 12);
        QCOMPARE(w->SheetIntegers.NumberFontHeight, 145);
        QVERIFY(messages.texts.isEmpty());
    }

    void totalsBelowOneAreRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("total");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("-5") << "-5" << -5;
        QTest::newRow("-") << "-" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void totalsBelowOneAreRefused() {
        QFETCH(QString, text);
        QFETCH(int, total);
        RecordedMessages messages;
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("5"));
        w->SingleSheetButton.Click();  // a sheet the refused build must clear
        const SheetWorkingIntegers before = w->SheetIntegers;

        w->CartonTotalEdit.SetText(text);
        w->SingleSheetButton.Click();
        QCOMPARE(messages.texts, QStringList{QStringLiteral("请输入   1-999  数量的箱标号")});
        QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
        QCOMPARE(messages.owners.value(0), w->Widget());
        QVERIFY(SheetIsEmpty(*w->SheetGrid.Grid()));
        QCOMPARE(w->CartonTotalEdit.GetText(), text);
        QCOMPARE(w->SheetIntegers.CartonTotal, total);
        QCOMPARE(w->SheetIntegers.FillerCount, before.FillerCount);
    }

    void modeRadiosSwitchOnlyTheSheetButtons() {
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("5"));
        w->SingleSheetButton.Click();

        w->MultiModeRadio.Click();
        QVERIFY(!w->SingleSheetButton.IsEnabled());
        QVERIFY(w->MultiSheetButton.IsEnabled());
        QVERIFY(w->AddTicketButton.IsEnabled());
        QVERIFY(w->CartonTotalEdit.IsEnabled());
        QVERIFY(!w->SingleModeRadio.IsChecked());

        w->SingleModeRadio.Click();
        QVERIFY(w->SingleSheetButton.IsEnabled());
        QVERIFY(!w->MultiSheetButton.IsEnabled());
        QCOMPARE(PageNumbers(*w->SheetGrid.Grid(), 1), (QStringList{"5/5", "1/3", "2/3", "3/3"}));
    }

    void printScalingSurvivesARebuild() {
        auto w = OpenMainWindow();
        w->PrintScalingCheck.Click();
        QVERIFY(!w->PrintScalingCheck.IsChecked());
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QVERIFY(!grid.Print().fitColumnsToPage);
        QVERIFY(!grid.StoredDefaults().fitColumnsToPage);

        w->CartonTotalEdit.SetText(QStringLiteral("7"));
        w->SingleSheetButton.Click();
        QVERIFY(!w->SheetGrid.Grid()->Print().fitColumnsToPage);

        w->PrintScalingCheck.Click();
        QVERIFY(w->SheetGrid.Grid()->Print().fitColumnsToPage);
    }

    void printSetsTheFirstPageOffsetAndAsksForAPrinter() {
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("5"));
        w->SingleSheetButton.Click();
        PrintDialogAnswer chooser;
        w->SheetGrid.GridWindow()->SetPrinterChooser(&chooser);
        QCOMPARE(w->SheetGrid.Grid()->Print().firstPageOffset, (IntPair{0, 0}));
        w->PrintButton.Click();
        QCOMPARE(chooser.asked, 1);
        QCOMPARE(w->SheetGrid.Grid()->Print().firstPageOffset, (IntPair{20, 20}));
    }

    // "打印" of a sheet it cannot print says why over the window that asked and prints nothing.
    void printSaysWhyItPrintsNothing_data() {
        QTest::addColumn<SheetBefore>("sheet");
        QTest::addColumn<bool>("fromPreview");
        QTest::addColumn<QString>("pages");  // chosen in the dialog
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("dialogs");  // print dialogs shown
        const QString nothing = vantric::kNothingToPrintText;
        // The margins leave no body at all: none of a page's four labels fits.
        const QString noRoom = vantric::NoRoomForTableText(0, 4);
        // 999 cartons and a filler are 250 pages.
        const QString outside = vantric::kPagesOutsideRunText.arg(250);
        QTest::newRow("before any build") << SheetBefore::None << false << "" << nothing << 0;
        QTest::newRow("after 删除全部") << SheetBefore::Deleted << false << "" << nothing << 0;
        QTest::newRow("右边距 9999999") << SheetBefore::NoRoom << false << "" << noRoom << 1;
        QTest::newRow("右边距 9999999, preview")
            << SheetBefore::NoRoom << true << "" << noRoom << 1;
        QTest::newRow("pages 249-251") << SheetBefore::Built << false << "249-251" << outside << 1;
    }
    void printSaysWhyItPrintsNothing() {
        QFETCH(SheetBefore, sheet);
        QFETCH(bool, fromPreview);
        QFETCH(QString, pages);
        QFETCH(QString, told);
        QFETCH(int, dialogs);
        RecordedMessages messages;
        QTemporaryDir dir;
        PrintDialogAnswer chooser;
        chooser.pdf = dir.filePath(QStringLiteral("printed.pdf"));
        chooser.pages = pages;
        auto w = OpenMainWindow();
        w->SheetGrid.GridWindow()->SetPrinterChooser(&chooser);
        if (sheet != SheetBefore::None) {
            w->CartonTotalEdit.SetText(QStringLiteral("999"));
            w->SingleSheetButton.Click();
        }
        if (sheet == SheetBefore::Deleted) {
            w->OnMenuCommand(menucmd::kDeleteAll);
        } else if (sheet == SheetBefore::NoRoom) {
            w->SheetGrid.SetPrintLayoutValue(2, 9999999);
        }

        QWidget* asker = w->Widget();
        if (fromPreview) {
            QTimer::singleShot(0, [&] {
                auto* preview =
                    qobject_cast<vantric::CPreviewParentDialog*>(QApplication::activeModalWidget());
                if (preview != nullptr) {
                    asker = preview;
                    preview->Button(vantric::CPreviewParentDialog::kPrint)->click();
                    preview->reject();
                }
            });
            w->PreviewButton.Click();
        } else {
            w->PrintButton.Click();
        }
        QCOMPARE(messages.texts, QStringList{told});
        QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
        QCOMPARE(messages.owners.value(0), asker);
        QCOMPARE(chooser.asked, dialogs);
        QVERIFY(!QFile::exists(chooser.pdf));
    }

    void previewShowsTheSheetModally() {
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("5"));
        w->SingleSheetButton.Click();
        QString indicator;
        bool preview = false;
        QTimer::singleShot(0, [&] {
            auto* dialog =
                qobject_cast<vantric::CPreviewParentDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                preview = true;
                indicator = dialog->PageIndicator()->text();
                dialog->reject();
            }
        });
        w->PreviewButton.Click();  // returns once the preview is closed
        QVERIFY(preview);
        QVERIFY(!indicator.isEmpty());
        QVERIFY(w->SheetGrid.Grid()->LastPageCount() > 0);
    }

    void theOverweightButtonLaysOutSixCautionPictures() {
        QTemporaryDir drives;
        const QByteArray previous = qgetenv("VANTRIC_DRIVES");
        qputenv("VANTRIC_DRIVES", drives.path().toUtf8());
        QVERIFY(QDir().mkpath(drives.filePath("D")));
        RecordedMessages messages;
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("9"));
        w->SingleSheetButton.Click();

        w->OverweightSheetButton.Click();
        qputenv("VANTRIC_DRIVES", previous);
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QCOMPARE(grid.RowCount(), 5);
        QCOMPARE(grid.ColumnWidth(0), 331);
        QCOMPARE(grid.ColumnWidth(1), 30);
        QCOMPARE(grid.RowHeight(1), 20);
        QCOMPARE(grid.GridLineMode(), 0);  // no switch in the file: no lines
        for (int row : {0, 2, 4}) {
            for (int column : {0, 2}) {
                const CGridCell* cell = grid.GetCell(row, column);
                QVERIFY(cell->picture != nullptr);
                QCOMPARE(cell->picture->resourceId, 501);
            }
        }
        QVERIFY(grid.GetCell(0, 1)->picture == nullptr);
        QCOMPARE(w->OverweightLayout.LabelWidth, 331);
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(w->SheetIntegers.CartonTotal, 9);  // the carton state stays
        QVERIFY(QFile::exists(drives.filePath("D/data/dypz.ini")));
    }

    void withoutAGridWindowTheChecksStillSpeak() {
        RecordedMessages messages;
        auto w = OpenMainWindow();
        w->SheetGrid.DestroyWindow();
        QVERIFY(w->SheetGrid.Grid() == nullptr);
        QVERIFY(!w->SheetGrid.ClearSheet());
        QVERIFY(!w->SheetGrid.SetPrintLayoutValue(1, 10));
        w->CartonTotalEdit.SetText(QStringLiteral("0"));
        w->SingleSheetButton.Click();
        QCOMPARE(messages.texts.size(), 1);
        w->CartonTotalEdit.SetText(QStringLiteral("8"));
        w->SingleSheetButton.Click();
        QCOMPARE(w->SheetIntegers.FullPageCount, 2);
        w->PrintButton.Click();  // nothing to print on and no dialog
        QCOMPARE(messages.texts.size(), 1);
    }
};

int RunMainWindowTest(int argc, char** argv) {
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
