#include <gtest/gtest.h>

#include <QStringList>

#include "ui/ColumnDefinition.h"
#include "ui/ComboItemsDefinition.h"
#include "ui/KeyNameTable.h"
#include "ui/MenuDefinition.h"

namespace {

const QString kAppColumns = QStringLiteral("0\n-1\n0\n125\nID\n0\n-1\n1\n130\n箱数");
const QString kAppCombo = QStringLiteral("请选择表格类型\n0\n表格—1页—4个\n1\n表格—1页—6个\n2");

// One version-2 record: level, text (also the name), id, description, key, ctrl, shift,
// separator, check, disabled, image.
QString Record(int level, const QString& text, int id, const QString& description = {},
               const QString& key = {}, const QString& ctrl = "0", const QString& shift = "0",
               const QString& check = "0", const QString& disabled = "0") {
    return QStringList{QString::number(level),
                       text,
                       text,
                       QString::number(id),
                       description,
                       key,
                       ctrl,
                       shift,
                       "0",
                       check,
                       disabled,
                       "-1"}
        .join(u'\n');
}
QString Separator(int level) {
    return QStringList{QString::number(level), "", "", "0", "", "", "0", "0", "1", "0", "0", "-1"}
        .join(u'\n');
}
QString Menu(const QStringList& records, const QString& version = "2") {
    return (QStringList{version} + records).join(u'\n');
}

QString AppMenu() {
    const QString todo = QStringLiteral("还未编写功能");
    return Menu({Record(0, "操作", 20000), Record(1, "添加", 20001), Separator(1),
                 Record(1, "删除", 20003), Separator(1), Record(1, "删除全部", 20005), Separator(1),
                 Record(1, "打印预览边距", 20010), Record(0, "帮助", 20006),
                 Record(1, "检测更新", 20008, todo), Separator(1), Record(1, "关于", 20007, todo)});
}

TEST(ColumnDefinition, ApplicationTextGivesIdLeftAndCountCentred) {
    const std::vector<ColumnDefinition> columns = ParseColumnDefinition(kAppColumns);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0], (ColumnDefinition{false, -1, 0, 125, "ID"}));
    EXPECT_EQ(columns[1], (ColumnDefinition{false, -1, 1, 130, QStringLiteral("箱数")}));
}

TEST(ColumnDefinition, IncompleteGroupsAndOddValues) {
    // 7 fields: one complete group, two stray fields.
    EXPECT_EQ(ParseColumnDefinition(u"1\n3\n2\n80\nA\n0\n-1").size(), 1u);
    const ColumnDefinition c = ParseColumnDefinition(u"1\n3\n7\n 80px\n B ").front();
    EXPECT_TRUE(c.imageOnRight);
    EXPECT_EQ(c.imageIndex, 3);
    EXPECT_EQ(c.alignment, 0);  // unknown alignment reads as left
    EXPECT_EQ(c.width, 80);     // leading blank skipped, digits up to "p"
    EXPECT_EQ(c.title, " B ");  // titles are not trimmed
    EXPECT_TRUE(ParseColumnDefinition(u"").empty());
    // A line feed at the very end adds no empty field: still 4 fields, no column.
    EXPECT_TRUE(ParseColumnDefinition(u"0\n-1\n0\n125\n").empty());
}

TEST(ComboItemsDefinition, ApplicationTextGivesThreeItemsInOrder) {
    const std::vector<ComboItemsDefinition> items = ParseComboItemsDefinition(kAppCombo);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], (ComboItemsDefinition{QStringLiteral("请选择表格类型"), 0}));
    EXPECT_EQ(items[1], (ComboItemsDefinition{QStringLiteral("表格—1页—4个"), 1}));
    EXPECT_EQ(items[2], (ComboItemsDefinition{QStringLiteral("表格—1页—6个"), 2}));
}

TEST(ComboItemsDefinition, PairsOnlyAndTrailingBlanksDropped) {
    const std::vector<ComboItemsDefinition> items =
        ParseComboItemsDefinition(u" a \t\n7\n\n-3\nstray");
    ASSERT_EQ(items.size(), 2u);  // 5 fields: two pairs
    EXPECT_EQ(items[0], (ComboItemsDefinition{" a", 7}));
    EXPECT_EQ(items[1], (ComboItemsDefinition{"", -3}));
}

TEST(MenuDefinition, ApplicationTextGivesTwoDropDownsWithSeparatorIds) {
    const std::optional<MenuDefinition> menu = ParseMenuDefinition(AppMenu());
    ASSERT_TRUE(menu.has_value());
    ASSERT_EQ(menu->bar.size(), 2u);
    EXPECT_TRUE(menu->accelerators.empty());

    const auto shape = [](const MenuNode& dropDown) {
        QStringList s;
        for (const MenuNode& n : dropDown.children) {
            s << (n.separator ? "-" : n.caption) + ":" + QString::number(n.commandId);
        }
        return s.join(' ');
    };
    const MenuNode& operate = menu->bar[0];
    EXPECT_EQ(operate.caption, QStringLiteral("操作"));
    EXPECT_EQ(operate.commandId, 20000);
    EXPECT_TRUE(operate.popup);
    // Separators take ids from the greatest command id (20010) onwards, in menu order.
    EXPECT_EQ(shape(operate), QStringLiteral("添加:20001 -:20011 删除:20003 -:20012 删除全部:20005 "
                                             "-:20013 打印预览边距:20010"));
    const MenuNode& help = menu->bar[1];
    EXPECT_EQ(help.caption, QStringLiteral("帮助"));
    EXPECT_EQ(help.commandId, 20006);
    EXPECT_EQ(shape(help), QStringLiteral("检测更新:20008 -:20014 关于:20007"));
    EXPECT_EQ(help.children[0].description, QStringLiteral("还未编写功能"));
    for (const MenuNode& n : operate.children) {
        EXPECT_FALSE(n.disabled || n.checked);
    }
}

TEST(MenuDefinition, AnyInvalidRecordGivesNoMenu) {
    const QString ok = Record(1, "Open", 100);
    struct Case {
        const char* name;
        QString text;
    } cases[] = {
        {"version 3", Menu({Record(0, "File", 10), ok}, "3")},
        {"no version", QString()},
        {"check field yes",
         Menu({Record(0, "File", 10), Record(1, "Open", 100, {}, {}, "0", "0", "yes")})},
        {"ctrl field blank", Menu({Record(0, "File", 10), Record(1, "Open", 100, {}, "S", "")})},
        {"empty text", Menu({Record(0, "File", 10), Record(1, "", 100)})},
        {"zero id", Menu({Record(0, "File", 10), Record(1, "Open", 0)})},
        {"id above 65535", Menu({Record(0, "File", 10), Record(1, "Open", 65536)})},
        {"unknown key name", Menu({Record(0, "File", 10), Record(1, "Open", 100, {}, "F17")})},
        {"separator opens the bar", Menu({Separator(0), ok})},
        {"separator titles a submenu",
         Menu({Record(0, "File", 10), Separator(1), Record(2, "Open", 100)})},
        {"negative level", Menu({Record(0, "File", 10), Record(-1, "Open", 100)})},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParseMenuDefinition(c.text).has_value()) << c.name;
    }
}

TEST(MenuDefinition, ShortcutsGiveCaptionsAndOneAcceleratorPerCode) {
    const std::optional<MenuDefinition> menu = ParseMenuDefinition(
        Menu({Record(0, "File", 10), Record(1, "Save", 11, {}, "s", "1"),
              Record(1, "Reload", 12, {}, "f5"), Record(1, "Again", 13, {}, "F5"),
              Record(1, "Both", 14, {}, "Del", "1", "1")}));
    ASSERT_TRUE(menu.has_value());
    const std::vector<MenuNode>& items = menu->bar[0].children;
    EXPECT_EQ(items[0].caption, "Save\tCtrl+S");
    EXPECT_EQ(items[0].shortcut, 0x2000 + 0x53);
    EXPECT_EQ(items[1].caption, "Reload\tF5");  // key names match without regard to case
    EXPECT_EQ(items[2].caption, "Again\tF5");
    EXPECT_EQ(items[3].caption, "Both\tCtrl+Shift+Del");
    EXPECT_EQ(menu->accelerators,
              (std::vector<MenuAccelerator>{{0x2053, 11}, {0x74, 12}, {0xA02E, 14}}));
}

TEST(MenuDefinition, VersionOneAndNestedSubmenus) {
    // Version 1 records have 11 fields.
    const auto v1 = [](int level, const QString& text, int id) {
        return QStringList{QString::number(level),
                           text,
                           text,
                           QString::number(id),
                           "",
                           "",
                           "0",
                           "0",
                           "0",
                           "0",
                           "0"}
            .join(u'\n');
    };
    const std::optional<MenuDefinition> menu = ParseMenuDefinition(
        Menu({v1(0, "A", 1), v1(1, "Sub", 2), v1(2, "Deep", 3), v1(1, "Leaf", 4), v1(0, "B", 5)},
             " 1 "));
    ASSERT_TRUE(menu.has_value());
    ASSERT_EQ(menu->bar.size(), 2u);
    const MenuNode& a = menu->bar[0];
    ASSERT_EQ(a.children.size(), 2u);
    EXPECT_TRUE(a.children[0].popup);
    EXPECT_EQ(a.children[0].children.at(0).caption, "Deep");
    EXPECT_EQ(a.children[1].caption, "Leaf");
    EXPECT_TRUE(menu->bar[1].children.empty());
    EXPECT_EQ(menu->FindItem(3)->caption, "Deep");
    EXPECT_EQ(menu->FindItem(99), nullptr);
}

TEST(KeyNameTable, NamesCodesAndKeyCombinations) {
    EXPECT_EQ(KeyCodeForName(u"esc"), 0x1B);
    EXPECT_EQ(KeyCodeForName(u"\\"), 0xDC);
    EXPECT_EQ(KeyCodeForName(u"F16"), 0x7F);
    EXPECT_EQ(KeyCodeForName(u"F17"), 0);
    EXPECT_EQ(KeyCodeForName(u""), 0);
    EXPECT_EQ(KeyNameTable(0x07), QString());
    EXPECT_EQ(ShortcutCaption(0x4000 | 0x8000 | 0x41), "Shift+Alt+A");
    EXPECT_EQ(ShortcutCaption(0x2000 | 0x4000 | 0x41), "Ctrl+Alt+A");
    EXPECT_EQ(ShortcutKeyCombination(0x2053), QKeyCombination(Qt::ControlModifier, Qt::Key_S));
    EXPECT_EQ(ShortcutKeyCombination(0x8000 | 0x6B),
              QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Plus));
    EXPECT_EQ(ShortcutKeyCombination(0x01).key(), Qt::Key_unknown);  // a mouse button
}

}  // namespace
