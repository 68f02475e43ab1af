#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestDoubles.h"
#include "ui/WindowFramework.h"

namespace {

class TwoEditForm : public CVolWinForm {
  public:
    rg_edit_box First;
    rg_edit_box Second;
    int DesignClientWidth() const override { return 200; }
    int DesignClientHeight() const override { return 100; }

  protected:
    void CreateChildControls() override {
        CreateChild(First, 101, 10, 10, 100, 24);
        CreateChild(Second, 102, 10, 50, 100, 24);
    }
};

// Answers the input dialog that is about to open with `keys`, then `finish`.
void AnswerInputDialog(const QString& keys, Qt::Key finish, CVDlg_Input** seen = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* dialog = dynamic_cast<CVDlg_Input*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        if (seen != nullptr) {
            *seen = dialog;
        }
        QTest::keyClicks(dialog->ActiveEdit(), keys);
        QTest::keyClick(dialog->ActiveEdit(), finish);
    });
}

class DialogsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void showMessageIsOwnedByTheFormAndGivesFocusBack() {
        RecordingMessages messages;
        TwoEditForm form;
        form.ShowMessage("no window", "提示");
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        form.First.SetFocus();
        messages.whileShown = [&] { form.Second.SetFocus(); };  // the box takes the focus
        QCOMPARE(form.ShowMessage(QStringLiteral("请输入   1-999  数量的箱标号"),
                                  QStringLiteral("温馨提示")),
                 1);
        QCOMPARE(messages.owners, (QList<QWidget*>{nullptr, form.Widget()}));
        QCOMPARE(messages.captions.last(), QStringLiteral("温馨提示"));
        QCOMPARE(messages.icons.last(), MessageIcon::None);
        QVERIFY(form.First.HasFocus());
    }

    void realMessageBoxHasOkOnly() {
        TwoEditForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        form.Second.SetFocus();
        QString text;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            text = box->text() + "|" + box->windowTitle();
            buttons = static_cast<int>(box->buttons().size());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(form.ShowMessage("text", "caption"), 1);
        QCOMPARE(text, "text|caption");
        QCOMPARE(buttons, 1);
        QTRY_VERIFY(form.Second.HasFocus());
    }

    void askInputEnterConfirmsAndFiltersTyping() {
        CountingBeeper beeper;
        TwoEditForm form;
        form.CreateForm();
        CVDlg_Input* dialog = nullptr;
        AnswerInputDialog("1a-2", Qt::Key_Return, &dialog);
        QString result = "stale";
        QVERIFY(form.AskInput(QStringLiteral("箱数"), "Count", "", 2, result));
        QCOMPARE(result, "1-2");
        QCOMPARE(beeper.count, 1);  // the "a"
        QCOMPARE(beeper.last, vantric::BeepKind::Asterisk);
    }

    void askInputEscapeCancelsWithEmptyText() {
        TwoEditForm form;
        form.CreateForm();
        AnswerInputDialog("99", Qt::Key_Escape);
        QString result = "stale";
        QVERIFY(!form.AskInput("", "", "5", 0, result));
        QCOMPARE(result, QString());
    }

    void initialTextIsSelectedSoTypingReplacesIt() {
        TwoEditForm form;
        AnswerInputDialog("7", Qt::Key_Enter);
        QString result;
        QVERIFY(form.AskInput("prompt", "", "123", 2, result));
        QCOMPARE(result, "7");
    }

    void bothLayouts() {
        CVDlg_Input withPrompt(nullptr, QStringLiteral("请输入箱数"), "", "x", 0);
        CVDlg_Input without(nullptr, "", QStringLiteral("添加"), "", 4);
        QVERIFY(withPrompt.HasPrompt());
        QCOMPARE(withPrompt.PromptLabel()->text(), QStringLiteral("请输入箱数"));
        QCOMPARE(withPrompt.windowTitle(), QStringLiteral("请输入："));
        QVERIFY(!without.HasPrompt());
        QCOMPARE(without.windowTitle(), QStringLiteral("添加"));
        QVERIFY(without.width() < withPrompt.width());
        QVERIFY(without.height() < withPrompt.height());
        QCOMPARE(withPrompt.OkButton()->text(), QStringLiteral("确认输入(&O)"));
        QVERIFY(withPrompt.OkButton()->isDefault());
        QCOMPARE(withPrompt.CancelButton()->text(), QStringLiteral("取消(&C)"));
        // Mode 4 uses the password edit; the other edit stays hidden.
        QCOMPARE(without.ActiveEdit(), without.PasswordEdit());
        QCOMPARE(without.PasswordEdit()->echoMode(), QLineEdit::Password);
        QVERIFY(without.PlainEdit()->isHidden());
        QVERIFY(withPrompt.PasswordEdit()->isHidden());
        QCOMPARE(withPrompt.ActiveEdit()->selectedText(), "x");
    }

    void inputServiceCanBeReplaced() {
        struct Fixed : IInputService {
            bool AskInput(QWidget*, const QString& prompt, const QString&, const QString&, int mode,
                          QString& result) override {
                result = prompt + QString::number(mode);
                return true;
            }
        } fixed;
        IInputService* previous = SetInputService(&fixed);
        TwoEditForm form;
        QString result;
        QVERIFY(form.AskInput("n", "", "", 2, result));
        QCOMPARE(result, "n2");
        SetInputService(previous);
    }
};

}  // namespace

int RunDialogsTest(int argc, char** argv) {
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogsTest.moc"
