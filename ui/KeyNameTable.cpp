#include "ui/KeyNameTable.h"

#include <array>

namespace {

struct KeyEntry {
    uint8_t code;
    const char16_t* name;
    Qt::Key key;
};

// Named keys other than the digit, letter and function-key runs, which are filled in below.
constexpr KeyEntry kNamedKeys[] = {
    {0x01, u"LButton", Qt::Key_unknown},
    {0x02, u"RButton", Qt::Key_unknown},
    {0x03, u"Break", Qt::Key_Pause},
    {0x04, u"MButton", Qt::Key_unknown},
    {0x05, u"XButton1", Qt::Key_unknown},
    {0x06, u"XButton2", Qt::Key_unknown},
    {0x08, u"Backspace", Qt::Key_Backspace},
    {0x09, u"Tab", Qt::Key_Tab},
    {0x0C, u"PadCenter", Qt::Key_Clear},
    {0x0D, u"Enter", Qt::Key_Return},
    {0x10, u"Shift", Qt::Key_unknown},
    {0x11, u"Ctrl", Qt::Key_unknown},
    {0x12, u"Alt", Qt::Key_unknown},
    {0x13, u"Pause", Qt::Key_Pause},
    {0x14, u"CapsLock", Qt::Key_CapsLock},
    {0x1B, u"ESC", Qt::Key_Escape},
    {0x20, u"Space", Qt::Key_Space},
    {0x21, u"PageUp", Qt::Key_PageUp},
    {0x22, u"PageDown", Qt::Key_PageDown},
    {0x23, u"End", Qt::Key_End},
    {0x24, u"Home", Qt::Key_Home},
    {0x25, u"Left", Qt::Key_Left},
    {0x26, u"Up", Qt::Key_Up},
    {0x27, u"Right", Qt::Key_Right},
    {0x28, u"Down", Qt::Key_Down},
    {0x2D, u"Ins", Qt::Key_Insert},
    {0x2E, u"Del", Qt::Key_Delete},
    {0x6A, u"PadMul", Qt::Key_Asterisk},
    {0x6B, u"PadPlus", Qt::Key_Plus},
    {0x90, u"NumLock", Qt::Key_NumLock},
    {0x91, u"ScrollLock", Qt::Key_ScrollLock},
    {0xBA, u";", Qt::Key_Semicolon},
    {0xBB, u"=", Qt::Key_Equal},
    {0xBC, u",", Qt::Key_Comma},
    {0xBD, u"-", Qt::Key_Minus},
    {0xBE, u".", Qt::Key_Period},
    {0xBF, u"/", Qt::Key_Slash},
    {0xC0, u"`", Qt::Key_QuoteLeft},
    {0xDB, u"[", Qt::Key_BracketLeft},
    {0xDC, u"\\", Qt::Key_Backslash},
    {0xDD, u"]", Qt::Key_BracketRight},
    {0xDE, u"'", Qt::Key_Apostrophe},
};

struct Table {
    std::array<QString, 256> names;
    std::array<Qt::Key, 256> keys{};

    Table() {
        keys.fill(Qt::Key_unknown);
        for (const KeyEntry& e : kNamedKeys) {
            names[e.code] = QString::fromUtf16(e.name);
            keys[e.code] = e.key;
        }
        for (int i = 0; i <= 9; ++i) {
            names[0x30 + i] = QString(QChar(u'0' + i));
            keys[0x30 + i] = static_cast<Qt::Key>(Qt::Key_0 + i);
        }
        for (int i = 0; i < 26; ++i) {
            names[0x41 + i] = QString(QChar(u'A' + i));
            keys[0x41 + i] = static_cast<Qt::Key>(Qt::Key_A + i);
        }
        for (int i = 0; i < 16; ++i) {
            names[0x70 + i] = QStringLiteral("F") + QString::number(i + 1);
            keys[0x70 + i] = static_cast<Qt::Key>(Qt::Key_F1 + i);
        }
    }
};

const Table& TheTable() {
    static const Table table;
    return table;
}

}  // namespace

QString KeyNameTable(uint8_t virtualKey) {
    return TheTable().names[virtualKey];
}

uint8_t KeyCodeForName(QStringView name) {
    if (name.isEmpty()) {
        return 0;
    }
    const Table& t = TheTable();
    for (int code = 1; code < 256; ++code) {
        if (!t.names[code].isEmpty() && name.compare(t.names[code], Qt::CaseInsensitive) == 0) {
            return static_cast<uint8_t>(code);
        }
    }
    return 0;
}

QString ShortcutCaption(ShortcutCode code) {
    QString caption;
    if (code & shortcut::kCtrl) {
        caption += QStringLiteral("Ctrl");
    }
    if (code & shortcut::kShift) {
        caption += caption.isEmpty() ? QStringLiteral("Shift") : QStringLiteral("+Shift");
    }
    if (code & shortcut::kAlt) {
        caption += caption.isEmpty() ? QStringLiteral("Alt") : QStringLiteral("+Alt");
    }
    const QString key = KeyNameTable(static_cast<uint8_t>(code & 0xFF));
    return caption.isEmpty() ? key : caption + u'+' + key;
}

QKeyCombination ShortcutKeyCombination(ShortcutCode code) {
    const uint8_t vk = static_cast<uint8_t>(code & 0xFF);
    const Qt::Key key = TheTable().keys[vk];
    if (key == Qt::Key_unknown) {
        return QKeyCombination(Qt::Key_unknown);
    }
    Qt::KeyboardModifiers mods;
    if (code & shortcut::kCtrl) {
        mods |= Qt::ControlModifier;
    }
    if (code & shortcut::kAlt) {
        mods |= Qt::AltModifier;
    }
    if (code & shortcut::kShift) {
        mods |= Qt::ShiftModifier;
    }
    if (vk == 0x6A || vk == 0x6B) {
        mods |= Qt::KeypadModifier;
    }
    return QKeyCombination(mods, key);
}
