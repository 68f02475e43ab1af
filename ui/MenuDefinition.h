// The text that defines a whole menu with its shortcuts, and the menu tree it gives.
//
// Text: a version field (1 or 2), then one record per item in menu order, every field trimmed.
// Version 2 records have 12 fields (level, text, name, command id, description, shortcut key,
// Ctrl, Shift, separator, check mark, disabled, image index); version 1 records lack the image
// index. Level 0 items are the menu bar's drop-downs; a record followed by a deeper one titles a
// submenu. Any invalid record makes the whole text give no menu.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/KeyNameTable.h"

struct MenuNode {
    QString caption;        // the text, plus a tab and the shortcut caption when it has one
    int32_t commandId = 0;  // separators get ids above every command id, in menu order
    QString description;    // kept with the item, never shown
    bool popup = false;     // titles a drop-down or submenu: `children` are its items
    bool separator = false;
    bool checked = false;
    bool disabled = false;
    ShortcutCode shortcut = 0;
    int32_t imageIndex = -1;
    std::vector<MenuNode> children;
};

struct MenuAccelerator {
    ShortcutCode code = 0;
    int32_t commandId = 0;
    bool operator==(const MenuAccelerator&) const = default;
};

struct MenuDefinition {
    std::vector<MenuNode> bar;                  // the drop-downs of the menu bar
    std::vector<MenuAccelerator> accelerators;  // one per distinct code; the first item wins

    // The first item with this id in menu order (drop-down titles included), or null.
    MenuNode* FindItem(int32_t commandId);
    const MenuNode* FindItem(int32_t commandId) const;
};

// Null when the version is not 1 or 2 or any record is invalid.
std::optional<MenuDefinition> ParseMenuDefinition(QStringView text);
