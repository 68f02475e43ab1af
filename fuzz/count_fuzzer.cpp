// The count conversion: every number the operator types or the settings file holds.
#include <limits>

#include "app/model/CountRules.h"
#include "base/Text.h"
#include "fuzz/FuzzSupport.h"

namespace {

// The reading rule written out a second way: collect the digits as text, then decide.
int32_t ReferenceValue(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i].isSpace() || (text[i] >= u'\t' && text[i] <= u'\r') || text[i] == u' ')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i++] == u'-';
    }
    // Full-width digits, what an input method types in full-width mode, count as digits.
    QString digits;
    for (; i < text.size(); ++i) {
        if (text[i] >= u'0' && text[i] <= u'9') {
            digits += text[i];
        } else if (text[i] >= u'\uFF10' && text[i] <= u'\uFF19') {
            digits += QChar(u'0' + (text[i].unicode() - 0xFF10));
        } else {
            break;
        }
    }
    while (digits.size() > 1 && digits.front() == u'0') {
        digits.remove(0, 1);
    }
    if (digits.isEmpty()) {
        return 0;
    }
    if (digits.size() > 10) {  // beyond any 32-bit value
        return negative ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    }
    const qlonglong magnitude = digits.toLongLong();
    const qlonglong value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::TextFromBytes(data, size);
    const int32_t value = vantric::TextToInt(text);
    FUZZ_CHECK(value == ReferenceValue(text));
    // The number ends at the first character that is no digit.
    FUZZ_CHECK(vantric::TextToInt(QString(text + u'x')) == value);
    // Whatever is read can be written and reads back the same.
    FUZZ_CHECK(vantric::TextToInt(vantric::IntToText(value)) == value);

    const int32_t total = counts::ReadCartonTotal(text);
    FUZZ_CHECK(total == value);
    if (counts::IsValidCount(total)) {
        FUZZ_CHECK(total >= 1 && total <= 999);
        const int64_t pages = counts::PageCountFor(total);
        FUZZ_CHECK(total + counts::FillerCountFor(total) == pages * counts::kLabelsPerPage);
        FUZZ_CHECK(counts::FillerCountFor(total) >= 0 && counts::FillerCountFor(total) < 4);
        const int32_t height = counts::NumberFontHeightFor(total);
        FUZZ_CHECK(height == 180 || height == 145 || height == 100);
    }
    return 0;
}
