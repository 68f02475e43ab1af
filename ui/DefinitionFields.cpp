#include "ui/DefinitionFields.h"

#include "base/Text.h"

QStringList SplitDefinitionText(QStringView text) {
    QStringList fields;
    if (text.isEmpty()) {
        return fields;
    }
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            fields.append(text.mid(start).toString());
            break;
        }
        fields.append(text.mid(start, end - start).toString());
        start = end + 1;
    }
    return fields;
}

int32_t ReadDefinitionNumber(QStringView field) {
    return vantric::TextToInt(field);
}
