// The menu definition text: a text that gives a menu must give the same menu again when the
// tree is written back as a text, with its levels renumbered from the nesting.
#include <QStringList>
#include <set>

#include "base/Text.h"
#include "fuzz/FuzzSupport.h"
#include "ui/KeyNameTable.h"
#include "ui/MenuDefinition.h"

namespace {

bool SameTree(const std::vector<MenuNode>& a, const std::vector<MenuNode>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const MenuNode& x = a[i];
        const MenuNode& y = b[i];
        if (x.caption != y.caption || x.commandId != y.commandId ||
            x.description != y.description || x.popup != y.popup || x.separator != y.separator ||
            x.checked != y.checked || x.disabled != y.disabled || x.shortcut != y.shortcut ||
            x.imageIndex != y.imageIndex || !SameTree(x.children, y.children)) {
            return false;
        }
    }
    return true;
}

QString Switch(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void Write(const std::vector<MenuNode>& nodes, int level, QStringList& out) {
    for (const MenuNode& n : nodes) {
        if (n.separator) {
            out << vantric::IntToText(level) << QString() << QString() << QStringLiteral("0")
                << QString() << QString() << QStringLiteral("0") << QStringLiteral("0")
                << QStringLiteral("1") << QStringLiteral("0") << QStringLiteral("0")
                << QStringLiteral("-1");
            continue;
        }
        QString text = n.caption;
        QString key;
        if (n.shortcut != 0) {
            const QString suffix = u'\t' + ShortcutCaption(n.shortcut);
            FUZZ_CHECK(text.endsWith(suffix));
            text.chop(suffix.size());
            key = KeyNameTable(static_cast<uint8_t>(n.shortcut & 0xFF));
        }
        out << vantric::IntToText(level) << text << text << vantric::IntToText(n.commandId)
            << n.description << key << Switch(n.shortcut & shortcut::kCtrl)
            << Switch(n.shortcut & shortcut::kShift) << QStringLiteral("0") << Switch(n.checked)
            << Switch(n.disabled) << vantric::IntToText(n.imageIndex);
        Write(n.children, level + 1, out);
    }
}

void CheckNodes(const std::vector<MenuNode>& nodes, bool top, int32_t& lastSeparatorId,
                int32_t greatestCommand, std::set<int32_t>& separatorIds) {
    for (const MenuNode& n : nodes) {
        if (top) {
            FUZZ_CHECK(n.popup && !n.separator);
        }
        if (n.separator) {
            // Separators are numbered after every command, in menu order.
            FUZZ_CHECK(n.commandId > greatestCommand);
            FUZZ_CHECK(n.commandId > lastSeparatorId);
            lastSeparatorId = n.commandId;
            FUZZ_CHECK(separatorIds.insert(n.commandId).second);
            FUZZ_CHECK(n.children.empty());
        } else {
            FUZZ_CHECK(n.commandId >= 1 && n.commandId <= 65535);
            FUZZ_CHECK(!n.caption.isEmpty());
            FUZZ_CHECK(n.imageIndex >= -1);
            FUZZ_CHECK(n.popup == (top || !n.children.empty()));
        }
        CheckNodes(n.children, false, lastSeparatorId, greatestCommand, separatorIds);
    }
}

int32_t GreatestCommand(const std::vector<MenuNode>& nodes) {
    int32_t greatest = 0;
    for (const MenuNode& n : nodes) {
        if (!n.separator) {
            greatest = std::max(greatest, n.commandId);
        }
        greatest = std::max(greatest, GreatestCommand(n.children));
    }
    return greatest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::TextFromBytes(data, size);
    const std::optional<MenuDefinition> menu = ParseMenuDefinition(text);
    if (!menu) {
        return 0;
    }
    int32_t lastSeparatorId = 0;
    std::set<int32_t> separatorIds;
    CheckNodes(menu->bar, true, lastSeparatorId, GreatestCommand(menu->bar), separatorIds);

    std::set<ShortcutCode> codes;
    for (const MenuAccelerator& a : menu->accelerators) {
        FUZZ_CHECK(a.code != 0 && codes.insert(a.code).second);
        const MenuNode* item = menu->FindItem(a.commandId);
        FUZZ_CHECK(item != nullptr);
    }

    QStringList written{QStringLiteral("2")};
    Write(menu->bar, 0, written);
    const std::optional<MenuDefinition> again = ParseMenuDefinition(written.join(u'\n'));
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(SameTree(again->bar, menu->bar));
    FUZZ_CHECK(again->accelerators == menu->accelerators);
    return 0;
}
