#include <QDialog>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/HelpViewer.h"
#include "ui/WindowFramework.h"

namespace {

class RecordingHelp : public vantric::IHelpViewer {
  public:
    RecordingHelp() { previous_ = vantric::SetHelpViewer(this); }
    ~RecordingHelp() override { vantric::SetHelpViewer(previous_); }
    bool Open(const QString& path, int32_t context) override {
        opened.append(path + "#" + QString::number(context));
        return true;
    }
    QStringList opened;

  private:
    vantric::IHelpViewer* previous_;
};

class PlainForm : public CVolWinForm {
  public:
    rg_edit_box Edit;
    rg_label Grip;
    int keysReachingEdit = 0;
    int pressesOnGrip = 0;
    int design = 200;

    int DesignClientWidth() const override { return design; }
    int DesignClientHeight() const override { return design / 2; }

  protected:
    void CreateChildControls() override {
        CreateChild(Edit, 101, 10, 10, 100, 24);
        CreateChild(Grip, 102, 10, 50, 100, 24);
    }
};

// Counts key presses that get past the form to the edit.
class KeyCounter : public QObject {
  public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        keys += e->type() == QEvent::KeyPress ? 1 : 0;
        return false;
    }
};

class FormFeaturesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void f1OpensAnExistingHelpFileOnly() {
        QTemporaryDir dir;
        const QString help = dir.filePath("help.html");
        QFile(help).open(QIODevice::WriteOnly);
        RecordingHelp viewer;
        struct Case {
            QString file;
            int context;
            QString opened;  // empty: the key goes on to the focused control
        } cases[] = {
            {help, 7, help + "#7"},
            {help, 0, help + "#0"},
            {dir.filePath("missing.html"), 0, QString()},
            {QString(), 0, QString()},
        };
        for (const Case& c : cases) {
            PlainForm form;
            form.SetHelpFile(c.file, c.context);
            form.CreateForm();
            KeyCounter counter;
            form.Edit.Widget()->installEventFilter(&counter);
            form.Edit.SetFocus();
            viewer.opened.clear();
            QTest::keyClick(form.Edit.Widget(), Qt::Key_F1);
            QCOMPARE(viewer.opened, c.opened.isEmpty() ? QStringList() : QStringList{c.opened});
            QCOMPARE(counter.keys, c.opened.isEmpty() ? 1 : 0);
        }
        // A name without a folder is the program's folder's.
        QCOMPARE(ResolveHelpFile("vantric.html"),
                 QCoreApplication::applicationDirPath() + "/vantric.html");
    }

    void positionLimitsStartAtOneByOneAndApplyWhenAnswered() {
        for (const bool answer : {false, true}) {
            PlainForm form;
            rg_ChuangKouWeiZhiXianZhiXinXi seen;
            form.Connect(form.PositionLimitEvent, [&](rg_ChuangKouWeiZhiXianZhiXinXi* limits) {
                seen = *limits;
                limits->minimumTrackingSize = {150, 80};
                limits->maximumTrackingSize = {400, 300};
                return answer ? 1 : 0;
            });
            form.CreateForm();
            QCOMPARE(seen.minimumTrackingSize, (rg_CheCunLei{1, 1}));
            QVERIFY(seen.maximumTrackingSize.width >= seen.maximisedSize.width);
            QVERIFY(seen.maximisedSize.width > 0);
            QWidget* w = form.Widget();
            QCOMPARE(w->minimumSize(), answer ? QSize(150, 80) : QSize(0, 0));
            QCOMPARE(w->maximumSize().width(), answer ? 400 : QWIDGETSIZE_MAX);
        }
    }

    void sessionEndAsksEveryFormsCloseQuery() {
        PlainForm keeps;
        PlainForm lets;
        int asked = 0;
        bool refuse = true;
        keeps.Connect(keeps.CloseQueryEvent, [&] {
            ++asked;
            return refuse ? 0 : 1;
        });
        lets.Connect(lets.CloseQueryEvent, [&] {
            ++asked;
            return 1;
        });
        keeps.CreateForm();
        lets.CreateForm();
        QVERIFY(!CVolMFCApp::Instance()->QueryEndSession());
        refuse = false;
        QVERIFY(CVolMFCApp::Instance()->QueryEndSession());
        QVERIFY(asked >= 3);
        QVERIFY(keeps.HasWindow());  // asking closes nothing
    }

    void trayClicksArriveAsMouseRelayKinds() {
        PlainForm form;
        QList<int> kinds;
        form.Connect(form.MouseRelayEvent, [&](int kind) { kinds.append(kind); });
        form.CreateForm();
        form.ShowTrayIcon(QIcon(), "Vantric");
        QSystemTrayIcon* tray = form.TrayIcon();
        QVERIFY(tray != nullptr);
        Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
        Q_EMIT tray->activated(QSystemTrayIcon::DoubleClick);
        Q_EMIT tray->activated(QSystemTrayIcon::Context);
        Q_EMIT tray->activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(kinds.isEmpty());  // relayed from the event loop
        QTRY_COMPARE(kinds, (QList<int>{1, 2, 3}));
        form.DestroyWindow();
        QVERIFY(form.TrayIcon() == nullptr);
    }

    void aFormMadeInsideAnotherIsAChildForm() {
        class Outer : public PlainForm {
          public:
            PlainForm Inner;

          protected:
            void CreateChildControls() override {
                PlainForm::CreateChildControls();
                Inner.SetStartPosition(1);  // ignored by a child
                CreateChild(Inner, 110, 20, 30, 120, 60);
            }
        } outer;
        outer.design = 400;
        outer.CreateForm();
        QWidget* inner = outer.Inner.Widget();
        QVERIFY(outer.Inner.IsChildForm());
        QVERIFY(!outer.IsChildForm());
        QVERIFY(!inner->isWindow());
        QCOMPARE(inner->parentWidget(), outer.ClientWidget());
        QCOMPARE(inner->geometry(), QRect(20, 30, 120, 60));
        QVERIFY(inner->isVisible());

        PlainForm owned;  // a top-level parent gives a window of its own over it
        owned.CreateForm(outer.Widget());
        QVERIFY(owned.Widget()->isWindow());
        QVERIFY(!owned.IsChildForm());
    }

    void modalOwnerFallsBackToTheMainWindowAndKeepsTheFrame() {
        QWidget main;
        CVolMFCApp::Instance()->SetMainWindow(&main);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->hide();  // no active window
        }
        QTRY_VERIFY(QApplication::activeWindow() == nullptr);
        PlainForm form;  // sizable (border kind 1) with both boxes
        QWidget* owner = nullptr;
        Qt::WindowFlags flags;
        QSize smallest;
        QSize largest;
        QTimer::singleShot(0, [&] {
            owner = form.Host()->parentWidget();
            flags = form.Host()->windowFlags();
            smallest = form.Host()->minimumSize();
            largest = form.Host()->maximumSize();
            form.EndModal(1);
        });
        QCOMPARE(form.RunModal(), int64_t{1});
        QCOMPARE(owner, &main);
        QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(smallest != largest);  // it can be resized

        PlainForm box;
        QTimer::singleShot(0, [&] {
            flags = box.Host()->windowFlags();
            smallest = box.Host()->minimumSize();
            largest = box.Host()->maximumSize();
            box.EndModal(2);
        });
        QCOMPARE(box.RunModal(nullptr, true), int64_t{2});
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(smallest, largest);
        CVolMFCApp::Instance()->SetMainWindow(static_cast<QWidget*>(nullptr));
    }

    void aChildThatAsksStartsTheFormsMove() {
        PlainForm form;
        form.SetMovableByClientArea(true);
        form.Grip.SetMovesForm(true);
        form.CreateForm();
        int gripPresses = 0;
        int editPresses = 0;
        struct PressCounter : QObject {
            int* count;
            explicit PressCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                *count += e->type() == QEvent::MouseButtonPress ? 1 : 0;
                return false;
            }
        } onGrip(&gripPresses), onEdit(&editPresses);
        form.Grip.Widget()->installEventFilter(&onGrip);
        form.Edit.Widget()->installEventFilter(&onEdit);
        QTest::mouseClick(form.Grip.Widget(), Qt::LeftButton);
        QTest::mouseClick(form.Edit.Widget(), Qt::LeftButton);
        QCOMPARE(gripPresses, 0);  // taken by the form to move itself
        QCOMPARE(editPresses, 1);
    }
};

}  // namespace

int RunFormFeaturesTest(int argc, char** argv) {
    FormFeaturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormFeaturesTest.moc"
