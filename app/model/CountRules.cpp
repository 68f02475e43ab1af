#include "app/model/CountRules.h"

#include <algorithm>

#include "base/Text.h"

namespace counts {

int32_t ReadCartonTotal(QStringView text) {
    return vantric::TextToInt(text);
}

std::optional<int32_t> ReadWrittenCount(QStringView text) {
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const int32_t count = ReadCartonTotal(text);
    return IsValidCount(count) ? std::optional<int32_t>(count) : std::nullopt;
}

}  // namespace counts
