#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "ui/WindowFramework.h"

namespace {

// Version 2 menu: "File" (10) with "Open" (11, Ctrl+F5) and "Delete" (12); "Help" (20).
const QString kMenu = QStringLiteral(
    "2\n"
    "0\nFile\nFile\n10\n\n\n0\n0\n0\n0\n0\n-1\n"
    "1\nOpen\nOpen\n11\n\nf5\n1\n0\n0\n0\n0\n-1\n"
    "1\nDelete\nDelete\n12\n\n\n0\n0\n0\n0\n0\n-1\n"
    "0\nHelp\nHelp\n20\n\n\n0\n0\n0\n0\n0\n-1");

class KeyForm : public CVolWinForm {
  public:
    rg_edit_box Edit;
    rg_button1 Ok;
    rg_button1 Other;
    bool okIsDefault = true;
    QList<int> commands;
    QList<CVolWinControl*> clicked;
    int mousePressesSeen = 0;
    int swallowKey = 0;  // a key FormPreTranslateHook swallows

    KeyForm() {
        Connect(CommandEvent, [this](int32_t id) {
            commands.append(id);
            return 1;
        });
        Connect(Ok.ClickedEvent, [this](CVolWinControl* s) { clicked.append(s); });
        Connect(Other.ClickedEvent, [this](CVolWinControl* s) { clicked.append(s); });
    }
    int DesignClientWidth() const override { return 300; }
    int DesignClientHeight() const override { return 120; }
    int FormPreTranslateHook(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            ++mousePressesSeen;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == swallowKey) {
            return 0;
        }
        return 1;
    }

  protected:
    void CreateChildControls() override {
        CreateChild(Edit, 101, 10, 10, 120, 24);
        Ok.SetText("OK");
        Ok.SetDefault(okIsDefault);
        CreateChild(Ok, 102, 10, 50, 80, 30);
        Other.SetText("Other");
        CreateChild(Other, 103, 100, 50, 80, 30);
    }
};

QWidget* ActiveModal() {
    return QApplication::activeModalWidget();
}

class FormKeyboardTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void escapeEndsModalFormWithMinusOne() {
        QWidget owner;
        owner.show();
        QLineEdit* ownerEdit = new QLineEdit(&owner);
        ownerEdit->show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        ownerEdit->setFocus();
        KeyForm form;
        bool hostWasModal = false;
        QTimer::singleShot(0, [&] {
            hostWasModal = ActiveModal() == form.Host() && form.IsModal();
            QTest::keyClick(form.Edit.Widget(), Qt::Key_Escape);
        });
        QCOMPARE(form.RunModal(&owner), int64_t{-1});
        QVERIFY(hostWasModal);
        QVERIFY(!form.HasWindow());
        QTRY_COMPARE(QApplication::focusWidget(), ownerEdit);  // focus back where it was
    }

    void modalFormResultAndCaption() {
        KeyForm form;
        form.SetText("Margins");
        QString hostCaption;
        QTimer::singleShot(0, [&] {
            hostCaption = form.Host()->windowTitle();
            form.SetText("Renamed");  // a hosted form forwards its caption
            hostCaption += "|" + form.Host()->windowTitle();
            form.EndModal(7);
        });
        QCOMPARE(form.RunModal(nullptr, true), int64_t{7});
        QCOMPARE(hostCaption, "Margins|Renamed");
    }

    void enterClicksTheDefaultButtonOnly() {
        KeyForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QCOMPARE(form.DefaultButtonId(), 102);
        form.Edit.SetFocus();
        QTest::keyClick(form.Edit.Widget(), Qt::Key_Return);
        QCOMPARE(form.clicked, (QList<CVolWinControl*>{&form.Ok}));
        form.Ok.SetEnabled(false);
        QTest::keyClick(form.Edit.Widget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(form.clicked.size(), 1);

        KeyForm plain;
        plain.okIsDefault = false;
        plain.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(plain.Widget()));
        QCOMPARE(plain.DefaultButtonId(), 0);
        plain.Edit.SetFocus();
        QTest::keyClick(plain.Edit.Widget(), Qt::Key_Return);
        QVERIFY(plain.clicked.isEmpty());
    }

    void escapeInModelessForm() {
        KeyForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        form.Edit.SetFocus();
        QTest::keyClick(form.Edit.Widget(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(form.HasWindow());  // not marked to close on Escape

        KeyForm closing;
        closing.SetCloseOnEscape(true);
        closing.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(closing.Widget()));
        closing.Edit.SetFocus();
        QTest::keyClick(closing.Edit.Widget(), Qt::Key_Escape);
        QTRY_VERIFY(!closing.HasWindow());
    }

    void closeRequestCanKeepTheWindow() {
        KeyForm form;
        int asked = 0;
        form.Connect(form.CloseRequestEvent, [&] { return ++asked > 1 ? 1 : 0; });
        form.CreateForm();
        QVERIFY(!form.Widget()->close());
        QVERIFY(form.HasWindow());
        QVERIFY(form.Widget()->close());
        QTRY_VERIFY(!form.HasWindow());
        QCOMPARE(asked, 2);
    }

    void menuBarCommandsAndGreying() {
        CRefVolMenu* menu = new CRefVolMenu;
        QVERIFY(LoadMenuDefinition(*menu, kMenu));
        KeyForm form;
        form.SetMenu(menu);
        menu->Release();  // the form holds its own reference
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QMenuBar* bar = form.MenuBar();
        QVERIFY(bar != nullptr);
        QCOMPARE(bar->actions().size(), 2);
        QCOMPARE(bar->actions()[1]->text(), "Help");
        QMenu* file = bar->actions()[0]->menu();
        QCOMPARE(file->actions()[0]->text(), "Open\tCtrl+F5");
        // The client area keeps its design size below the bar.
        QCOMPARE(form.ClientWidget()->size(), QSize(300, 120));

        file->actions()[1]->trigger();
        QCOMPARE(form.commands, (QList<int>{12}));
        form.SetMenuItemEnabled(12, false);
        QVERIFY(!file->actions()[1]->isEnabled());
        form.SetMenuItemEnabled(999, false);  // no such item: nothing changes

        form.Edit.SetFocus();
        QTest::keyClick(form.Edit.Widget(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(form.commands, (QList<int>{12, 11}));
        form.SetMenuItemEnabled(11, false);  // a greyed item's accelerator sends nothing
        QTest::keyClick(form.Edit.Widget(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(form.commands.size(), 2);
    }

    void contextMenuChoiceArrivesAfterTheHandler() {
        CRefVolMenu* menu = new CRefVolMenu;
        QVERIFY(menu->Load(kMenu));
        KeyForm form;
        form.CreateForm();
        QList<int> seenInsideHandler;
        form.Connect(form.Other.ClickedEvent, [&] {
            QTimer::singleShot(0, [] {
                auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(popup != nullptr);
                popup->actions().at(1)->trigger();  // "Delete"
                popup->close();
            });
            form.TrackPopupMenu(*menu, 0, QPoint(10, 10));
            seenInsideHandler = form.commands;
        });
        form.Other.Click();
        QVERIFY(seenInsideHandler.isEmpty());
        QTRY_COMPARE(form.commands, (QList<int>{12}));  // delivered, not skipped as re-entry
        menu->Release();
    }

    void formSeesInputOfItsControlsFirst() {
        KeyForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QTest::mouseClick(form.Other.Widget(), Qt::LeftButton);
        QCOMPARE(form.mousePressesSeen, 1);  // a click on a child passes the form
        QCOMPARE(form.clicked.size(), 1);

        form.swallowKey = Qt::Key_X;
        form.Edit.SetFocus();
        QTest::keyClicks(form.Edit.Widget(), "axb");
        QCOMPARE(form.Edit.GetText(), "ab");
    }
};

}  // namespace

int RunFormKeyboardTest(int argc, char** argv) {
    FormKeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormKeyboardTest.moc"
