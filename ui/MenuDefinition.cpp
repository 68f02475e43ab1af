#include "ui/MenuDefinition.h"

#include "base/Text.h"
#include "ui/DefinitionFields.h"

namespace {

struct Record {
    int32_t level = 0;
    QString text;
    int32_t commandId = 0;
    QString description;
    ShortcutCode shortcut = 0;
    bool separator = false;
    bool checked = false;
    bool disabled = false;
    int32_t imageIndex = -1;
};

// "1" or "0" exactly; anything else makes the record invalid.
std::optional<bool> ReadSwitch(const QString& field) {
    if (field == u"1") {
        return true;
    }
    if (field == u"0") {
        return false;
    }
    return std::nullopt;
}

std::optional<Record> ReadRecord(const QStringList& f) {
    Record r;
    r.level = ReadDefinitionNumber(f[0]);
    const std::optional<bool> separator = ReadSwitch(f[8]);
    if (!separator) {
        return std::nullopt;
    }
    if (*separator) {
        r.separator = true;  // the other fields of a separator are not examined
        return r;
    }
    r.text = f[1];
    r.commandId = ReadDefinitionNumber(f[3]);
    r.description = f[4];
    const std::optional<bool> ctrl = ReadSwitch(f[6]);
    const std::optional<bool> shift = ReadSwitch(f[7]);
    const std::optional<bool> checked = ReadSwitch(f[9]);
    const std::optional<bool> disabled = ReadSwitch(f[10]);
    r.imageIndex = ReadDefinitionNumber(f[11]);
    if (r.level < 0 || r.text.isEmpty() || r.commandId <= 0 || r.commandId > 65535 || !ctrl ||
        !shift || !checked || !disabled || r.imageIndex < -1) {
        return std::nullopt;
    }
    r.checked = *checked;
    r.disabled = *disabled;
    if (!f[5].isEmpty()) {
        const uint8_t key = KeyCodeForName(f[5]);
        if (key == 0) {
            return std::nullopt;
        }
        r.shortcut = static_cast<ShortcutCode>(key | (*ctrl ? shortcut::kCtrl : 0) |
                                               (*shift ? shortcut::kShift : 0));
    }
    return r;
}

MenuNode MakeNode(const Record& r) {
    MenuNode n;
    n.caption = r.text;
    n.commandId = r.commandId;
    n.description = r.description;
    n.separator = r.separator;
    n.checked = r.checked;
    n.disabled = r.disabled;
    n.imageIndex = r.imageIndex;
    return n;
}

class Builder {
  public:
    explicit Builder(const std::vector<Record>& records) : records_(records) {}

    bool Build(MenuDefinition& menu) {
        size_t p = 0;
        while (p < records_.size()) {
            if (!BuildDropDown(p, menu.bar, menu.accelerators)) {
                return false;
            }
        }
        return true;
    }

  private:
    // Builds the drop-down titled by records_[p] and everything nested in it; p ends on the
    // first record that belongs to an outer menu.
    bool BuildDropDown(size_t& p, std::vector<MenuNode>& parent,
                       std::vector<MenuAccelerator>& accelerators) {
        const Record& title = records_[p];
        if (title.separator) {
            return false;
        }
        MenuNode node = MakeNode(title);
        node.popup = true;
        ++p;
        while (p < records_.size()) {
            const Record& r = records_[p];
            if (r.level <= title.level) {
                break;
            }
            if (p + 1 < records_.size() && records_[p + 1].level > r.level) {
                if (!BuildDropDown(p, node.children, accelerators)) {
                    return false;
                }
                continue;
            }
            MenuNode leaf = MakeNode(r);
            if (r.shortcut != 0) {
                leaf.shortcut = r.shortcut;
                leaf.caption += u'\t' + ShortcutCaption(r.shortcut);
                bool known = false;
                for (const MenuAccelerator& a : accelerators) {
                    known = known || a.code == r.shortcut;
                }
                if (!known) {
                    accelerators.push_back({r.shortcut, r.commandId});
                }
            }
            node.children.push_back(std::move(leaf));
            ++p;
        }
        parent.push_back(std::move(node));
        return true;
    }

    const std::vector<Record>& records_;
};

template <typename F>
void ForEachNode(std::vector<MenuNode>& nodes, F&& f) {
    for (MenuNode& n : nodes) {
        f(n);
        ForEachNode(n.children, f);
    }
}

template <typename Node>
Node* FindIn(std::vector<Node>& nodes, int32_t id) {
    for (Node& n : nodes) {
        if (n.commandId == id) {
            return &n;
        }
        if (Node* found = FindIn(n.children, id)) {
            return found;
        }
    }
    return nullptr;
}

template <typename Node>
const Node* FindIn(const std::vector<Node>& nodes, int32_t id) {
    return FindIn(const_cast<std::vector<Node>&>(nodes), id);
}

}  // namespace

MenuNode* MenuDefinition::FindItem(int32_t commandId) {
    return FindIn(bar, commandId);
}

const MenuNode* MenuDefinition::FindItem(int32_t commandId) const {
    return FindIn(bar, commandId);
}

std::optional<MenuDefinition> ParseMenuDefinition(QStringView text) {
    QStringList fields = SplitDefinitionText(text);
    for (QString& f : fields) {
        f = vantric::TrimControlAndSpace(f).toString();
    }
    if (fields.isEmpty()) {
        return std::nullopt;
    }
    const int32_t version = ReadDefinitionNumber(fields.takeFirst());
    if (version != 1 && version != 2) {
        return std::nullopt;
    }
    const qsizetype width = version == 2 ? 12 : 11;
    std::vector<Record> records;
    for (qsizetype i = 0; i + width <= fields.size(); i += width) {
        QStringList f = fields.mid(i, width);
        if (version == 1) {
            f.append(QStringLiteral("-1"));
        }
        std::optional<Record> r = ReadRecord(f);
        if (!r) {
            return std::nullopt;
        }
        records.push_back(std::move(*r));
    }

    MenuDefinition menu;
    if (!Builder(records).Build(menu)) {
        return std::nullopt;
    }
    int32_t greatest = 0;
    ForEachNode(menu.bar, [&](MenuNode& n) { greatest = std::max(greatest, n.commandId); });
    ForEachNode(menu.bar, [&](MenuNode& n) {
        if (n.separator) {
            n.commandId = ++greatest;
        }
    });
    return menu;
}
