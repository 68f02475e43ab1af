#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ui/WindowFramework.h"

namespace {

// Version 2: "View" (10) holds "Grid" (11, checked), "Ruler" (12), a submenu "Zoom" (13) with
// "Fit" (14), and a second item with id 11 ("Grid again", greyed).
const QString kMenu = QStringLiteral(
    "2\n"
    "0\nView\nView\n10\n\n\n0\n0\n0\n0\n0\n-1\n"
    "1\nGrid\nGrid\n11\n\n\n0\n0\n0\n1\n0\n-1\n"
    "1\nRuler\nRuler\n12\n\n\n0\n0\n0\n0\n0\n-1\n"
    "1\nZoom\nZoom\n13\n\n\n0\n0\n0\n0\n0\n-1\n"
    "2\nFit\nFit\n14\n\n\n0\n0\n0\n0\n0\n-1\n"
    "1\nGrid again\nGrid2\n11\n\n\n0\n0\n0\n0\n1\n-1");

struct Built {
    CRefVolMenu* menu = new CRefVolMenu;
    QWidget owner;
    QMenuBar* bar = nullptr;
    QList<int> commands;
    QList<int> highlights;
    Built() {
        menu->Load(kMenu);
        CRefVolMenu::Sink sink;
        sink.command = [this](int32_t id) { commands.append(id); };
        sink.highlighted = [this](int32_t id) { highlights.append(id); };
        bar = menu->CreateMenuBar(&owner, sink);
    }
    ~Built() { menu->Release(); }
    QMenu* View() const { return bar->actions()[0]->menu(); }
    QAction* Item(int i) const { return View()->actions()[i]; }  // Grid, Ruler, Zoom, Grid again
};

class MenuObjectTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void choosingAnItemKeepsItsCheckMark() {
        Built b;
        QAction* grid = b.Item(0);
        QAction* ruler = b.Item(1);
        QVERIFY(grid->isChecked());
        QVERIFY(!ruler->isCheckable());  // no empty box beside an unchecked item
        for (int round = 0; round < 2; ++round) {
            grid->trigger();
            ruler->trigger();
        }
        QCOMPARE(b.commands, (QList<int>{11, 12, 11, 12}));
        QVERIFY(grid->isChecked());
        QVERIFY(!ruler->isChecked());
        QVERIFY(b.menu->IsItemChecked(11));

        // Only the check operation changes a mark, and it changes the first item with the id.
        b.menu->SetItemChecked(12, true);
        b.menu->SetItemChecked(11, false);
        QVERIFY(ruler->isChecked());
        QVERIFY(!grid->isChecked());
        ruler->trigger();
        QVERIFY(ruler->isChecked());
        QVERIFY(!b.Item(3)->isChecked());
    }

    void enablingActsOnTheFirstItemWithTheId() {
        Built b;
        QAction* again = b.Item(3);
        QVERIFY(!again->isEnabled());
        b.menu->SetItemEnabled(11, false);
        QVERIFY(!b.Item(0)->isEnabled());
        b.menu->SetItemEnabled(11, true);
        QVERIFY(b.Item(0)->isEnabled());
        QVERIFY(!again->isEnabled());  // the second item with id 11 stays as defined
        QVERIFY(b.menu->IsItemEnabled(11));
    }

    void highlightGivesTheIdOrZeroForDropDowns() {
        Built b;
        Q_EMIT b.View()->hovered(b.Item(1));  // "Ruler"
        Q_EMIT b.View()->hovered(b.Item(2));  // "Zoom" opens a submenu
        QMenu* zoom = b.Item(2)->menu();
        Q_EMIT zoom->hovered(zoom->actions()[0]);
        Q_EMIT b.bar->hovered(b.bar->actions()[0]);  // the bar's own "View"
        QCOMPARE(b.highlights, (QList<int>{12, 0, 14, 0}));
    }
};

}  // namespace

int RunMenuObjectTest(int argc, char** argv) {
    MenuObjectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MenuObjectTest.moc"
