// Runtime base: the text and number rules every part of Vantric shares.
//
// Texts are QString (UTF-16); an empty and a null QString read the same everywhere.
// Numbers typed by the operator or read from the settings file go through TextToInt, numbers
// written anywhere go through IntToText, so a value always reads back as it was written.
#pragma once

#include <QString>
#include <cstdint>

namespace vantric {

// Leading white space, an optional sign, then decimal digits (ASCII or full-width, mixed as they
// come) up to the first other character; no digits give 0. Values beyond the 32-bit range saturate at the nearest 32-bit limit.
int32_t TextToInt(QStringView text);

// Plain signed decimal: no grouping, no plus sign.
QString IntToText(int32_t value);

// Drops characters up to U+0020 from both ends (the trimming rule of definition texts).
QStringView TrimControlAndSpace(QStringView text);
QStringView TrimTrailingControlAndSpace(QStringView text);

}  // namespace vantric
