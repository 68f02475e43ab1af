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

std::vector<ListRowCell> ParseRowDefinition(QStringView text) {
    const QStringList fields = SplitDefinitionText(text);
    std::vector<ListRowCell> cells;
    for (qsizetype i = 0; i + 7 <= fields.size(); i += 7) {
        ListRowCell c;
        c.furtherCell = ReadDefinitionNumber(fields[i]) != 0;
        c.imageIndex = ReadDefinitionNumber(fields[i + 1]);
        c.stateImage = ReadDefinitionNumber(fields[i + 2]);
        if (!fields[i + 3].isEmpty()) {
            c.textColour = static_cast<uint32_t>(ReadDefinitionNumber(fields[i + 3]));
        }
        c.data = ReadDefinitionNumber(fields[i + 4]);
        c.text = fields[i + 5];
        c.infoTip = fields[i + 6];
        cells.push_back(c);
    }
    return cells;
}
