// The preview's pages under an operator's keys and mouse wheel, on a real X display: Page Up,
// Page Down, Home and End turn pages wherever the focus is; the wheel scrolls within a page and
// turns it once the page's edge is in view. Run by under_xvfb.py.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/model/LabelSheetBuilders.h"
#include "grid/CPreviewDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "tests/ui/XDesk.h"

using namespace vantric;
using Window = CPreviewParentDialog;

class PreviewDesktopTest : public QObject {
    Q_OBJECT

    CGridCtrl grid_;

    std::unique_ptr<Window> Open() {
        auto window = std::make_unique<Window>(grid_, std::function<int()>{}, preview::A4Sheet());
        window->show();
        if (!xdesk::Activate(window.get())) {
            return nullptr;
        }
        return window;
    }

  private Q_SLOTS:
    void initTestCase() {
        SetUpSheetGrid(grid_);
        SheetWorkingIntegers ints;
        QCOMPARE(BuildSingleTicketSheet(grid_, u"12", ints), SheetBuildResult::Built);
    }

    void pageKeysTurnPagesWhereverTheFocusIs() {
        auto window = Open();
        QVERIFY(window);
        QCOMPARE(window->PageIndicator()->text(), QStringLiteral("1 / 3"));
        // Each key's page; a key with no page in its direction leaves the page, which the key
        // after it shows.
        const struct {
            const char* key;
            const char* indicator;
        } steps[] = {
            {"Next", "2 / 3"}, {"Next", "3 / 3"},  {"Next", "3 / 3"}, {"Prior", "2 / 3"},
            {"Home", "1 / 3"}, {"Prior", "1 / 3"}, {"End", "3 / 3"},  {"Home", "1 / 3"},
        };
        for (const auto& step : steps) {
            QVERIFY(xdesk::Key(QString::fromLatin1(step.key)));
            QTRY_COMPARE(window->PageIndicator()->text(), QString::fromLatin1(step.indicator));
        }
        // With a button focused the keys still page.
        QVERIFY(xdesk::Key(QStringLiteral("Tab")));
        QTRY_VERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr);
        QVERIFY(xdesk::Key(QStringLiteral("Next")));
        QTRY_COMPARE(window->PageIndicator()->text(), QStringLiteral("2 / 3"));
        QVERIFY(xdesk::Key(QStringLiteral("End")));
        QTRY_COMPARE(window->PageIndicator()->text(), QStringLiteral("3 / 3"));
        QVERIFY(!window->Button(Window::kNext)->isEnabled());
    }

    void wheelScrollsThePageThenTurnsIt() {
        auto window = Open();
        QVERIFY(window);
        CPreviewDialog* view = window->PageView();
        QScrollBar* bar = view->verticalScrollBar();
        const QPoint middle = view->viewport()->rect().center();
        auto wheelDown = [&] { return xdesk::Wheel(view->viewport(), middle, 1); };
        auto wheelUp = [&] { return xdesk::Wheel(view->viewport(), middle, -1); };
        auto bottomInView = [&] {
            return bar->value() + bar->pageStep() >= preview::kSheetGap + view->Paper().paperHeight;
        };

        // Fitted to the height, the whole page is in view: each notch turns a page.
        QVERIFY(wheelDown());
        QTRY_COMPARE(window->PagingState().current, 2);
        QVERIFY(wheelUp());
        QTRY_COMPARE(window->PagingState().current, 1);

        // Zoomed in, a notch scrolls a line down the page.
        QPushButton* zoomIn = window->Button(Window::kZoomIn);
        QVERIFY(xdesk::Click(zoomIn, zoomIn->rect().center()));
        QTRY_VERIFY(view->ZoomSetByButton());
        QVERIFY(!bottomInView());
        QVERIFY(wheelDown());
        QTRY_COMPARE(bar->value(), preview::kLineStep);
        QCOMPARE(window->PagingState().current, 1);
        // Line by line to the page's bottom edge; the notch after it shows page 2 from its top.
        for (int notch = 0; notch < 1000 && !bottomInView(); ++notch) {
            const int before = bar->value();
            QVERIFY(wheelDown());
            QTRY_VERIFY(bar->value() > before);
        }
        QCOMPARE(window->PagingState().current, 1);
        QVERIFY(wheelDown());
        QTRY_COMPARE(window->PagingState().current, 2);
        QCOMPARE(bar->value(), 0);
        // Up from page 2's top: page 1 again, from its bottom.
        QVERIFY(wheelUp());
        QTRY_COMPARE(window->PagingState().current, 1);
        QCOMPARE(bar->value(), bar->maximum());
    }
};

QTEST_MAIN(PreviewDesktopTest)
#include "PreviewDesktopTest.moc"
