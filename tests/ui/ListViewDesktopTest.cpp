#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "XDesk.h"
#include "ui/ListViewItemDelegate.h"
#include "ui/WindowFramework.h"

namespace {

// A list with both editing switches and check boxes, an edit to take the focus elsewhere, and a
// default button that Enter inside the list's editor must not press.
class EditForm : public CVolWinForm {
  public:
    rg_ChaoJiLieBiaoKuang List;
    rg_edit_box Other;
    rg_button1 Ok;
    QStringList events;
    int okClicks = 0;
    int cellAnswer = 1;

    EditForm() {
        ListViewStyleProperties& s = List.Style();
        s.fullRowSelect = true;
        s.singleSelection = true;
        s.gridLines = true;
        s.checkBoxes = true;
        s.labelEditing = true;
        s.subItemEditing = true;
        List.InsertColumnsFromDefinition(QStringLiteral("0\n-1\n0\n90\nID\n0\n-1\n0\n150\nText"));
        Connect(List.CheckBoxChangedEvent,
                [this](int row, int state) { events << QStringLiteral("check %1 %2").arg(row).arg(state); });
        Connect(List.DoubleClickedEvent, [this] { events << "double"; });
        Connect(List.LabelEditStartingEvent, [this](int row) {
            events << QStringLiteral("label? %1").arg(row);
            return row == 1 ? 1 : 0;  // row 1 may not be renamed
        });
        Connect(List.LabelEditEndedEvent, [this](int row, const QString& text) {
            events << QStringLiteral("label %1 %2").arg(row).arg(text);
            return 1;
        });
        Connect(List.CellEditableEvent, [this](int row, int column) {
            events << QStringLiteral("cell? %1 %2").arg(row).arg(column);
            return row == 1 ? 1 : 0;
        });
        Connect(List.CellEditEndedEvent, [this](int row, int column, const QString& text) {
            events << QStringLiteral("cell %1 %2 %3").arg(row).arg(column).arg(text);
            return cellAnswer;
        });
        Connect(Ok.ClickedEvent, [this] { ++okClicks; });
    }
    int DesignClientWidth() const override { return 300; }
    int DesignClientHeight() const override { return 260; }
    QTableWidget* Table() const { return static_cast<QTableWidget*>(List.Widget()); }
    QWidget* Viewport() const { return Table()->viewport(); }
    QModelIndex Index(int row, int column) const { return Table()->model()->index(row, column); }
    QRect TextRect(int row, int column) const {
        return static_cast<ListViewItemDelegate*>(Table()->itemDelegate())->TextRect(Index(row, column));
    }
    QLineEdit* Editor() const { return Viewport()->findChild<QLineEdit*>(); }
    QList<QLineEdit*> VisibleEditors() const {
        QList<QLineEdit*> shown;
        for (QLineEdit* e : Viewport()->findChildren<QLineEdit*>()) {
            if (e->isVisible()) {
                shown << e;
            }
        }
        return shown;
    }

  protected:
    void CreateChildControls() override {
        CreateChild(List, 101, 0, 0, 300, 150);
        CreateChild(Other, 102, 0, 160, 100, 24);
        Ok.SetText("OK");
        Ok.SetDefault(true);
        CreateChild(Ok, 103, 150, 160, 80, 30);
        List.InsertRow(0, "1");
        List.SetCellText(0, 1, "1000");
        List.InsertRow(1, "2");
        List.SetCellText(1, 1, "fixed");
        List.InsertRow(2, "3");
    }
};

class ListViewDesktopTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void checkBoxesBySpaceClickAndDoubleClick() {
        EditForm form;
        form.CreateForm();
        QVERIFY(xdesk::Activate(form.Widget()));
        form.List.SetItemState(1, 3, 3);
        form.List.SetFocus();
        QTRY_VERIFY(form.List.HasFocus());
        QVERIFY(xdesk::Key("space"));
        QTRY_COMPARE(form.events, QStringList{"check 1 1"});
        QVERIFY(xdesk::Key("space"));
        QTRY_COMPARE(form.events.size(), 2);
        QCOMPARE(form.events.last(), "check 1 0");
        QVERIFY(!form.List.IsRowChecked(1));

        auto* delegate = static_cast<ListViewItemDelegate*>(form.Table()->itemDelegate());
        const QPoint box0 = delegate->CheckBoxRect(form.Index(0, 0)).center();
        QVERIFY(xdesk::Click(form.Viewport(), box0));
        QTRY_COMPARE(form.events.size(), 3);
        QCOMPARE(form.events.last(), "check 0 1");
        QVERIFY(form.List.IsRowChecked(0));

        // A double click ticks and clears again, as two clicks do, and edits nothing.
        form.events.clear();
        const QPoint box2 = delegate->CheckBoxRect(form.Index(2, 0)).center();
        QVERIFY(xdesk::DoubleClick(form.Viewport(), box2));
        QTRY_VERIFY2(form.events.filter("check").size() == 2, qPrintable(form.events.join(",")));
        QCOMPARE(form.events.filter("check"), (QStringList{"check 2 1", "check 2 0"}));
        QVERIFY(form.events.contains("double"));
        QVERIFY(form.events.filter("label").isEmpty());
        QVERIFY(form.VisibleEditors().isEmpty());
    }

    void cellsEditInPlace() {
        EditForm form;
        form.CreateForm();
        QVERIFY(xdesk::Activate(form.Widget()));
        QWidget* viewport = form.Viewport();

        // Column 1, clicked right of the text: the caret goes to the end.
        const QRect text = form.TextRect(0, 1);
        QVERIFY(xdesk::DoubleClick(viewport, QPoint(text.right() - 4, text.center().y())));
        QTRY_VERIFY(form.Editor() != nullptr && form.Editor()->hasFocus());
        QLineEdit* editor = form.Editor();
        QCOMPARE(form.events, (QStringList{"double", "cell? 0 1"}));
        QCOMPARE(editor->text(), "1000");
        QCOMPARE(editor->geometry().left(), text.left() + 5);
        QCOMPARE(editor->font(), form.Table()->font());
        QVERIFY(xdesk::Type("5"));
        QVERIFY(xdesk::Key("Return"));  // ends the edit, presses no default button
        QTRY_COMPARE(form.List.CellText(0, 1), "10005");
        QCOMPARE(form.events.last(), "cell 0 1 10005");
        QCOMPARE(form.okClicks, 0);
        QVERIFY(form.VisibleEditors().isEmpty());

        // Clicked on the text's first character: the caret goes before it. Leaving the editor
        // asks; an answer of 0 keeps the old text.
        form.events.clear();
        form.cellAnswer = 0;
        QVERIFY(xdesk::DoubleClick(viewport, QPoint(text.left() + 6, text.center().y())));
        QTRY_VERIFY(form.Editor() != nullptr && form.Editor()->hasFocus());
        QVERIFY(xdesk::Type("9"));
        QCOMPARE(form.Editor()->text(), "910005");
        QVERIFY(xdesk::Click(form.Other.Widget(), QPoint(10, 10)));
        QTRY_COMPARE(form.events.last(), "cell 0 1 910005");
        QCOMPARE(form.List.CellText(0, 1), "10005");
        QVERIFY(form.Other.HasFocus());
        QVERIFY(form.VisibleEditors().isEmpty());

        // The wheel ends a running edit first; Escape drops one without asking.
        form.cellAnswer = 1;
        QVERIFY(xdesk::DoubleClick(viewport, QPoint(text.right() - 4, text.center().y())));
        QTRY_VERIFY(form.Editor() != nullptr && form.Editor()->hasFocus());
        QVERIFY(xdesk::Type("1"));
        QVERIFY(xdesk::Click(viewport, QPoint(text.center().x(), viewport->height() - 5), 5));
        QTRY_COMPARE(form.List.CellText(0, 1), "100051");
        QVERIFY(form.VisibleEditors().isEmpty());
        form.events.clear();
        QVERIFY(xdesk::DoubleClick(viewport, QPoint(text.right() - 4, text.center().y())));
        QTRY_VERIFY(form.Editor() != nullptr && form.Editor()->hasFocus());
        QVERIFY(xdesk::Type("7"));
        QVERIFY(xdesk::Key("Escape"));
        QTRY_VERIFY(form.VisibleEditors().isEmpty());
        QCOMPARE(form.List.CellText(0, 1), "100051");
        QVERIFY(form.events.filter("cell 0").isEmpty());
        QVERIFY(form.HasWindow());  // Escape went to the editor, not the form

        // A refused cell and a cancelled label edit open no editor.
        form.events.clear();
        QVERIFY(xdesk::DoubleClick(viewport, form.TextRect(1, 1).center()));
        QVERIFY(xdesk::DoubleClick(viewport, form.TextRect(1, 0).center()));
        QTRY_VERIFY(form.events.contains("label? 1"));
        QVERIFY(form.events.contains("cell? 1 1"));
        QVERIFY(form.VisibleEditors().isEmpty());

        // Column 0 is the row's label: all its text is selected, so typing replaces it.
        form.events.clear();
        QVERIFY(xdesk::DoubleClick(viewport, form.TextRect(0, 0).center()));
        QTRY_VERIFY(form.Editor() != nullptr && form.Editor()->hasFocus());
        QVERIFY(xdesk::Type("7"));
        QVERIFY(xdesk::Key("Return"));
        QTRY_COMPARE(form.List.CellText(0, 0), "7");
        QCOMPARE(form.events, (QStringList{"double", "label? 0", "label 0 7"}));
    }
};

}  // namespace

int RunListViewDesktopTest(int argc, char** argv) {
    ListViewDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListViewDesktopTest.moc"
