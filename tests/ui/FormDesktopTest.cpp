#include <QTest>

#include "XDesk.h"
#include "ui/WindowFramework.h"

namespace {

class SmallForm : public CVolWinForm {
  public:
    int DesignClientWidth() const override { return 200; }
    int DesignClientHeight() const override { return 100; }
};

class FormDesktopTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void aFormThatMayNotBeMovedStaysInPlace() {
        for (const bool movable : {true, false}) {
            SmallForm form;
            form.SetMovable(movable);
            form.CreateForm();
            QWidget* w = form.Widget();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const QPoint start = w->pos();
            QVERIFY(xdesk::MoveWindow(w, start.x() + 90, start.y() + 60));
            if (movable) {
                QTRY_COMPARE(w->pos(), start + QPoint(90, 60));
            } else {
                QTest::qWait(200);
                QTRY_COMPARE(w->pos(), start);
                QCOMPARE(w->geometry().topLeft(), form.Widget()->geometry().topLeft());
            }
        }
    }
};

}  // namespace

int RunFormDesktopTest(int argc, char** argv) {
    FormDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormDesktopTest.moc"
