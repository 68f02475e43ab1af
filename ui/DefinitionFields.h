// The splitting rule shared by the text-encoded control definitions (list view columns, combo
// box items, menus): fields separated by line feeds.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Cut at every line feed; empty fields keep their place; a line feed at the very end adds no
// empty field; an empty text has no fields.
QStringList SplitDefinitionText(QStringView text);

// A numeric field: leading white space, optional sign, digits up to the first other character;
// empty or non-numeric reads 0.
int32_t ReadDefinitionNumber(QStringView field);
