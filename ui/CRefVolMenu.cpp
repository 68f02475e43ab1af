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

void CRefVolMenu::Track(QAction* action, int32_t commandId) {
    actions_.emplace_back(commandId, QPointer<QAction>(action));
}

QMenu* CRefVolMenu::MakeDropDown(const MenuNode& node, QWidget* parent, const Sink& sink) {
    auto* menu = new QMenu(node.caption, parent);
    menu->menuAction()->setEnabled(!node.disabled);
    Track(menu->menuAction(), node.commandId);
    if (sink.highlighted) {
        QObject::connect(menu, &QMenu::aboutToHide, menu, [h = sink.highlighted] { h(0); });
    }
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
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(node.caption);
        action->setCheckable(node.checked);
        action->setChecked(node.checked);
        action->setEnabled(!node.disabled);
        Track(action, node.commandId);
        const int32_t id = node.commandId;
        if (sink.command) {
            QObject::connect(action, &QAction::triggered, action,
                             [c = sink.command, id] { c(id); });
        }
        if (sink.highlighted) {
            QObject::connect(action, &QAction::hovered, action,
                             [h = sink.highlighted, id] { h(id); });
        }
    }
}

QMenuBar* CRefVolMenu::CreateMenuBar(QWidget* parent, const Sink& sink) {
    auto* bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);  // the bar belongs inside the window, above the client area
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
    for (auto& [id, action] : actions_) {
        if (id == commandId && action) {
            action->setEnabled(enabled);
        }
    }
}

bool LoadMenuDefinition(CRefVolMenu& menu, const QString& definitionText) {
    return menu.Load(definitionText);
}
