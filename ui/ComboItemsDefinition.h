// The text that defines the items of a combo box: pairs of line-feed-separated fields (item
// text, integer value kept as the item's data).
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct ComboItemsDefinition {
    QString text;  // trailing characters up to U+0020 removed; the front is kept as written
    int32_t value = 0;

    bool operator==(const ComboItemsDefinition&) const = default;
};

// One entry per complete pair; a trailing single field is ignored.
std::vector<ComboItemsDefinition> ParseComboItemsDefinition(QStringView text);
