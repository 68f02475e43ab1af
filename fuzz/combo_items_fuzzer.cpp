// The item definition text of a combo box: parse, write the items back, parse again.
#include <QStringList>

#include "base/Text.h"
#include "fuzz/FuzzSupport.h"
#include "ui/ComboItemsDefinition.h"
#include "ui/DefinitionFields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::TextFromBytes(data, size);
    const std::vector<ComboItemsDefinition> items = ParseComboItemsDefinition(text);
    const QStringList fields = SplitDefinitionText(text);
    FUZZ_CHECK(static_cast<qsizetype>(items.size()) == fields.size() / 2);

    QStringList written;
    for (size_t i = 0; i < items.size(); ++i) {
        const ComboItemsDefinition& item = items[i];
        FUZZ_CHECK(fields[static_cast<qsizetype>(i) * 2].startsWith(item.text));
        FUZZ_CHECK(item.text.isEmpty() || item.text.back().unicode() > 0x20);
        FUZZ_CHECK(item.value == vantric::TextToInt(fields[static_cast<qsizetype>(i) * 2 + 1]));
        written << item.text << vantric::IntToText(item.value);
    }
    FUZZ_CHECK(ParseComboItemsDefinition(written.join(u'\n')) == items);
    return 0;
}
