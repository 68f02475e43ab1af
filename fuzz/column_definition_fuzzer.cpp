// The column definition text of a list view: parse, write the columns back, parse again.
#include <QStringList>

#include "base/Text.h"
#include "fuzz/FuzzSupport.h"
#include "ui/ColumnDefinition.h"
#include "ui/DefinitionFields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::TextFromBytes(data, size);
    const std::vector<ColumnDefinition> columns = ParseColumnDefinition(text);
    const QStringList fields = SplitDefinitionText(text);
    FUZZ_CHECK(static_cast<qsizetype>(columns.size()) == fields.size() / 5);

    QStringList written;
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnDefinition& c = columns[i];
        FUZZ_CHECK(c.alignment >= 0 && c.alignment <= 2);
        FUZZ_CHECK(c.title == fields[static_cast<qsizetype>(i) * 5 + 4]);  // never trimmed
        written << (c.imageOnRight ? QStringLiteral("1") : QStringLiteral("0"))
                << vantric::IntToText(c.imageIndex) << vantric::IntToText(c.alignment)
                << vantric::IntToText(c.width) << c.title;
    }
    // The closing line feed keeps an empty last title a field of its own.
    FUZZ_CHECK(ParseColumnDefinition(QString(written.join(u'\n') + u'\n')) == columns);
    return 0;
}
