// The main window from the keyboard, as a person at the packing desk meets it: real key and
// pointer events from xdotool on a private X display (run by tests/ui/under_xvfb.py).
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "Dialogs.h"
#include "MainWindowSupport.h"
#include "TestDoubles.h"
#include "XDesk.h"
#include "ui/CVDlg_Input.h"
#include "ui/CVolMFCApp.h"

namespace {

const QString kRefused = QStringLiteral("请输入合法的   1-999  数量的箱标号");

// The first label's number, or "" while the grid holds no sheet.
QString FirstLabel(rg_my_main_window& w) {
    const CGridCtrl& grid = *w.SheetGrid.Grid();
    return SheetIsEmpty(grid) ? QString() : PageNumbers(grid, 0).first();
}

bool boxHadOkIcon = false;  // the last message box waited for, as it was shown

// Plays a person's steps from the event loop, so that they go on inside the dialogs they open:
// "click add|multi|count", "type TEXT", "keys KEY..."; "dialog", "box", "menu" and "edit" wait
// until the add dialog, a message box, the menu bar or the count edit has the keyboard.
bool Play(rg_my_main_window& w, QStringList steps) {
    const std::map<QString, std::function<bool()>> waits{
        {"dialog", [] { return dynamic_cast<CVDlg_Input*>(QApplication::activeWindow()); }},
        {"box",
         [] {
             auto* box = qobject_cast<QMessageBox*>(QApplication::activeWindow());
             boxHadOkIcon = box != nullptr && !box->button(QMessageBox::Ok)->icon().isNull();
             return box != nullptr;
         }},
        {"menu", [] { return qobject_cast<QMenuBar*>(QApplication::focusWidget()); }},
        {"edit", [&w] { return w.CartonTotalEdit.HasFocus(); }}};
    const std::map<QString, CVolWinControl*> controls{
        {"add", &w.AddTicketButton}, {"multi", &w.MultiModeRadio}, {"count", &w.CartonTotalEdit}};
    bool done = false;
    QObject playing;  // steps still waiting when the time is up go with it
    std::function<void()> next = [&] {
        if (steps.isEmpty()) {
            done = true;
            return;
        }
        QStringList step = steps.first().split(u' ');
        const QString what = step.takeFirst();
        if (waits.count(what) != 0 && !waits.at(what)()) {
            QTimer::singleShot(10, &playing, next);
            return;
        }
        steps.removeFirst();
        QTimer::singleShot(0, &playing, next);  // before acting: it may run a dialog's loop
        if (what == u"click") {
            QWidget* control = controls.at(step[0])->Widget();
            xdesk::Click(control, control->rect().center());
        } else if (what == u"type") {
            xdesk::Type(step.join(u' '));
        } else if (what == u"keys") {
            xdesk::Xdotool(QStringList{"key", "--clearmodifiers"} + step);
        }
    };
    QTimer::singleShot(0, &playing, next);
    return QTest::qWaitFor([&] { return done; }, 20000);
}

}  // namespace

class DeskKeyboardTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void keyboard_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("tickets");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<int>("beeps");
        const QStringList add{"click add", "dialog"};
        const QStringList none;
        QTest::newRow("add 0012: the whole text, 12")
            << add + QStringList{"type 0012", "keys Return"} << QList<int>{12} << none << "" << 0;
        QTest::newRow("add 1000: refused, not 100")
            << add + QStringList{"type 1000", "keys Return"} << QList<int>{}
            << QStringList{kRefused} << "" << 0;
        QTest::newRow("add: Enter on a focused 取消 cancels")
            << add + QStringList{"type 5", "keys Tab Tab Return"} << QList<int>{} << none << ""
            << 0;
        // "0" selected at start: 0, 0, 1 go in, the fourth digit beeps; Enter builds "001".
        QTest::newRow("count edit: fourth digit beeps, Enter builds")
            << QStringList{"type 0012", "keys Return"} << QList<int>{} << none << "1/1" << 1;
        QTest::newRow("count edit: Enter in multi-ticket mode builds nothing")
            << QStringList{"click multi", "click count", "type 12", "keys Return"} << QList<int>{}
            << none << "" << 0;
        QTest::newRow("menu: Alt, Down, Enter chooses 添加")
            << QStringList{"keys alt", "keys Down Return", "dialog", "type 3", "keys Return"}
            << QList<int>{3} << none << "" << 0;
        QTest::newRow("menu: F10, Right, Down, Enter chooses 检测更新")
            << QStringList{"keys F10", "menu", "keys Right Down Return"} << QList<int>{}
            << QStringList{QStringLiteral("该功能暂不提供技术支持")} << "" << 0;
        QTest::newRow("menu: Escape leaves it, keys go to the edit again")
            << QStringList{"keys alt", "keys Escape", "type 7", "keys Return"} << QList<int>{}
            << none << "1/7" << 0;
        QTest::newRow("menu: F10 again leaves it")
            << QStringList{"keys F10", "menu", "keys F10", "edit", "type 7", "keys Return"}
            << QList<int>{} << none << "1/7" << 0;
    }
    void keyboard() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, tickets);
        QFETCH(QStringList, messages);
        QFETCH(QString, firstLabel);
        QFETCH(int, beeps);
        RecordedMessages shown;
        CountingBeeper beeper;
        auto w = OpenMainWindow();
        QVERIFY(xdesk::Activate(w->Widget()));
        QTRY_VERIFY(w->CartonTotalEdit.HasFocus());
        QVERIFY(Play(*w, steps));
        // What the last keys did, once they have arrived.
        QTRY_COMPARE(QList<int>(TicketCounts().begin(), TicketCounts().end()), tickets);
        QTRY_COMPARE(shown.texts, messages);
        QTRY_COMPARE(FirstLabel(*w), firstLabel);
        QTRY_COMPARE(beeper.count, beeps);
    }

    // Windows' look: about four rows in the list's 104 pixels, and a message box's "确定" with
    // no icon beside it.
    void listRowsAndMessageBoxButton() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        QVERIFY(xdesk::Activate(w->Widget()));
        for (const QString count : {"1", "2", "3", "4", "5"}) {
            input.answers.append(count);
            w->AddTicketButton.Click();
        }
        auto* list = static_cast<QTableWidget*>(w->TicketListView.Widget());
        int whole = 0;
        for (int row = 0; row < list->rowCount(); ++row) {
            const QRect r = list->visualRect(list->model()->index(row, 0));
            whole += list->viewport()->rect().contains(r) ? 1 : 0;
            QVERIFY(r.height() > list->fontMetrics().height());  // the text is not cut
        }
        // A Windows list of this size shows about four; 30-pixel rows showed two.
        QVERIFY2(whole == 3 || whole == 4, qPrintable(QString::number(whole)));

        w->CartonTotalEdit.SetFocus();  // "0": refused by the next Enter, with the real box
        QVERIFY(Play(*w, {"keys Return", "box", "keys Return"}));
        QVERIFY(!boxHadOkIcon);
    }
};

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir drives;  // every window reads its settings at start
    qputenv("VANTRIC_DRIVES", drives.path().toUtf8());
    DeskKeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DeskKeyboardTest.moc"
