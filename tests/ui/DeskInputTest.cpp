// The operator's keyboard on the framework: editing keys, pasted and input-method text through
// an edit's filter and limit, where the focus goes when a form or container receives it, where a
// form with a menu bar opens, the program's icon, and the message box as the desk reads it.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "TestDoubles.h"
#include "ui/WindowFramework.h"

namespace {

// A container or form whose children a test lists: each Add creates the next one, in order.
template <typename Base>
class Built : public Base {
  public:
    using Builder = std::function<void(Built&)>;
    explicit Built(Builder build = {}) : build_(std::move(build)) {}
    ~Built() override { this->DestroyWindow(); }
    int DesignClientWidth() const override { return 300; }
    int DesignClientHeight() const override { return 200; }

    template <typename T, typename... Args>
    T& Add(int x, int y, Args&&... args) {
        auto& control = static_cast<T&>(
            *children_.emplace_back(std::make_unique<T>(std::forward<Args>(args)...)));
        this->CreateChild(control, static_cast<int32_t>(101 + children_.size()), x, y, 60, 24);
        return control;
    }

  protected:
    void CreateChildControls() override {
        if (build_) {
            build_(*this);
        }
    }

  private:
    Builder build_;
    std::deque<std::unique_ptr<CVolWinControl>> children_;
};
using Form = Built<CVolWinForm>;
using Box = Built<CVolWinContainer>;

enum class Input { Key, Paste, Commit };

void Feed(QLineEdit* edit, Input input, const QString& payload, Qt::Key key,
          Qt::KeyboardModifiers modifiers) {
    switch (input) {
        case Input::Key: {
            // As X11 and Wayland send it: Delete carries U+007F whatever the modifiers.
            QKeyEvent press(QEvent::KeyPress, key, modifiers, payload);
            QApplication::sendEvent(edit, &press);
            break;
        }
        case Input::Paste:
            QGuiApplication::clipboard()->setText(payload);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            break;
        case Input::Commit: {
            QInputMethodEvent commit;
            commit.setCommitString(payload);
            QApplication::sendEvent(edit, &commit);
            break;
        }
    }
}

QMenu* OpenPopup() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(w); menu != nullptr && menu->isVisible()) {
            return menu;
        }
    }
    return nullptr;
}

class DeskInputTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void countEditInput_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selectionStart");  // caret there, or the selection's start
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<Input>("input");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        const QString del(QChar(0x7F));
        const int none = Qt::NoModifier;
        // The count edit: digits and "-", at most three characters.
        QTest::newRow("Delete") << "12" << 0 << 0 << Input::Key << del << int(Qt::Key_Delete)
                                << none << "2" << 0;
        QTest::newRow("keypad Delete") << "12" << 0 << 0 << Input::Key << del
                                       << int(Qt::Key_Delete) << int(Qt::KeypadModifier) << "2"
                                       << 0;
        QTest::newRow("Shift+Delete cuts the selection")
            << "12" << 0 << 1 << Input::Key << del << int(Qt::Key_Delete)
            << int(Qt::ShiftModifier) << "2" << 0;
        QTest::newRow("Backspace") << "12" << 2 << 0 << Input::Key << "\b"
                                   << int(Qt::Key_Backspace) << none << "1" << 0;
        QTest::newRow("typed letter") << "12" << 2 << 0 << Input::Key << "a" << int(Qt::Key_A)
                                      << none << "12" << 1;
        QTest::newRow("fourth typed digit")
            << "123" << 3 << 0 << Input::Key << "4" << int(Qt::Key_4) << none << "123" << 1;
        QTest::newRow("pasted: first line, filtered")
            << "" << 0 << 0 << Input::Paste << "1a2\n3" << 0 << none << "12" << 1;
        QTest::newRow("pasted: cut to the limit")
            << "" << 0 << 0 << Input::Paste << "98765" << 0 << none << "987" << 1;
        QTest::newRow("pasted over the selection")
            << "123" << 0 << 3 << Input::Paste << "45" << 0 << none << "45" << 0;
        QTest::newRow("committed: filtered") << "" << 0 << 0 << Input::Commit
                                             << QStringLiteral("1是2") << 0 << none << "12" << 1;
        QTest::newRow("committed: full-width digit")
            << "" << 0 << 0 << Input::Commit << QStringLiteral("３") << 0 << none << "" << 1;
        QTest::newRow("committed: cut to the limit")
            << "12" << 2 << 0 << Input::Commit << "345" << 0 << none << "123" << 1;
        QTest::newRow("committed over the selection")
            << "0" << 0 << 1 << Input::Commit << "7" << 0 << none << "7" << 0;
    }

    void countEditInput() {
        QFETCH(QString, before);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(Input, input);
        QFETCH(QString, payload);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        CountingBeeper beeper;
        rg_edit_box* count = nullptr;
        Form form([&](Form& f) {
            count = &f.Add<rg_edit_box>(10, 10);
            count->SetLimitText(3);
            count->SetInputMode(3);
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        count->SetText(before);
        count->SetSelection(selectionStart, selectionLength);
        auto* edit = static_cast<QLineEdit*>(count->Widget());
        if (selectionLength == 0) {
            edit->setCursorPosition(selectionStart);
        }
        Feed(edit, input, payload, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(count->GetText(), after);
        QCOMPARE(beeper.count, beeps);
    }

    void textSetByTheProgramIsNotCut() {
        rg_edit_box* count = nullptr;
        Form form([&](Form& f) {
            count = &f.Add<rg_edit_box>(10, 10);
            count->SetLimitText(3);
            count->SetText("12345");
        });
        form.CreateForm();
        QCOMPARE(count->GetText(), "12345");
        count->SetText("67890");
        QCOMPARE(count->GetText(), "67890");
    }

    void contextMenuPasteIsFiltered() {
        CountingBeeper beeper;
        rg_edit_box* count = nullptr;
        Form form([&](Form& f) {
            count = &f.Add<rg_edit_box>(10, 10);
            count->SetInputMode(3);
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QGuiApplication::clipboard()->setText("a1");
        QWidget* edit = count->Widget();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &menuEvent);
        QMenu* menu = OpenPopup();
        QVERIFY(menu != nullptr);
        QAction* paste = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->text().endsWith(QStringLiteral("\tCtrl+V"))) {
                paste = a;
            }
        }
        QVERIFY(paste != nullptr);
        paste->trigger();
        menu->close();
        QCOMPARE(count->GetText(), "1");
        QCOMPARE(beeper.count, 1);
    }

    // What the operator sees while composing: a preedit of refused text is not drawn at all,
    // one of accepted text is.
    void preeditOfRefusedTextIsNotShown() {
        rg_edit_box* digits = nullptr;
        rg_edit_box* text = nullptr;
        Form form([&](Form& f) {
            digits = &f.Add<rg_edit_box>(10, 10);
            digits->SetInputMode(3);
            text = &f.Add<rg_edit_box>(10, 50);
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        for (rg_edit_box* box : {digits, text}) {
            box->SetFocus();
            QWidget* edit = box->Widget();
            const QImage before = edit->grab().toImage();
            QInputMethodEvent preedit(QStringLiteral("shi"), {});
            QApplication::sendEvent(edit, &preedit);
            const bool drawn = edit->grab().toImage() != before;
            QCOMPARE(drawn, box == text);
            QInputMethodEvent end;
            QApplication::sendEvent(edit, &end);
            QCOMPARE(box->GetText(), QString());
        }
    }

    // A form hands the focus to the first control that takes keys, searching nested containers;
    // without one to the first tab stop; without that to its first child.
    void focusGoesOnFromAForm_data() {
        QTest::addColumn<std::shared_ptr<std::function<void(Form&, CVolWinControl*&)>>>("build");
        using Build = std::function<void(Form&, CVolWinControl*&)>;
        const auto row = [](const char* name, Build build) {
            QTest::newRow(name) << std::make_shared<Build>(std::move(build));
        };
        row("the edit inside a box, before a later edit", [](Form& f, CVolWinControl*& expected) {
            f.Add<rg_label>(10, 10);
            f.Add<rg_button1>(10, 10);
            f.Add<rg_edit_box>(10, 10).SetEnabled(false);
            f.Add<rg_edit_box>(10, 10).SetVisible(false);
            f.Add<Box>(0, 40, [&](Box& box) {
                box.Add<rg_button1>(0, 0);
                expected = &box.Add<rg_edit_box>(0, 30);
            });
            f.Add<rg_edit_box>(10, 150);
        });
        row("the first tab stop without an edit", [](Form& f, CVolWinControl*& expected) {
            f.Add<rg_label>(10, 10);
            f.Add<rg_button1>(10, 10).SetVisible(false);
            expected = &f.Add<rg_button1>(10, 40);
            f.Add<rg_check_box>(10, 70);
        });
        row("the first child without a tab stop", [](Form& f, CVolWinControl*& expected) {
            expected = &f.Add<rg_label>(10, 10);
            f.Add<rg_label>(10, 40);
        });
    }

    void focusGoesOnFromAForm() {
        QFETCH(std::shared_ptr<std::function<void(Form&, CVolWinControl*&)>>, build);
        CVolWinControl* expected = nullptr;
        Form form([&](Form& f) { (*build)(f, expected); });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QVERIFY(expected != nullptr);
        QTRY_COMPARE(QApplication::focusWidget(), expected->Widget());
        // The form itself receiving the focus hands it on the same way.
        QApplication::focusWidget()->clearFocus();
        form.Widget()->setFocus();
        QCOMPARE(QApplication::focusWidget(), expected->Widget());
    }

    void focusInsideABoxGoesOnToItsEdit() {
        Box* box = nullptr;
        rg_edit_box* inner = nullptr;
        Form form([&](Form& f) {
            f.Add<rg_edit_box>(10, 10);
            box = &f.Add<Box>(0, 40, [&](Box& b) {
                b.Add<rg_button1>(0, 0);
                inner = &b.Add<rg_edit_box>(0, 30);
            });
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        box->SetFocus();
        QVERIFY(inner->HasFocus());
    }

    // Activated again, a form hands the focus on afresh; focus that the program gave while the
    // window was inactive (as after a dialog) stays where it was given.
    void activationHandsTheFocusOnUnlessTheProgramGaveIt() {
        rg_button1* button = nullptr;
        rg_edit_box* edit = nullptr;
        Form form([&](Form& f) {
            button = &f.Add<rg_button1>(10, 10);
            edit = &f.Add<rg_edit_box>(10, 40);
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QVERIFY(edit->HasFocus());
        QWidget other;
        other.setGeometry(400, 300, 100, 100);
        other.show();
        const auto switchTo = [](QWidget* w) {
            w->activateWindow();
            return QTest::qWaitForWindowActive(w);
        };

        button->SetFocus();
        QVERIFY(switchTo(&other));
        QVERIFY(switchTo(form.Widget()));
        QTRY_VERIFY(edit->HasFocus());

        QVERIFY(switchTo(&other));
        button->SetFocus();
        QVERIFY(switchTo(form.Widget()));
        QTRY_VERIFY(button->HasFocus());
        QTest::qWait(20);
        QVERIFY(button->HasFocus());
    }

    // Centred with its menu bar counted, and carrying the program's icon, modal or not.
    void formPlacementAndIcon() {
        CRefVolMenu* menu = new CRefVolMenu;
        QVERIFY(LoadMenuDefinition(*menu, QStringLiteral("2\n0\nFile\nFile\n10\n\n\n0\n0\n0\n0\n0\n-1\n"
                                                          "1\nOpen\nOpen\n11\n\n\n0\n0\n0\n0\n0\n-1")));
        // The form's own rule, not the application's icon that every window falls back to.
        const QIcon programIcon = QApplication::windowIcon();
        QApplication::setWindowIcon(QIcon());
        Form form;
        form.SetMenu(menu);
        menu->Release();
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.Widget()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = form.Widget()->geometry();
        QCOMPARE(form.ClientWidget()->height(), 200);
        QCOMPARE(frame.height(), 200 + form.MenuBar()->height());
        QCOMPARE(frame.topLeft(),
                 QPoint((screen.width() - 300) / 2, (screen.height() - frame.height()) / 2));
        QVERIFY(form.Widget()->windowIcon().availableSizes().contains(QSize(48, 48)));

        QList<QSize> hostIcon;
        Form modal([&](Form& f) {
            QTimer::singleShot(0, [&] {
                hostIcon = f.Host()->windowIcon().availableSizes();
                f.EndModal(1);
            });
        });
        QCOMPARE(modal.RunModal(form.Widget()), 1);
        QApplication::setWindowIcon(programIcon);
        QVERIFY(hostIcon.contains(QSize(48, 48)));
    }

    // The desk reads "确定" on the box's button, the text as it stands, the program's icon.
    void messageBoxInTheProgramsLanguage() {
        Form form;  // without a window: the box is ownerless and has no form's icon to take
        QString button;
        Qt::TextFormat format = Qt::AutoText;
        bool icon = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            button = box->button(QMessageBox::Ok)->text();
            format = box->textFormat();
            icon = box->windowIcon().availableSizes().contains(QSize(48, 48));
            box->accept();
        });
        form.ShowMessage(QStringLiteral("俘获到异常,代码值为: 1, 描述为: <b>x</b>"),
                         QStringLiteral("运行时异常"));
        QCOMPARE(button, QStringLiteral("确定"));
        QCOMPARE(format, Qt::PlainText);
        QVERIFY(icon);

        CVDlg_Input dialog(nullptr, QStringLiteral("<i>1-999</i>"), QString(), QString(), 2);
        QCOMPARE(dialog.PromptLabel()->textFormat(), Qt::PlainText);
    }
};

}  // namespace

// With the framework's application object, which loads Qt's translations and sets the icon.
int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    DeskInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DeskInputTest.moc"
