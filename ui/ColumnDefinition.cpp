#include "ui/ColumnDefinition.h"

#include "ui/DefinitionFields.h"

std::vector<ColumnDefinition> ParseColumnDefinition(QStringView text) {
    const QStringList fields = SplitDefinitionText(text);
    std::vector<ColumnDefinition> columns;
    for (qsizetype i = 0; i + 5 <= fields.size(); i += 5) {
        ColumnDefinition c;
        c.imageOnRight = ReadDefinitionNumber(fields[i]) != 0;
        c.imageIndex = ReadDefinitionNumber(fields[i + 1]);
        const int32_t align = ReadDefinitionNumber(fields[i + 2]);
        c.alignment = (align == 1 || align == 2) ? align : 0;
        c.width = ReadDefinitionNumber(fields[i + 3]);
        c.title = fields[i + 4];
        columns.push_back(c);
    }
    return columns;
}
