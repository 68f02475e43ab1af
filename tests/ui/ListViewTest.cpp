#include <QHeaderView>
#include <QTest>

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

  protected:
    void CreateChildControls() override { CreateChild(List, 106, 0, 0, 269, 260); }
};

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
};

}  // namespace

int RunListViewTest(int argc, char** argv) {
    ListViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListViewTest.moc"
