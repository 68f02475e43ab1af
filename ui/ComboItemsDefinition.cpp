#include "ui/ComboItemsDefinition.h"

#include "base/Text.h"
#include "ui/DefinitionFields.h"

std::vector<ComboItemsDefinition> ParseComboItemsDefinition(QStringView text) {
    const QStringList fields = SplitDefinitionText(text);
    std::vector<ComboItemsDefinition> items;
    for (qsizetype i = 0; i + 2 <= fields.size(); i += 2) {
        ComboItemsDefinition item;
        item.text = vantric::TrimTrailingControlAndSpace(fields[i]).toString();
        item.value = ReadDefinitionNumber(fields[i + 1]);
        items.push_back(item);
    }
    return items;
}
