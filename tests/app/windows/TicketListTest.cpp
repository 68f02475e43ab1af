// Multi-ticket mode: the ticket list with its summary, the delete commands, the multi-ticket
// sheet, the main menu and the list's context menu.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QOperatingSystemVersion>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "Dialogs.h"
#include "MainWindowSupport.h"
#include "ui/MenuDefinition.h"

namespace {

QTableWidget* List(rg_my_main_window& w) {
    return static_cast<QTableWidget*>(w.TicketListView.Widget());
}

// A left click on the first cell of `row`, or below the last row when `row` is -1.
void ClickList(rg_my_main_window& w, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTableWidget* list = List(w);
    QPoint at(20, list->viewport()->height() - 5);
    if (row >= 0) {
        at = list->visualItemRect(list->item(row, 0)).center();
    }
    QTest::mouseClick(list->viewport(), button, {}, at);
}

QList<QStringList> Rows(rg_my_main_window& w) {
    QList<QStringList> rows;
    for (int r = 0; r < w.TicketListView.RowCount(); ++r) {
        rows.append({w.TicketListView.CellText(r, 0), w.TicketListView.CellText(r, 1)});
    }
    return rows;
}

// Adds tickets through the "添加" button, one scripted answer each.
void AddTickets(rg_my_main_window& w, ScriptedInput& input, const QStringList& counts) {
    for (const QString& count : counts) {
        input.answers.append(count);
        w.AddTicketButton.Click();
    }
}

QAction* MenuBarAction(rg_my_main_window& w, const QString& text) {
    for (QAction* top : w.MenuBar()->actions()) {
        if (top->menu() == nullptr) {
            continue;
        }
        for (QAction* a : top->menu()->actions()) {
            if (a->text() == text) {
                return a;
            }
        }
    }
    return nullptr;
}

// A path on drive D as a message names it: on Windows as Windows writes it ("D:\data\dypz.ini"
// for "data/dypz.ini"), elsewhere the file under the drive root.
QString ShownOnDriveD(const QString& onDriveD) {
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows) {
        return QStringLiteral("D:\\") + QString(onDriveD).replace(u'/', u'\\');
    }
    return qEnvironmentVariable("VANTRIC_DRIVES") + QStringLiteral("/D/") + onDriveD;
}

}  // namespace

class TicketListTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void addedTicketsShowInTheListAndTheSummary() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"3", "2"});
        QCOMPARE(Rows(*w), (QList<QStringList>{{"1", "3"}, {"2", "2"}}));
        QCOMPARE(TicketCounts(), (TicketCountArray{3, 2}));
        // 3 + 2 = 5 labels; 4 - 5 % 4 = 3 fillers.
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("[2]票箱标总数：5 需补数：3"));
        QCOMPARE(input.titles.value(0), QStringLiteral("提示"));
        QCOMPARE(input.prompts.value(0), QStringLiteral("输入1-999数量"));
        QCOMPARE(input.initialTexts.value(0), QString());
        QCOMPARE(input.modes.value(0), 2);
        QCOMPARE(input.owners.value(0), w->Widget());
        // Adding neither selects the row nor enables the delete commands.
        QCOMPARE(w->TicketListView.CurrentSelection(), -1);
        QVERIFY(!w->DeleteTicketButton.IsEnabled());
    }

    void countsAreReadWholeAndChecked_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("added");  // 0: refused
        QTest::newRow("1234") << "1234" << 0;
        QTest::newRow("blank 7") << " 7" << 7;
        QTest::newRow("abcd") << "abcd" << 0;
        QTest::newRow("-12") << "-12" << 0;
        QTest::newRow("000123") << "000123" << 123;
    }
    void countsAreReadWholeAndChecked() {
        QFETCH(QString, typed);
        QFETCH(int, added);
        RecordedMessages messages;
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {typed});
        if (added > 0) {
            QCOMPARE(TicketCounts(), TicketCountArray{added});
            QCOMPARE(Rows(*w), (QList<QStringList>{{"1", QString::number(added)}}));
            QVERIFY(messages.texts.isEmpty());
        } else {
            QVERIFY(TicketCounts().empty());
            QCOMPARE(w->TicketListView.RowCount(), 0);
            QCOMPARE(messages.texts,
                     QStringList{QStringLiteral("请输入合法的   1-999  数量的箱标号")});
            QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
            QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("多票箱标总数：0"));
        }
    }

    void cancellingAddsNothingAndSaysNothing() {
        RecordedMessages messages;
        ScriptedInput input;
        auto w = OpenMainWindow();
        QApplication::setActiveWindow(w->Widget());
        w->CartonTotalEdit.SetFocus();
        input.answers.append(std::nullopt);
        w->AddTicketButton.Click();
        QVERIFY(TicketCounts().empty());
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("多票箱标总数：0"));
        QCOMPARE(QApplication::focusWidget(), w->AddTicketButton.Widget());
    }

    void deletingARowKeepsTheOtherIds() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"1", "2", "3"});
        ClickList(*w, 1);
        QCOMPARE(w->TicketListView.CurrentSelection(), 1);
        QVERIFY(w->DeleteTicketButton.IsEnabled());
        QVERIFY(MenuBarAction(*w, "删除")->isEnabled());

        w->DeleteTicketButton.Click();
        QCOMPARE(Rows(*w), (QList<QStringList>{{"1", "1"}, {"3", "3"}}));
        QCOMPARE(TicketCounts(), (TicketCountArray{1, 3}));
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("[2]票箱标总数：4 需补数：0"));
        QVERIFY(!w->DeleteTicketButton.IsEnabled());
        QVERIFY(!MenuBarAction(*w, "删除")->isEnabled());
        QCOMPARE(w->TicketListView.CurrentSelection(), -1);

        // Two rows before it, so the new row is ID 3 too.
        AddTickets(*w, input, {"5"});
        QCOMPARE(Rows(*w), (QList<QStringList>{{"1", "1"}, {"3", "3"}, {"3", "5"}}));
    }

    void deleteWithoutASelectionDoesNothing() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"4"});
        QVERIFY(MenuBarAction(*w, "删除")->isEnabled());  // as built, before any click
        w->DeliverCommand(20003);
        QCOMPARE(TicketCounts(), TicketCountArray{4});
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("[1]票箱标总数：4 需补数：0"));
    }

    void clickingEmptySpaceDisablesTheDeleteCommands() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"4", "6"});
        ClickList(*w, 0);
        QVERIFY(w->DeleteTicketButton.IsEnabled());
        ClickList(*w, -1);
        QCOMPARE(w->TicketListView.CurrentSelection(), -1);
        QVERIFY(!w->DeleteTicketButton.IsEnabled());
        QVERIFY(!MenuBarAction(*w, "删除")->isEnabled());
    }

    void deleteAllEmptiesTheListAndTheGrid() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"3", "2"});
        w->MultiModeRadio.Click();
        w->MultiSheetButton.Click();
        QVERIFY(!SheetIsEmpty(*w->SheetGrid.Grid()));
        ClickList(*w, 0);

        w->DeliverCommand(20005);
        QCOMPARE(w->TicketListView.RowCount(), 0);
        QVERIFY(TicketCounts().empty());
        QCOMPARE(w->TicketSummaryLabel.GetText(), QStringLiteral("[0]票箱标总数：0 需补数：0"));
        QVERIFY(SheetIsEmpty(*w->SheetGrid.Grid()));
        QVERIFY(!w->DeleteTicketButton.IsEnabled());
    }

    void theMultiTicketSheetLeavesTheListAsItWas() {
        RecordedMessages messages;
        ScriptedInput input;
        auto w = OpenMainWindow();
        w->MultiModeRadio.Click();
        w->CartonTotalEdit.SetText(QStringLiteral("1"));
        w->SingleModeRadio.Click();
        w->SingleSheetButton.Click();
        w->MultiModeRadio.Click();

        w->MultiSheetButton.Click();  // an empty list: refused, the single sheet stays
        QCOMPARE(messages.texts, QStringList{QStringLiteral("请添加多票  1-999  数量的箱标号")});
        QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
        QCOMPARE(PageNumbers(*w->SheetGrid.Grid(), 0), (QStringList{"1/1", "1/3", "2/3", "3/3"}));

        AddTickets(*w, input, {"3", "2"});
        w->MultiSheetButton.Click();
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QCOMPARE(grid.RowCount(), 2 * 7);
        QCOMPARE(PageNumbers(grid, 0), (QStringList{"1/3", "2/3", "3/3", "1/2"}));
        QCOMPARE(PageNumbers(grid, 1), (QStringList{"2/2", "1/3", "2/3", "3/3"}));
        QCOMPARE(TicketCounts(), (TicketCountArray{3, 2}));
        QCOMPARE(Rows(*w), (QList<QStringList>{{"1", "3"}, {"2", "2"}}));
        QCOMPARE(messages.texts.size(), 1);
    }

    void theMenuBarHasBothDropDownsWithSeparatorIds() {
        auto w = OpenMainWindow();
        CRefVolMenu* menu = w->Menu();
        QVERIFY(menu != nullptr && menu->IsLoaded());
        const MenuDefinition& d = menu->Definition();
        QCOMPARE(d.bar.size(), size_t{2});
        QVERIFY(d.accelerators.empty());
        auto items = [](const MenuNode& dropDown) {
            QStringList list;
            for (const MenuNode& n : dropDown.children) {
                list << QStringLiteral("%1 %2").arg(n.separator ? "-" : n.caption).arg(n.commandId);
            }
            return list;
        };
        QCOMPARE(d.bar[0].caption, QStringLiteral("操作"));
        QCOMPARE(d.bar[0].commandId, 20000);
        // Separators are numbered on from the greatest command id, 20010, in menu order.
        QCOMPARE(items(d.bar[0]), (QStringList{"添加 20001", "- 20011", "删除 20003", "- 20012",
                                               "删除全部 20005", "- 20013", "打印预览边距 20010"}));
        QCOMPARE(d.bar[1].caption, QStringLiteral("帮助"));
        QCOMPARE(d.bar[1].commandId, 20006);
        QCOMPARE(items(d.bar[1]), (QStringList{"检测更新 20008", "- 20014", "关于 20007"}));
        QCOMPARE(d.bar[1].children[0].description, QStringLiteral("还未编写功能"));

        QStringList titles;
        for (QAction* a : w->MenuBar()->actions()) {
            titles << a->text();
        }
        QCOMPARE(titles, (QStringList{"操作", "帮助"}));
    }

    void theContextMenuIsFreshAndHasOnlyTheOperations() {
        ScriptedInput input;
        auto w = OpenMainWindow();
        AddTickets(*w, input, {"2", "3"});
        ClickList(*w, 0);
        w->DeleteTicketButton.Click();
        QVERIFY(!MenuBarAction(*w, "删除")->isEnabled());

        QStringList shown;
        bool deleteEnabled = false;
        QPoint shownAt;
        QTimer::singleShot(0, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popup == nullptr) {
                return;
            }
            shownAt = popup->pos();
            for (QAction* a : popup->actions()) {
                shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (a->text() == QStringLiteral("删除全部")) {
                    a->trigger();  // chosen: reaches the window as a menu command
                } else if (a->text() == QStringLiteral("删除")) {
                    deleteEnabled = a->isEnabled();
                }
            }
            popup->close();
        });
        QCursor::setPos(QPoint(300, 200));
        ClickList(*w, -1, Qt::RightButton);
        QCOMPARE(shown, (QStringList{"添加", "-", "删除", "-", "删除全部", "-", "打印预览边距"}));
        QVERIFY(deleteEnabled);
        QCOMPARE(shownAt, QPoint(300, 200));  // at the mouse
        QVERIFY(!MenuBarAction(*w, "删除")->isEnabled());
        QTRY_VERIFY(TicketCounts().empty());
        QCOMPARE(w->TicketListView.RowCount(), 0);
    }

    void helpCommandsShowTheirMessages_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("20008 check for updates") << 20008 << "该功能暂不提供技术支持"
                                                 << "提示";
        QTest::newRow("20007 about")
            << 20007
            << "Vantric（作者：Vantric）为本软件提供技术支持，本软件完全免费，官方网站："
               "https://vantric.example.com"
            << "关于";
    }
    void helpCommandsShowTheirMessages() {
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        RecordedMessages messages;
        auto w = OpenMainWindow();
        QCOMPARE(w->DeliverCommand(command), 1);
        QCOMPARE(messages.texts, QStringList{text});
        QCOMPARE(messages.captions, QStringList{caption});
        QCOMPARE(messages.owners.value(0), w->Widget());
    }

    void marginCommandOpensAFreshWindowEachTime() {
        RecordedMessages messages;
        auto w = OpenMainWindow();
        QList<const QWidget*> windows;
        QStringList titles;
        std::function<void()> closeIt = [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            windows << modal;
            titles << modal->windowTitle();
            modal->close();
        };
        QTimer::singleShot(0, closeIt);
        QCOMPARE(w->DeliverCommand(20010), 1);
        QTimer::singleShot(0, closeIt);
        w->DeliverCommand(20010);
        QCOMPARE(titles, QStringList(2, QStringLiteral("打印预览边距设置")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(w->DeliverCommand(20002), 0);  // a separator's id or any other: nothing
        QVERIFY(messages.texts.isEmpty());
    }

    // "保存设置" that cannot reach the file says so, naming the file and the reason the save met;
    // "重置默认" and the load on opening stay silent. The file and its folder are named as the
    // system writes them (ShownOnDriveD).
    void aMarginSaveTheFileRefusesIsTold_data() {
        QTest::addColumn<bool>("readOnlyFile");  // else: no drive D
        QTest::addColumn<QString>("reason");
        QTest::newRow("no drive D") << false << "无法建立文件夹 " + ShownOnDriveD("data") + "：";
        QTest::newRow("read-only file") << true << "只读";
    }
    void aMarginSaveTheFileRefusesIsTold() {
        QFETCH(bool, readOnlyFile);
        QFETCH(QString, reason);
        const QString settings = qEnvironmentVariable("VANTRIC_DRIVES") + "/D/data/dypz.ini";
        if (readOnlyFile) {
            QDir().mkpath(QFileInfo(settings).path());
            QFile file(settings);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[打印预览边距]\r\n页眉=60\r\n");
            file.close();
            QVERIFY(QFile::setPermissions(settings, QFileDevice::ReadOwner));
        }
        const auto removeDriveD = qScopeGuard([&] {
            QFile::setPermissions(settings, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QDir(qEnvironmentVariable("VANTRIC_DRIVES") + "/D").removeRecursively();
        });
        RecordedMessages messages;
        auto w = OpenMainWindow();
        bool ownedByTheMarginWindow = false;
        QTimer::singleShot(0, [&] {
            QWidget* margins = QApplication::activeModalWidget();
            QVERIFY(margins != nullptr);
            const auto click = [&](int id) {
                for (auto* b : margins->findChildren<QAbstractButton*>()) {
                    if (b->property(kControlIdProperty).toInt() == id) {
                        QTest::mouseClick(b, Qt::LeftButton);
                    }
                }
            };
            click(116);  // 重置默认
            QVERIFY(messages.texts.isEmpty());
            click(102);  // 保存设置
            ownedByTheMarginWindow =
                !messages.owners.isEmpty() && messages.owners[0]->window() == margins;
            margins->close();
        });
        w->DeliverCommand(20010);
        QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
        QVERIFY(ownedByTheMarginWindow);
        const QString text = messages.texts.value(0);
        QVERIFY2(
            text.startsWith("边距没有保存到设置文件 " + ShownOnDriveD("data/dypz.ini") + "：\n") &&
                text.contains(reason),
            qPrintable(text));
    }
};

int RunTicketListTest(int argc, char** argv) {
    TicketListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TicketListTest.moc"
