#include <QHeaderView>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "ui/WindowFramework.h"

namespace {

class ListForm : public CVolWinForm {
  public:
    rg_ChaoJiLieBiaoKuang List;
    int clicks = 0;
    int rightClicks = 0;
    int selectionAtClick = -2;

    ListForm(int view = 3, int sort = 0) {
        ListViewStyleProperties& s = List.Style();
        s.view = view;
        s.sort = sort;
        s.headerDragDrop = true;
        s.fullRowSelect = true;
        s.gridLines = true;
        s.flatScrollBars = true;
        s.singleSelection = true;
        List.InsertColumnsFromDefinition(QStringLiteral("0\n-1\n0\n125\nID\n0\n-1\n1\n130\n箱数"));
        Connect(List.ClickedEvent, [this] {
            ++clicks;
            selectionAtClick = List.CurrentSelection();
        });
        Connect(List.RightClickedEvent, [this] { ++rightClicks; });
    }
    int DesignClientWidth() const override { return 300; }
    int DesignClientHeight() const override { return 300; }
    QTableWidget* Table() const { return static_cast<QTableWidget*>(List.Widget()); }
    QPoint CellCentre(int row, int column) const {
        return Table()->visualRect(Table()->model()->index(row, column)).center();
    }

    rg_edit_box Other;  // somewhere else for the focus to go

  protected:
    void CreateChildControls() override {
        CreateChild(List, 106, 0, 0, 269, 260);
        CreateChild(Other, 107, 0, 270, 100, 24);
    }
};

// The colour most pixels of a cell have, and how many pixels have `colour`.
int PixelsOf(QWidget* viewport, const QRect& cell, const QColor& colour) {
    const QImage image = viewport->grab(cell).toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

QStringList FirstColumn(const rg_ChaoJiLieBiaoKuang& list) {
    QStringList texts;
    for (int r = 0; r < list.RowCount(); ++r) {
        texts << list.CellText(r, 0);
    }
    return texts;
}

class ListViewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void applicationColumns() {
        ListForm form;
        form.CreateForm();
        QCOMPARE(form.List.ColumnCount(), 2);
        QCOMPARE(form.List.ColumnTitle(0), "ID");
        QCOMPARE(form.List.ColumnWidth(0), 125);
        QCOMPARE(form.List.ColumnAlignment(0), 0);
        QCOMPARE(form.List.ColumnTitle(1), QStringLiteral("箱数"));
        QCOMPARE(form.List.ColumnWidth(1), 130);  // pixels as written, never scaled
        QCOMPARE(form.List.ColumnAlignment(1), 1);
        auto* table = static_cast<QTableWidget*>(form.List.Widget());
        QVERIFY(table->showGrid());
        QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(table->horizontalHeader()->sectionsMovable());
    }

    void columnsOnlyInReportView() {
        ListForm form(1);
        form.CreateForm();
        QCOMPARE(form.List.ColumnCount(), 0);
    }

    void rowsKeepInsertionOrderUnlessSorted() {
        ListForm form;
        form.CreateForm();
        QStringList expected;
        for (int i = 1; i <= 12; ++i) {
            QCOMPARE(form.List.InsertRow(form.List.RowCount(), QString::number(i)), i - 1);
            QVERIFY(form.List.SetCellText(i - 1, 1, QString::number(i * 10)));
            expected << QString::number(i);
        }
        QCOMPARE(FirstColumn(form.List), expected);  // 9 before 10
        QCOMPARE(form.List.CellText(11, 1), "120");
        QVERIFY(!form.List.SetCellText(12, 0, "x"));  // no such row

        ListForm sorted(3, 1);
        sorted.CreateForm();
        for (const char* t : {"9", "10", "2"}) {
            sorted.List.InsertRow(sorted.List.RowCount(), t);
        }
        QCOMPARE(FirstColumn(sorted.List), (QStringList{"10", "2", "9"}));  // compared as text
    }

    void selectionAndDeletion() {
        ListForm form;
        form.List.Style().initialSelection = -1;
        QCOMPARE(form.List.CurrentSelection(), -1);
        QCOMPARE(form.List.InsertRow(0, "a"), -1);  // no widget, nothing happens
        form.CreateForm();
        for (const char* t : {"a", "b", "c"}) {
            form.List.InsertRow(form.List.RowCount(), t);
        }
        QCOMPARE(form.List.CurrentSelection(), -1);
        QVERIFY(form.List.SetItemState(1, 3, 3));
        QCOMPARE(form.List.CurrentSelection(), 1);
        form.List.SetItemState(2, 3, 3);  // single selection: the old row lets go
        QCOMPARE(form.List.CurrentSelection(), 2);
        QVERIFY(form.List.DeleteRow(2));
        QCOMPARE(form.List.CurrentSelection(), -1);
        QCOMPARE(FirstColumn(form.List), (QStringList{"a", "b"}));
        form.List.DeleteAllRows();
        QCOMPARE(form.List.RowCount(), 0);
        QVERIFY(!form.List.DeleteRow(0));
    }

    void clicksFireOnRowsAndOnEmptySpace() {
        ListForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.Widget()));
        for (const char* t : {"1", "2"}) {
            form.List.InsertRow(form.List.RowCount(), t);
        }
        auto* table = static_cast<QTableWidget*>(form.List.Widget());
        QWidget* viewport = table->viewport();
        const QPoint row1 = table->visualItemRect(table->item(1, 0)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, row1);
        QCOMPARE(form.clicks, 1);
        QCOMPARE(form.selectionAtClick, 1);

        const QPoint below(row1.x(), viewport->height() - 5);
        QVERIFY(!table->indexAt(below).isValid());
        QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
        QCOMPARE(form.clicks, 2);
        QCOMPARE(form.selectionAtClick, -1);  // the handler finds no selected row

        const QPoint row0 = table->visualItemRect(table->item(0, 1)).center();
        QTest::mouseClick(viewport, Qt::RightButton, {}, row0);
        QCOMPARE(form.rightClicks, 1);
        QCOMPARE(form.List.CurrentSelection(), 0);  // a right click selects its row
        QTest::mouseClick(viewport, Qt::RightButton, {}, below);
        QCOMPARE(form.rightClicks, 2);
        QCOMPARE(form.clicks, 2);
    }

    void currentRowChangesOncePerRow() {
        ListForm form;
        form.List.Style().fullRowSelect = false;
        QList<int> rows;
        form.Connect(form.List.CurrentRowChangedEvent, [&](int row) { rows.append(row); });
        form.CreateForm();
        for (const char* t : {"a", "b"}) {
            form.List.InsertRow(form.List.RowCount(), t);
        }
        rows.clear();
        form.Table()->setCurrentCell(0, 0);
        form.Table()->setCurrentCell(0, 1);  // same row, other column: no event
        form.Table()->setCurrentCell(1, 1);
        QCOMPARE(rows, (QList<int>{0, 1}));
    }

    void initialRowsFromTheirDefinition() {
        ListForm form;
        form.List.Style().checkBoxes = true;
        form.List.SetImages({QIcon(":/none-a"), QIcon(":/none-b")});
        // Row "1" ticked, data 42, red "x" in column 1 with a tip; row "2" starts without the
        // further-cell flag; a third cell of row "2" has no column; the trailing group is short.
        form.List.SetRowsDefinition(QStringLiteral(
            "0\n1\n2\n\n42\n1\n\n"
            "1\n-1\n0\n255\n0\nx\nthe x\n"
            "0\n5\n1\n\n7\n2\n\n"
            "1\n-1\n0\n\n0\ny\n\n"
            "1\n-1\n0\n\n0\nlost\n\n"
            "0\n0\n0"));
        form.CreateForm();
        form.List.InsertRow(0, "gone");
        form.List.SetRowsDefinition(QStringLiteral("0\n0\n0\n\n1\n1\n\n1\n-1\n0\n255\n0\nx\nthe x\n"
                                                   "0\n5\n1\n\n7\n2\n\n1\n-1\n0\n\n0\ny\n\n"
                                                   "1\n-1\n0\n\n0\nlost\n\n"));
        QCOMPARE(FirstColumn(form.List), (QStringList{"1", "2"}));  // the old rows went first
        QCOMPARE(form.List.CellText(0, 1), "x");
        QCOMPARE(form.List.CellText(1, 1), "y");
        QCOMPARE(form.List.RowData(0), 1);
        QCOMPARE(form.List.RowData(1), 7);
        QVERIFY(!form.List.IsRowChecked(0));
        QVERIFY(!form.List.IsRowChecked(1));
        QCOMPARE(form.Table()->item(0, 1)->foreground().color(), QColor(255, 0, 0));
        QVERIFY(form.Table()->item(1, 0)->icon().isNull());  // image 5 of 2: none

        ListForm created;  // given before the widget: applied at creation
        created.List.Style().checkBoxes = true;
        created.List.SetRowsDefinition(QStringLiteral("0\n-1\n2\n\n42\nA\n\n0\n-1\n1\n\n0\nB\n\n"));
        created.CreateForm();
        QCOMPARE(FirstColumn(created.List), (QStringList{"A", "B"}));
        QVERIFY(created.List.IsRowChecked(0));
        QVERIFY(!created.List.IsRowChecked(1));
        QCOMPARE(created.List.RowData(0), 42);
    }

    void coloursAndCustomDraw() {
        ListForm form;
        form.List.Style().textBackgroundColour = RGBColour(0, 0, 255);
        form.List.Style().backgroundColour = kDefaultColour;  // the button face
        QList<QPair<int, int>> cellsAsked;
        form.Connect(form.List.CustomDrawEvent, [&](rg_ChaoJiLieBiaoKuangHuiZhiCanShu* cell) {
            cellsAsked.append({cell->row, cell->column});
            if (cell->row == 1 && cell->column == 1) {
                QCOMPARE(cell->backgroundColour, RGBColour(0, 0, 255));
                cell->backgroundColour = RGBColour(0, 255, 0);
            }
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.Widget()));
        for (const char* t : {"1", "2"}) {
            form.List.InsertRow(form.List.RowCount(), t);
        }
        QWidget* viewport = form.Table()->viewport();
        const auto cell = [&](int r, int c) {
            return form.Table()->visualRect(form.Table()->model()->index(r, c)).adjusted(3, 3, -3, -3);
        };
        const int area = cell(1, 1).width() * cell(1, 1).height();
        QVERIFY(PixelsOf(viewport, cell(1, 1), Qt::green) > area / 2);
        QVERIFY(PixelsOf(viewport, cell(0, 1), Qt::blue) > area / 2);
        QVERIFY(cellsAsked.contains(qMakePair(0, 1)));
        const QColor face = form.Table()->palette().color(QPalette::Button);
        const QPoint below(5, viewport->height() - 5);
        QCOMPARE(viewport->grab(QRect(below, QSize(1, 1))).toImage().pixelColor(0, 0), face);
    }

    void selectionShowsOnlyWhileTheListHasTheFocus() {
        for (const bool always : {false, true}) {
            ListForm form;
            form.List.Style().showSelectionAlways = always;
            form.CreateForm();
            QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
            form.List.InsertRow(0, "1");
            form.List.SetItemState(0, 3, 3);
            QWidget* viewport = form.Table()->viewport();
            const QRect cell = form.Table()->visualRect(form.Table()->model()->index(0, 1));
            const QColor highlight = form.Table()->palette().color(QPalette::Highlight);
            const QColor inactive =
                form.Table()->palette().color(QPalette::Inactive, QPalette::Highlight);
            const auto selectedPixels = [&] {
                return PixelsOf(viewport, cell, highlight) + PixelsOf(viewport, cell, inactive);
            };
            form.List.SetFocus();
            QTRY_VERIFY(form.List.HasFocus());
            QVERIFY(selectedPixels() > cell.width() * cell.height() / 2);
            form.Other.SetFocus();
            QTRY_VERIFY(form.Other.HasFocus());
            QCOMPARE(selectedPixels() > cell.width() * cell.height() / 2, always);
            QCOMPARE(form.List.CurrentSelection(), 0);  // still selected, only not shown
        }
    }

    void infoTipsShowTextTheColumnCuts() {
        ListForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.Widget()));
        form.List.InsertRow(0, "short");
        const QString longText = QString("a long cell text ").repeated(6);
        form.List.SetCellText(0, 1, longText);
        form.List.SetRowsDefinition(QStringLiteral("0\n-1\n0\n\n0\nshort\n\n1\n-1\n0\n\n0\n") +
                                    longText + "\n\n0\n-1\n0\n\n0\nfits\nsaid so\n");
        QWidget* viewport = form.Table()->viewport();
        const auto tipAt = [&](int row, int column) {
            QToolTip::hideText();  // goes after a moment
            for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) {
                QTest::qWait(20);
            }
            const QPoint at = form.CellCentre(row, column);
            QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(0, 1), longText);  // cut off: the whole text
        QCOMPARE(tipAt(0, 0), QString());  // fits: no tip
        QCOMPARE(tipAt(1, 0), "said so");  // a tip of its own
        QToolTip::hideText();
    }

    void hotTrackingFollowsTheMouse() {
        ListForm form;
        ListViewStyleProperties& s = form.List.Style();
        s.hotTracking = true;
        s.underlineHot = true;
        s.handCursor = true;
        QList<int> hot;
        QList<int> activated;
        form.Connect(form.List.HotRowChangedEvent, [&](int row) { hot.append(row); });
        form.Connect(form.List.RowActivatedEvent, [&](int row) { activated.append(row); });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.Widget()));
        for (const char* t : {"1", "2"}) {
            form.List.InsertRow(form.List.RowCount(), t);
        }
        QWidget* viewport = form.Table()->viewport();
        QTest::mouseMove(viewport, form.CellCentre(0, 0));
        QTest::mouseMove(viewport, form.CellCentre(0, 1));  // same row
        QTest::mouseMove(viewport, form.CellCentre(1, 0));
        QCOMPARE(hot, (QList<int>{0, 1}));
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        QTRY_COMPARE(form.List.CurrentSelection(), 1);  // resting on a row selects it
        QTest::mouseClick(viewport, Qt::LeftButton, {}, form.CellCentre(0, 0));
        QCOMPARE(activated, QList<int>{0});  // one click activates
        QTest::mouseMove(viewport, QPoint(5, viewport->height() - 5));
        QCOMPARE(hot.last(), -1);
        QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
    }
};

}  // namespace

int RunListViewTest(int argc, char** argv) {
    ListViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListViewTest.moc"
