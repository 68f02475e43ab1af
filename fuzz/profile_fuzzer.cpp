// The settings file as it comes from disk: any bytes in any encoding. Reading must hand back
// the bytes unchanged, NUL padding must not change what reads, and every write must read back
// while leaving the rest of the file as it was.
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ProfileText.h"

using namespace vantric::profile;

namespace {

struct Entry {
    QString section;
    QString key;
};

// The section and key names a reader could ask for: every non-blank line under a header, with
// or without "=" (a header is "[" with a "]" after it).
std::vector<Entry> EntriesOf(const ProfileDocument& document) {
    std::vector<Entry> entries;
    QString section;
    bool inSection = false;
    for (const ProfileLine& line : document.lines) {
        const QStringView trimmed = vantric::TrimControlAndSpace(line.text);
        const qsizetype close = trimmed.indexOf(u']');
        if (trimmed.startsWith(u'[') && close > 0) {
            section = vantric::TrimControlAndSpace(trimmed.mid(1, close - 1)).toString();
            inSection = true;
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        const QString key =
            vantric::TrimControlAndSpace(equals >= 0 ? trimmed.left(equals) : trimmed).toString();
        if (inSection && !key.isEmpty()) {
            entries.push_back({section, key});
        }
    }
    return entries;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool HasUnpairedSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            return true;
        }
    }
    return false;
}

// A value that reads back exactly as written: no blanks at the ends to trim, no enclosing
// quotes to remove, not longer than a read hands back.
bool IsPlainValue(const QString& value) {
    if (vantric::TrimControlAndSpace(value).size() != value.size() ||
        value.size() > kMaxValueLength) {
        return false;
    }
    return !(value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
             value.back() == value.front());
}

void CheckWrite(const ProfileDocument& before, const QString& section, const QString& key,
                const QString& value) {
    fuzz::Context() = QStringLiteral("writing [%1] %2=%3").arg(section, key, value).toStdString();
    ProfileDocument after = before;
    const bool written = SetProfileValue(after, section, key, value);
    const QByteArray oldBytes = SerialiseProfile(before);
    const QByteArray newBytes = SerialiseProfile(after);
    if (!written) {
        // A refused write changes nothing, and is refused only for what a file cannot carry.
        FUZZ_CHECK(newBytes == oldBytes);
        FUZZ_CHECK(!IsWritableEntry(section, key, value) || before.nulInside ||
                   HasUnpairedSurrogate(section) || HasUnpairedSurrogate(key) ||
                   HasUnpairedSurrogate(value));
        return;
    }
    FUZZ_CHECK(IsWritableEntry(section, key, value) && !before.nulInside);
    FUZZ_CHECK(after.trailer.isEmpty());

    // The file written is still a text file of the same encoding, and the value reads back.
    const ProfileDocument reread = ParseProfile(newBytes);
    FUZZ_CHECK(SerialiseProfile(reread) == newBytes);
    // A GB18030 file whose only bytes outside UTF-8 were in the value replaced reads as UTF-8
    // from then on, and a UTF-8 file whose only bytes beyond ASCII were there reads as the code
    // page; every other line keeps its bytes (checked below), but names and values decode
    // differently, so only the bytes can be compared.
    const auto byteEncoding = [](TextEncoding e) {
        return e == TextEncoding::Gb18030 || e == TextEncoding::Utf8;
    };
    const bool nowUtf8 = reread.encoding != before.encoding && byteEncoding(before.encoding) &&
                         byteEncoding(reread.encoding);
    FUZZ_CHECK(reread.encoding == before.encoding || nowUtf8);
    const std::optional<QString> readBack = FindProfileValue(reread, section, key);
    FUZZ_CHECK(readBack.has_value() || nowUtf8);
    if (readBack && IsPlainValue(value) && !nowUtf8) {
        FUZZ_CHECK(*readBack == value);
    }

    // Every other key keeps its value.
    for (const Entry& e : nowUtf8 ? std::vector<Entry>() : EntriesOf(before)) {
        if (SameName(e.section, section) && SameName(e.key, key)) {
            continue;
        }
        fuzz::Context() = QStringLiteral("writing [%1] %2=%3, then reading [%4] %5: %6 became %7")
                              .arg(section, key, value, e.section, e.key,
                                   FindProfileValue(before, e.section, e.key).value_or("(none)"),
                                   FindProfileValue(reread, e.section, e.key).value_or("(none)"))
                              .toStdString();
        FUZZ_CHECK(FindProfileValue(reread, e.section, e.key) ==
                   FindProfileValue(before, e.section, e.key));
    }

    // Every other line keeps its bytes and its place: one line is replaced, or one or two are
    // added (the last line before them may gain the line end it lacked, and a character cut short
    // at its end is written as the replacement character it reads as).
    const std::vector<ProfileLine>& oldLines = before.lines;
    const std::vector<ProfileLine>& newLines = after.lines;
    FUZZ_CHECK(newLines.size() >= oldLines.size() && newLines.size() <= oldLines.size() + 2);
    // The same line, or the last one completed when lines were added after it.
    const auto kept = [&](size_t o, size_t n) {
        return newLines[n].body == oldLines[o].body ||
               (oldLines[o].terminator.isEmpty() && !newLines[n].terminator.isEmpty() &&
                newLines[n].text == oldLines[o].text);
    };
    size_t differing = 0;
    for (size_t o = 0, n = 0; o < oldLines.size(); ++o, ++n) {
        while (n < newLines.size() && !kept(o, n) && n - o < newLines.size() - oldLines.size()) {
            ++n;  // an added line
        }
        FUZZ_CHECK(n < newLines.size());
        if (!kept(o, n)) {
            ++differing;
        } else if (newLines[n].terminator != oldLines[o].terminator) {
            FUZZ_CHECK(oldLines[o].terminator.isEmpty());
        }
    }
    FUZZ_CHECK(differing <= 1);
    FUZZ_CHECK(newLines.size() == oldLines.size() || differing == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Every file reads, and reading keeps every byte.
    const ProfileDocument document = ParseProfile(bytes);
    FUZZ_CHECK(SerialiseProfile(document) == bytes);

    // The program's own keys, plus names and values taken from the file itself.
    const std::array<std::pair<QString, QString>, 3> programKeys{{
        {QStringLiteral("打印预览边距"), QStringLiteral("页眉")},
        {QStringLiteral("超重标宽度"), QStringLiteral("列")},
        {QStringLiteral("超重标表格"), QStringLiteral("表格线是否显示")},
    }};
    const size_t seed = size == 0 ? 0 : data[size - 1] + 256u * data[size / 2];
    const int32_t number = static_cast<int32_t>(seed * 2654435761u);
    for (const auto& [section, key] : programKeys) {
        const std::optional<QString> value = FindProfileValue(document, section, key);
        FUZZ_CHECK(!value || value->size() <= kMaxValueLength);
        if (value && !value->isEmpty()) {
            FUZZ_CHECK(!value->back().isHighSurrogate() || value->size() < kMaxValueLength);
        }
        CheckWrite(document, section, key, vantric::IntToText(number));
    }
    CheckWrite(document, programKeys[2].first, programKeys[2].second, QStringLiteral("真"));

    // NUL padding at the end (whole UTF-16 units in a UTF-16 file of even length) changes
    // nothing a reader sees.
    const bool utf16 =
        document.encoding == TextEncoding::Utf16LE || document.encoding == TextEncoding::Utf16BE;
    if (!utf16 || bytes.size() % 2 == 0) {
        fuzz::Context() = "reading with NUL padding";
        const ProfileDocument padded = ParseProfile(bytes + QByteArray(2 + seed % 7 * 2, '\0'));
        FUZZ_CHECK(padded.encoding == document.encoding);
        for (const auto& [section, key] : programKeys) {
            FUZZ_CHECK(FindProfileValue(padded, section, key) ==
                       FindProfileValue(document, section, key));
        }
    }

    const std::vector<Entry> entries = EntriesOf(document);
    if (!entries.empty()) {
        const Entry& e = entries[seed % entries.size()];
        CheckWrite(document, e.section, e.key, vantric::IntToText(-number));
        const Entry& other = entries[(seed / 7) % entries.size()];
        CheckWrite(document, e.section, e.key, other.section);
        CheckWrite(document, e.section, other.key + u'x', other.section);
        CheckWrite(document, e.key, e.section, vantric::IntToText(number));
    }
    return 0;
}
