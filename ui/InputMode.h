// Character filters and focus-loss normalisation of edit boxes, as pure rules.
//
// Edit box InputMode: 0 all, 1 read-only, 2 password, 3 digits and "-", 4 digits "-" ".",
// 5 byte, 6 16-bit, 7 32-bit, 8 64-bit integer, 9 single, 10 double, 11 date and time,
// 12 date. The input dialog has its own InputDialogMode: 2 integer, 3 decimal, 4 password,
// anything else plain text. Filters apply to printable characters only: the control characters
// that editing keys carry (Backspace U+0008, Delete U+007F) always pass, so editing keys keep
// working. CharFilterEdit applies them to typed, pasted and input-method text alike.
#pragma once

#include <QString>

bool InputModeAllowsChar(int inputMode, QChar c);
bool InputDialogModeAllowsChar(int inputDialogMode, QChar c);

// The text an edit of `inputMode` shows after losing focus. Integer modes clamp, float modes
// print with "%.6G" / "%.13G", date modes give empty text for anything that is no date; for
// modes 5 to 10 a result of exactly "0" becomes empty.
QString NormaliseInputModeText(int inputMode, const QString& text);
