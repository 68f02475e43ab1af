#include <QKeyEvent>
#include <QSet>
#include <QTest>
#include <QTimer>

#include "TestDoubles.h"
#include "base/CVolException.h"
#include "platform/ScreenDpi.h"
#include "ui/WindowFramework.h"

namespace {

// What the probe program does in its start routine, and what it saw.
struct Script {
    enum class Start { CreateForm, ReturnZero, ThrowVol, ThrowOther } start = Start::CreateForm;
    int exitHooks = 0;
    int idleHooks = 0;
    int destroyed = 0;
    int swallowKey = 0;  // a key the program's PreTranslateHook swallows
    bool closeFromIdle = false;
    bool wantMoreIdle = false;
    std::function<void(int64_t)> onIdle;  // runs in IdleHook
    QList<int64_t> idleTimes;          // what IdleHook was given
    QSet<QEvent::Type> kindsSeen;     // what PreTranslateHook was given
};
Script script;

const QString kMenu = QStringLiteral(
    "2\n0\nFile\nFile\n10\n\n\n0\n0\n0\n0\n0\n-1\n1\nOpen\nOpen\n11\n\nF5\n1\n0\n0\n0\n0\n-1");

class ProbeForm : public CVolWinForm {
  public:
    rg_edit_box Edit;
    QList<int> commands;
    ProbeForm() {
        Connect(CommandEvent, [this](int32_t id) { commands.append(id); });
    }
    int DesignClientWidth() const override { return 100; }
    int DesignClientHeight() const override { return 50; }

  protected:
    void CreateChildControls() override { CreateChild(Edit, 101, 5, 5, 80, 24); }
};

class rg_probe_program : public rg_ChuangKouChengXuLei {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d =
            MakeClassDescriptor("rg_probe_program", [] { return new rg_probe_program; },
                                {&rg_ChuangKouChengXuLei::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
    ~rg_probe_program() override { ++script.destroyed; }

    ProbeForm Form;

    int StartRoutine() override {
        switch (script.start) {
            case Script::Start::ReturnZero:
                return 0;
            case Script::Start::ThrowVol:
                throw CVolException(7, QStringLiteral("坏了"));
            case Script::Start::ThrowOther:
                throw 42;
            case Script::Start::CreateForm:
                break;
        }
        CRefVolMenu* menu = new CRefVolMenu;
        menu->Load(kMenu);
        Form.SetMenu(menu);
        menu->Release();
        if (Form.CreateForm() == 0) {
            return 0;
        }
        CVolMFCApp::Instance()->SetMainWindow(Form);
        return 1;
    }
    int PreTranslateHook(QObject*, QEvent* event) override {
        script.kindsSeen.insert(event->type());
        return event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == script.swallowKey
                   ? 0
                   : 1;
    }
    int IdleHook(int64_t elapsed) override {
        ++script.idleHooks;
        script.idleTimes.append(elapsed);
        if (script.onIdle) {
            script.onIdle(elapsed);
        }
        if (script.wantMoreIdle) {
            return 1;
        }
        if (script.closeFromIdle) {
            Form.Close();
        }
        return 0;
    }
    void ExitHook() override { ++script.exitHooks; }
};

// Not a program at all.
class rg_not_a_program : public CVolObject {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d = MakeClassDescriptor(
            "rg_not_a_program", [] { return new rg_not_a_program; }, {&CVolObject::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
};

bool NoDebugger() {
    return false;
}
bool Debugger() {
    return true;
}

class StartUpTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() {
        script = Script();
        CVolMFCApp::SetDebuggerProbe(&NoDebugger);
    }
    void cleanup() {
        CVolMFCApp::SetDebuggerProbe(nullptr);
        vantric::OverrideScreenDpi(0);
        SetScaleFactor(1.0);
    }

    void aClassThatIsNoProgramEndsAtOnce() {
        RecordingMessages messages;
        QCOMPARE(CVolMFCApp::Instance()->Run(rg_not_a_program::StaticClass()), -1);
        QVERIFY(messages.texts.isEmpty());
        QVERIFY(CVolMFCApp::Instance()->ProgramObject() == nullptr);
    }

    void startRoutineExceptionsAreReported_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::newRow("runtime exception")
            << int(Script::Start::ThrowVol)
            << QStringLiteral("俘获到异常,代码值为: 7, 描述为: 坏了");
        QTest::newRow("anything else")
            << int(Script::Start::ThrowOther) << QStringLiteral("程序在运行时抛出了未被管理的异常");
    }
    void startRoutineExceptionsAreReported() {
        QFETCH(int, start);
        QFETCH(QString, text);
        script.start = static_cast<Script::Start>(start);
        RecordingMessages messages;
        QCOMPARE(CVolMFCApp::Instance()->Run(rg_probe_program::StaticClass()), -1);
        QCOMPARE(messages.texts, QStringList{text});
        QCOMPARE(messages.captions, QStringList{QStringLiteral("运行时异常")});
        QCOMPARE(messages.owners, (QList<QWidget*>{nullptr}));
        QCOMPARE(messages.icons, (QList<MessageIcon>{MessageIcon::Error}));
        QCOMPARE(script.exitHooks, 0);  // ExitInstance does not run
    }

    void underADebuggerTheExceptionIsNotCaught() {
        CVolMFCApp::SetDebuggerProbe(&Debugger);
        script.start = Script::Start::ThrowVol;
        RecordingMessages messages;
        bool escaped = false;
        try {
            CVolMFCApp::Instance()->InitInstance(rg_probe_program::StaticClass());
        } catch (const CVolException& e) {
            escaped = e.Code() == 7;
        }
        QVERIFY(escaped);
        QVERIFY(messages.texts.isEmpty());
        CVolMFCApp::Instance()->ExitInstance();
    }

    void aStartRoutineThatFailsGoesStraightToExit() {
        script.start = Script::Start::ReturnZero;
        QCOMPARE(CVolMFCApp::Instance()->Run(rg_probe_program::StaticClass()), 0);
        QCOMPARE(script.exitHooks, 1);
        QCOMPARE(script.destroyed, 1);
        QCOMPARE(script.idleHooks, 0);
    }

    void aRunShowsTheMainFormUntilItCloses() {
        vantric::OverrideScreenDpi(144);
        script.closeFromIdle = true;  // the program's idle hook closes the form
        QCOMPARE(CVolMFCApp::Instance()->Run(rg_probe_program::StaticClass()), 0);
        QCOMPARE(ScaleFactor(), 1.5);  // fixed once at start-up
        QVERIFY(script.idleHooks >= 1);
        QCOMPARE(script.exitHooks, 1);
        QCOMPARE(script.destroyed, 1);
    }

    void idleCountsZeroAndOneNeverReachTheHook() {
        CVolMFCApp* app = CVolMFCApp::Instance();
        QVERIFY(app->InitInstance(rg_probe_program::StaticClass()));
        QVERIFY(app->ProgramObject() != nullptr);
        QVERIFY(app->OnIdle(0));
        QVERIFY(app->OnIdle(1));
        QCOMPARE(script.idleHooks, 0);
        QVERIFY(!app->OnIdle(2));  // the hook answers 0
        QCOMPARE(script.idleHooks, 1);
        app->ExitInstance();
        QVERIFY(!app->OnIdle(0));  // without a program object only Qt idles
    }

    void programHookSeesEveryKindOfQueuedEvent() {
        CVolMFCApp* app = CVolMFCApp::Instance();
        QVERIFY(app->InitInstance(rg_probe_program::StaticClass()));
        auto* program = static_cast<rg_probe_program*>(app->ProgramObject());
        QVERIFY(QTest::qWaitForWindowExposed(program->Form.Widget()));
        bool called = false;
        QMetaObject::invokeMethod(program->Form.Widget(), [&] { called = true; },
                                  Qt::QueuedConnection);
        QTimer timer;
        timer.start(1);
        QTest::keyClick(program->Form.Edit.Widget(), Qt::Key_A);
        QTRY_VERIFY(called);
        QTRY_VERIFY(script.kindsSeen.contains(QEvent::Timer));
        for (QEvent::Type kind : {QEvent::MetaCall, QEvent::KeyPress, QEvent::Expose}) {
            QVERIFY2(script.kindsSeen.contains(kind), qPrintable(QString::number(kind)));
        }
        app->ExitInstance();
    }

    void newEventsStartTheIdleCountAgain() {
        // The program asks for idle calls on and on; IdleHook is given the time since the idle
        // period began, which starts again when an event arrives. Once 40 ms of idling have
        // passed, a key arrives; the idle calls after it must count from a new period.
        script.wantMoreIdle = true;
        qsizetype keyAt = -1;
        script.onIdle = [&](int64_t elapsed) {
            auto* program =
                static_cast<rg_probe_program*>(CVolMFCApp::Instance()->ProgramObject());
            if (keyAt < 0 && elapsed >= 40) {
                keyAt = script.idleTimes.size();
                QCoreApplication::postEvent(program->Form.Edit.Widget(),
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_B, {}, "b"));
            } else if (keyAt >= 0 && script.idleTimes.size() > keyAt + 3) {
                script.wantMoreIdle = false;
                script.onIdle = nullptr;
                program->Form.Close();
            }
        };
        QCOMPARE(CVolMFCApp::Instance()->Run(rg_probe_program::StaticClass()), 0);
        QVERIFY(keyAt > 0);
        const QList<int64_t> after = script.idleTimes.mid(keyAt);
        QVERIFY(!after.isEmpty());
        QVERIFY2(*std::min_element(after.begin(), after.end()) < 40,
                 qPrintable(QString::number(after.first())));
    }

    void programHookSeesKeysBeforeAccelerators() {
        CVolMFCApp* app = CVolMFCApp::Instance();
        QVERIFY(app->InitInstance(rg_probe_program::StaticClass()));
        auto* program = static_cast<rg_probe_program*>(app->ProgramObject());
        ProbeForm& form = program->Form;
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        form.Edit.SetFocus();
        QTest::keyClick(form.Edit.Widget(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(form.commands, (QList<int>{11}));
        script.swallowKey = Qt::Key_F5;
        QTest::keyClick(form.Edit.Widget(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(form.commands.size(), 1);  // swallowed before the accelerator
        script.swallowKey = Qt::Key_Q;
        QTest::keyClicks(form.Edit.Widget(), "aqb");
        QCOMPARE(form.Edit.GetText(), "ab");
        app->ExitInstance();
    }
};

}  // namespace

int RunStartUpTest(int argc, char** argv) {
    StartUpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartUpTest.moc"
