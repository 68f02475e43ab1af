#include "base/Text.h"

#include <limits>

namespace vantric {

namespace {
bool IsWideSpace(QChar c) {
    // The C library's wide white-space class: blank, the control spaces and Unicode spaces.
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r') || c.isSpace();
}
// The digit value of u, -1 for a character that is no digit. The full-width digits are what a
// Chinese input method types in full-width mode; the C runtime of the desk's platform reads them
// as digits too. Its full-width minus and plus are no signs.
int DigitValue(char16_t u) {
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'\uFF10' && u <= u'\uFF19') {
        return u - u'\uFF10';
    }
    return -1;
}
}  // namespace

int32_t TextToInt(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsWideSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range: saturation only needs
    // to know that the limit was passed.
    int64_t magnitude = 0;
    constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < n; ++i) {
        const int digit = DigitValue(text[i].unicode());
        if (digit < 0) {
            break;
        }
        if (magnitude <= kCap) {
            magnitude = magnitude * 10 + digit;
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

QString IntToText(int32_t value) {
    return QString::number(value);
}

QStringView TrimControlAndSpace(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= 0x20) {
        ++b;
    }
    while (e > b && text[e - 1].unicode() <= 0x20) {
        --e;
    }
    return text.mid(b, e - b);
}

QStringView TrimTrailingControlAndSpace(QStringView text) {
    qsizetype e = text.size();
    while (e > 0 && text[e - 1].unicode() <= 0x20) {
        --e;
    }
    return text.left(e);
}

}  // namespace vantric
