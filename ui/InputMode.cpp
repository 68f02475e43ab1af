#include "ui/InputMode.h"

#include <QDateTime>
#include <algorithm>
#include <limits>

#include "base/Text.h"

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The text of an editing key: C0 controls (Backspace, Tab, Enter, Escape), DEL (the Delete key
// on X11 and Wayland) and the C1 controls. Never filtered.
bool IsEditingKeyText(QChar c) {
    return c.category() == QChar::Other_Control;
}

bool IsCSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r') || c.isSpace();
}

// Leading white space, optional sign, digits; saturates at the 64-bit limits.
int64_t TextToInt64(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    constexpr uint64_t kLimit = uint64_t{std::numeric_limits<int64_t>::max()} + 1;
    uint64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        }
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<int64_t>::min()
                                   : -static_cast<int64_t>(magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<int64_t>::max()
                               : static_cast<int64_t>(magnitude);
}

// The longest leading decimal number (sign, digits, point, exponent) after white space, read
// in the C locale; 0 when there is none.
double TextToDouble(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    qsizetype digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    qsizetype end = i;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            end = j;
        }
    }
    return text.mid(start, end - start).toDouble();
}

// Values beyond the single range become infinities rather than undefined conversions.
float ToSingle(double d) {
    if (d > std::numeric_limits<float>::max()) {
        return std::numeric_limits<float>::infinity();
    }
    if (d < -std::numeric_limits<float>::max()) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(d);
}

QString NormaliseDate(const QString& text, bool withTime) {
    static const char* const kFormats[] = {"yyyy-M-d H:m:s", "yyyy-M-d H:m", "yyyy/M/d H:m:s",
                                           "yyyy/M/d H:m",   "yyyy-M-d",     "yyyy/M/d",
                                           "yyyy.M.d",       "yyyyMMdd",     "yyyy年M月d日"};
    const QString trimmed = text.trimmed();
    for (const char* format : kFormats) {
        const QDateTime dt = QDateTime::fromString(trimmed, QString::fromUtf8(format));
        if (dt.isValid()) {
            return dt.toString(withTime ? QStringLiteral("yyyy-MM-dd HH:mm:ss")
                                        : QStringLiteral("yyyy-MM-dd"));
        }
    }
    return QString();
}

}  // namespace

bool InputModeAllowsChar(int inputMode, QChar c) {
    if (IsEditingKeyText(c)) {
        return true;
    }
    switch (inputMode) {
        case 3:
        case 6:
        case 7:
        case 8:
            return IsDigit(c) || c == u'-';
        case 4:
        case 9:
        case 10:
            return IsDigit(c) || c == u'-' || c == u'.';
        case 5:
            return IsDigit(c);
        default:
            return true;
    }
}

bool InputDialogModeAllowsChar(int inputDialogMode, QChar c) {
    if (IsEditingKeyText(c)) {
        return true;
    }
    switch (inputDialogMode) {
        case 2:
            return IsDigit(c) || c == u'-';
        case 3:
            return IsDigit(c) || c == u'-' || c == u'.';
        default:
            return true;
    }
}

QString NormaliseInputModeText(int inputMode, const QString& text) {
    QString result;
    switch (inputMode) {
        case 5:
            result = QString::number(std::clamp<int32_t>(vantric::TextToInt(text), 0, 255));
            break;
        case 6:
            result = QString::number(std::clamp<int32_t>(vantric::TextToInt(text), -32768, 32767));
            break;
        case 7:
            result = vantric::IntToText(vantric::TextToInt(text));
            break;
        case 8:
            result = QString::number(TextToInt64(text));
            break;
        case 9:
            result = QString::asprintf("%.6G", static_cast<double>(ToSingle(TextToDouble(text))));
            break;
        case 10:
            result = QString::asprintf("%.13G", TextToDouble(text));
            break;
        case 11:
        case 12:
            return NormaliseDate(text, inputMode == 11);
        default:
            return text;
    }
    return result == u"0" ? QString() : result;
}
