// Key names and shortcut codes as menu definitions and forms use them.
//
// A ShortcutCode is 16 bits: the low byte a virtual key code, 0x2000 Ctrl, 0x4000 Alt, 0x8000
// Shift. The KeyNameTable gives the name of each virtual key code that has one.
#pragma once

#include <QKeyCombination>
#include <QString>
#include <cstdint>

using ShortcutCode = uint16_t;

namespace shortcut {
constexpr ShortcutCode kCtrl = 0x2000, kAlt = 0x4000, kShift = 0x8000;
}

// The name of a virtual key code, or empty when the code has none.
QString KeyNameTable(uint8_t virtualKey);

// The virtual key code whose name is `name`, compared without regard to case; 0 when none.
uint8_t KeyCodeForName(QStringView name);

// "Ctrl", "Shift", "Alt" joined by "+", then "+" and the key name; the key name alone when no
// modifier is set. Ctrl with S gives "Ctrl+S".
QString ShortcutCaption(ShortcutCode code);

// The Qt key combination for a shortcut code; Qt::Key_unknown when the key has no Qt
// counterpart (mouse buttons, lone modifiers).
QKeyCombination ShortcutKeyCombination(ShortcutCode code);
