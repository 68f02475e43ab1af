// The menu object: a parsed menu definition, and the Qt menus made from it.
//
// A form builds its menu bar from the object when its widget is created; a context menu is a
// popup made from one drop-down. Enabling, greying, checking or unchecking an item by command id
// acts on the first item with that id and on every live action made from that item. A check
// mark belongs to the definition: choosing a checked item keeps its mark.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "base/ClassDescriptor.h"
#include "ui/MenuDefinition.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class CRefVolMenu : public CVolRefObject {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // Where the actions of built menus report: the chosen command id, and the id of the
    // highlighted item (0 when the menu closes or the item opens a drop-down or submenu).
    struct Sink {
        std::function<void(int32_t)> command;
        std::function<void(int32_t)> highlighted;
    };

    bool ownerDrawn = false;  // not used by the program; items are drawn by Qt either way

    bool IsLoaded() const { return loaded_; }
    const QString& DefinitionText() const { return definitionText_; }
    const MenuDefinition& Definition() const { return definition_; }

    // All or nothing: on an invalid text the object is left without a menu and the result is
    // false. An object that is loaded already keeps its menu and answers true.
    bool Load(const QString& definitionText);

    QMenuBar* CreateMenuBar(QWidget* parent, const Sink& sink);
    // The drop-down at `index` of the menu bar as a popup; null when there is none.
    QMenu* CreatePopupMenu(int index, QWidget* parent, const Sink& sink);

    // True when the first item with this id is enabled (or no item has it).
    bool IsItemEnabled(int32_t commandId) const;
    // An id that no item has changes nothing.
    void SetItemEnabled(int32_t commandId, bool enabled);
    // False when no item has the id.
    bool IsItemChecked(int32_t commandId) const;
    void SetItemChecked(int32_t commandId, bool checked);

  protected:
    ~CRefVolMenu() override = default;

  private:
    void AddItems(QMenu* menu, const std::vector<MenuNode>& nodes, const Sink& sink);
    QMenu* MakeDropDown(const MenuNode& node, QWidget* parent, const Sink& sink);
    void Track(QAction* action, const MenuNode& node);
    void ReportHighlights(QWidget* menu, const Sink& sink);

    bool loaded_ = false;
    QString definitionText_;
    MenuDefinition definition_;
    // Every live action, with the parsed item it was made from.
    std::vector<std::pair<const MenuNode*, QPointer<QAction>>> actions_;
};

// Loads `menu` from `definitionText`; true when it has a menu afterwards.
bool LoadMenuDefinition(CRefVolMenu& menu, const QString& definitionText);
