#include "ui/CRefVolMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

const ClassDescriptor& CRefVolMenu::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "CRefVolMenu", [] { return new CRefVolMenu; }, {&CVolRefObject::StaticClass()});
    return d;
}

bool CRefVolMenu::Load(const QString& definitionText) {
    if (loaded_) {
        return true;
    }
    definition_ = MenuDefinition();
    actions_.clear();
    std::optional<MenuDefinition> parsed = ParseMenuDefinition(definitionText);
    if (!parsed) {
        return false;
    }
    definition_ = std::move(*parsed);
    definitionText_ = definitionText;
    loaded_ = true;
    return true;
}

void CRefVolMenu::Track(QAction* action, const MenuNode& node) {
    action->setData(node.commandId);
    actions_.emplace_back(&node, QPointer<QAction>(action));
}

namespace {

// A check mark shows only on a checkable action, and Qt draws an empty box for a checkable one
// that is not checked: only checked items are checkable.
void ShowCheckMark(QAction* action, bool checked) {
    action->setCheckable(checked);
    action->setChecked(checked);
}

}  // namespace

void CRefVolMenu::ReportHighlights(QWidget* menu, const Sink& sink) {
    if (!sink.highlighted) {
        return;
    }
    // A drop-down title or a separator reports 0, as the menu closing does.
    const auto report = [h = sink.highlighted](QAction* action) {
        h(action->menu() != nullptr || action->isSeparator() ? 0 : action->data().toInt());
    };
    if (auto* m = qobject_cast<QMenu*>(menu)) {
        QObject::connect(m, &QMenu::hovered, m, report);
        QObject::connect(m, &QMenu::aboutToHide, m, [h = sink.highlighted] { h(0); });
    } else if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
        QObject::connect(bar, &QMenuBar::hovered, bar, report);
    }
}

QMenu* CRefVolMenu::MakeDropDown(const MenuNode& node, QWidget* parent, const Sink& sink) {
    auto* menu = new QMenu(node.caption, parent);
    menu->menuAction()->setEnabled(!node.disabled);
    Track(menu->menuAction(), node);
    ReportHighlights(menu, sink);
    AddItems(menu, node.children, sink);
    return menu;
}

void CRefVolMenu::AddItems(QMenu* menu, const std::vector<MenuNode>& nodes, const Sink& sink) {
    for (const MenuNode& node : nodes) {
        if (node.popup) {
            menu->addMenu(MakeDropDown(node, menu, sink));
            continue;
        }
        if (node.separator) {
            menu->addSeparator()->setData(node.commandId);
            continue;
        }
        QAction* action = menu->addAction(node.caption);
        ShowCheckMark(action, node.checked);
        action->setEnabled(!node.disabled);
        Track(action, node);
        const MenuNode* item = &node;
        // Qt flips a checkable action when it is chosen; the mark is the definition's, so it is
        // put back before anyone hears of the choice.
        QObject::connect(action, &QAction::triggered, action,
                         [action, item] { ShowCheckMark(action, item->checked); });
        if (sink.command) {
            QObject::connect(action, &QAction::triggered, action,
                             [c = sink.command, id = node.commandId] { c(id); });
        }
    }
}

QMenuBar* CRefVolMenu::CreateMenuBar(QWidget* parent, const Sink& sink) {
    auto* bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);  // the bar belongs inside the window, above the client area
    ReportHighlights(bar, sink);
    for (const MenuNode& node : definition_.bar) {
        bar->addMenu(MakeDropDown(node, bar, sink));
    }
    return bar;
}

QMenu* CRefVolMenu::CreatePopupMenu(int index, QWidget* parent, const Sink& sink) {
    if (index < 0 || index >= static_cast<int>(definition_.bar.size())) {
        return nullptr;
    }
    return MakeDropDown(definition_.bar[static_cast<size_t>(index)], parent, sink);
}

bool CRefVolMenu::IsItemEnabled(int32_t commandId) const {
    const MenuNode* node = definition_.FindItem(commandId);
    return node == nullptr || !node->disabled;
}

void CRefVolMenu::SetItemEnabled(int32_t commandId, bool enabled) {
    MenuNode* node = definition_.FindItem(commandId);
    if (node == nullptr || node->disabled == !enabled) {
        return;
    }
    node->disabled = !enabled;
    for (auto& [item, action] : actions_) {
        if (item == node && action) {
            action->setEnabled(enabled);
        }
    }
}

bool CRefVolMenu::IsItemChecked(int32_t commandId) const {
    const MenuNode* node = definition_.FindItem(commandId);
    return node != nullptr && node->checked;
}

void CRefVolMenu::SetItemChecked(int32_t commandId, bool checked) {
    MenuNode* node = definition_.FindItem(commandId);
    if (node == nullptr || node->popup || node->separator) {
        return;
    }
    node->checked = checked;
    for (auto& [item, action] : actions_) {
        if (item == node && action) {
            ShowCheckMark(action, checked);
        }
    }
}

bool LoadMenuDefinition(CRefVolMenu& menu, const QString& definitionText) {
    return menu.Load(definitionText);
}
