#include "platform/ProfileText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "base/Text.h"
#include "platform/Gb18030.h"

namespace vantric::profile {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LEBom("\xFF\xFE", 2);
const QByteArray kUtf16BEBom("\xFE\xFF", 2);

QByteArray ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return kUtf8Bom;
        case TextEncoding::Utf16LE:
            return kUtf16LEBom;
        case TextEncoding::Utf16BE:
            return kUtf16BEBom;
        default:
            return {};
    }
}

// The text of `bytes` in the encoding, each call on its own (no state carried over).
QString Decode(TextEncoding encoding, const QByteArray& bytes) {
    const auto flags = QStringConverter::Flag::Stateless;
    switch (encoding) {
        case TextEncoding::Utf16LE:
            return QStringDecoder(QStringConverter::Utf16LE, flags).decode(bytes);
        case TextEncoding::Utf16BE:
            return QStringDecoder(QStringConverter::Utf16BE, flags).decode(bytes);
        case TextEncoding::Gb18030:
            return DecodeGb18030(bytes);
        default:
            return QStringDecoder(QStringConverter::Utf8, flags).decode(bytes);
    }
}

std::optional<QByteArray> Encode(TextEncoding encoding, QStringView text) {
    const auto flags = QStringConverter::Flag::Stateless;
    QStringEncoder encoder;
    switch (encoding) {
        case TextEncoding::Utf16LE:
            encoder = QStringEncoder(QStringConverter::Utf16LE, flags);
            break;
        case TextEncoding::Utf16BE:
            encoder = QStringEncoder(QStringConverter::Utf16BE, flags);
            break;
        case TextEncoding::Gb18030:
            return EncodeGb18030(text);
        default:
            encoder = QStringEncoder(QStringConverter::Utf8, flags);
            break;
    }
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return bytes;
}

QString TrimmedText(QStringView text) {
    return TrimControlAndSpace(text).toString();
}

// "[name]", perhaps followed by more text. Without its "]" the line is a key. A ";" line is a key
// too: the profile service knows no comments (its keys just never match ours).
bool IsSectionHeader(QStringView trimmed) {
    return trimmed.startsWith(u'[') && trimmed.indexOf(u']') > 0;
}

QString SectionName(QStringView trimmed) {
    return TrimmedText(trimmed.mid(1, trimmed.indexOf(u']') - 1));
}

// The key of a key line: up to "=", or the whole line for a bare key.
QStringView KeyName(QStringView trimmed) {
    const qsizetype equals = trimmed.indexOf(u'=');
    return TrimControlAndSpace(equals < 0 ? trimmed : trimmed.left(equals));
}

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines are: its header and the last of its key lines (the header when it
// has none).
struct SectionSpan {
    qsizetype header = -1;
    qsizetype lastKey = -1;
    qsizetype keyLine = -1;  // line of the sought key, -1 when missing
};

SectionSpan FindSection(const ProfileDocument& document, QStringView section, QStringView key) {
    SectionSpan span;
    const qsizetype count = static_cast<qsizetype>(document.lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QStringView trimmed = TrimControlAndSpace(document.lines[i].text);
        if (IsSectionHeader(trimmed)) {
            if (span.header >= 0) {
                break;  // the first section of that name is the one that counts
            }
            if (SameName(SectionName(trimmed), section)) {
                span.header = i;
                span.lastKey = i;
            }
            continue;
        }
        if (span.header < 0 || trimmed.isEmpty()) {
            continue;
        }
        // New keys go after the section's last key, but ahead of a ";" line: that one reads as a
        // key too, yet in a hand-made file it is a note about what follows.
        if (!trimmed.startsWith(u';')) {
            span.lastKey = i;
        }
        if (span.keyLine < 0 && SameName(KeyName(trimmed), key)) {
            span.keyLine = i;
        }
    }
    return span;
}

// The line end of the file's first line that has one; CR LF for a file without any.
QString PreferredLineEnd(const ProfileDocument& document) {
    for (const ProfileLine& line : document.lines) {
        if (!line.terminator.isEmpty()) {
            for (const QString& end : {QStringLiteral("\r\n"), QStringLiteral("\r")}) {
                if (line.terminator == Encode(document.encoding, end)) {
                    return end;
                }
            }
            return QStringLiteral("\n");
        }
    }
    return QStringLiteral("\r\n");  // as Windows writes a new file
}

// The text of a line's bytes, decoded as if a line end followed: a multi-byte sequence cut
// short at the end of a line then reads as a replacement character wherever the line stands.
// Without the line end the decoder would drop it, so that adding a line end after the last line
// would change what that line says.
QString DecodeLine(TextEncoding encoding, const QByteArray& body, const QByteArray& lineFeed) {
    QString text = Decode(encoding, body + lineFeed);
    if (text.endsWith(u'\n')) {
        text.chop(1);
        return text;
    }
    return Decode(encoding, body);
}

// Splits into lines at LF, CR LF or a lone CR, in bytes or in UTF-16 units of either order.
void SplitLines(const QByteArray& content, ProfileDocument& document) {
    const bool bigEndian = document.encoding == TextEncoding::Utf16BE;
    const qsizetype unit = bigEndian || document.encoding == TextEncoding::Utf16LE ? 2 : 1;
    const QByteArray lineFeed =
        unit == 1 ? QByteArray("\n") : (bigEndian ? QByteArray("\0\n", 2) : QByteArray("\n\0", 2));
    const auto isUnit = [&](qsizetype at, char c) {
        if (unit == 1) {
            return content[at] == c;
        }
        return bigEndian ? content[at] == '\0' && content[at + 1] == c
                         : content[at] == c && content[at + 1] == '\0';
    };
    const qsizetype size = content.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end + unit <= size && !isUnit(end, '\n') && !isUnit(end, '\r')) {
            end += unit;
        }
        qsizetype next = end;
        if (end + unit <= size) {
            next = end + unit;
            if (isUnit(end, '\r') && next + unit <= size && isUnit(next, '\n')) {
                next += unit;
            }
        } else {
            end = next = size;  // last line without a line end
        }
        ProfileLine line;
        line.body = content.mid(start, end - start);
        line.terminator = content.mid(end, next - end);
        line.text = DecodeLine(document.encoding, line.body, lineFeed);
        if (const qsizetype nul = line.text.indexOf(QChar(u'\0')); nul >= 0) {
            line.text.truncate(nul);  // the line's text ends at a NUL
            document.nulInside = true;
        }
        document.lines.push_back(std::move(line));
        start = next;
    }
}

std::optional<ProfileLine> MakeLine(TextEncoding encoding, QStringView text, const QString& end) {
    std::optional<QByteArray> body = Encode(encoding, text);
    std::optional<QByteArray> terminator = Encode(encoding, end);
    if (!body || !terminator) {
        return std::nullopt;
    }
    return ProfileLine{*body, *terminator, text.toString()};
}

bool HasLineBreakOrNull(QStringView text) {
    for (QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\0') {
            return true;
        }
    }
    return false;
}

// The bytes of a UTF-8 character cut short at the very end (a file whose copy broke off), 0
// when the bytes end on a whole character or on something that is no UTF-8 at all.
qsizetype CutShortUtf8Tail(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: the lead byte is further back
        }
        if (byte < 0xC2 || byte > 0xF4) {
            return 0;
        }
        const qsizetype length = byte >= 0xF0 ? 4 : (byte >= 0xE0 ? 3 : 2);
        return length > back ? back : 0;
    }
    return 0;
}

// A UTF-8 character cut short at the end of the file only stays harmless at the end: with more
// lines after it the file would no longer read as UTF-8. It is written as what it reads as, the
// replacement character, so the line says the same and the file stays UTF-8.
void CompleteCutShortCharacter(ProfileLine& line) {
    const qsizetype cut = CutShortUtf8Tail(line.body);
    if (cut == 0) {
        return;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString fragment = utf8.decode(line.body.right(cut) + '\n');
    fragment.chop(1);
    line.body = line.body.left(line.body.size() - cut) + fragment.toUtf8();
}

bool IsUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

}  // namespace

TextEncoding DetectEncoding(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf16LEBom)) {
        return TextEncoding::Utf16LE;
    }
    if (bytes.startsWith(kUtf16BEBom)) {
        return TextEncoding::Utf16BE;
    }
    if (bytes.startsWith(kUtf8Bom)) {
        return TextEncoding::Utf8Bom;
    }
    qsizetype size = bytes.size();
    while (size > 0 && bytes[size - 1] == '\0') {
        --size;
    }
    const QByteArrayView text = QByteArrayView(bytes).first(size);
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return TextEncoding::Gb18030;
    }
    // A UTF-8 file cut off inside its last character is still a UTF-8 file.
    const qsizetype cutShort = CutShortUtf8Tail(text.toByteArray());
    return IsUtf8(text.first(size - cutShort)) ? TextEncoding::Utf8 : TextEncoding::Gb18030;
}

ProfileDocument ParseProfile(const QByteArray& bytes) {
    ProfileDocument document;
    document.encoding = DetectEncoding(bytes);
    const qsizetype bom = ByteOrderMark(document.encoding).size();
    const qsizetype unit = bom == 2 ? 2 : 1;
    // The text ends before an odd last byte of UTF-16 and before the NUL padding.
    qsizetype end = bom + (bytes.size() - bom) / unit * unit;
    while (end - unit >= bom && bytes.mid(end - unit, unit).count('\0') == unit) {
        end -= unit;
    }
    document.trailer = bytes.mid(end);
    SplitLines(bytes.mid(bom, end - bom), document);
    return document;
}

QByteArray SerialiseProfile(const ProfileDocument& document) {
    QByteArray bytes = ByteOrderMark(document.encoding);
    for (const ProfileLine& line : document.lines) {
        bytes += line.body;
        bytes += line.terminator;
    }
    return bytes + document.trailer;
}

std::optional<QString> FindProfileValue(const ProfileDocument& document, QStringView section,
                                        QStringView key) {
    const SectionSpan span = FindSection(document, section, key);
    if (span.keyLine < 0) {
        return std::nullopt;
    }
    const QString& text = document.lines[span.keyLine].text;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0) {
        return std::nullopt;  // a bare key: the service answers the caller's default
    }
    QStringView value = TrimControlAndSpace(QStringView(text).mid(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    if (value.size() > kMaxValueLength) {
        value = value.left(kMaxValueLength);
        // Never hand back half a surrogate pair.
        if (value.back().isHighSurrogate()) {
            value.chop(1);
        }
    }
    return value.toString();
}

bool IsWritableEntry(QStringView section, QStringView key, QStringView value) {
    const QStringView trimmedSection = TrimControlAndSpace(section);
    const QStringView trimmedKey = TrimControlAndSpace(key);
    if (trimmedSection.isEmpty() || trimmedKey.isEmpty()) {
        return false;
    }
    if (HasLineBreakOrNull(section) || HasLineBreakOrNull(key) || HasLineBreakOrNull(value)) {
        return false;
    }
    // A "]" would end the header early; "=" would end the key early; "[" could turn the key line
    // into a header; a U+FEFF opening the line would be read as a byte-order mark and dropped.
    return !section.contains(u']') && !key.contains(u'=') && !trimmedKey.startsWith(u'[') &&
           !key.startsWith(QChar(0xFEFF));
}

bool SetProfileValue(ProfileDocument& document, QStringView section, QStringView key,
                     QStringView value) {
    if (!IsWritableEntry(section, key, value) || document.nulInside) {
        return false;
    }
    const TextEncoding encoding = document.encoding;
    const QString lineEnd = PreferredLineEnd(document);
    const SectionSpan span = FindSection(document, section, key);

    if (span.keyLine >= 0) {
        ProfileLine& line = document.lines[span.keyLine];
        const std::optional<QByteArray> encodedValue = Encode(encoding, value);
        const std::optional<QByteArray> equals = Encode(encoding, u"=");
        if (!encodedValue || !equals) {
            return false;
        }
        // The key part keeps its bytes (spelling, case and spacing as the file has them). '='
        // cannot appear inside a multi-byte character of these encodings, so the first one in
        // the bytes is the first one in the text. A bare key gains its "=".
        qsizetype at = line.body.indexOf(*equals);
        while (at >= 0 && at % equals->size() != 0) {
            at = line.body.indexOf(*equals, at + 1);
        }
        const qsizetype textEquals = line.text.indexOf(u'=');
        if (at < 0) {
            line.body += *equals + *encodedValue;
            line.text += u'=' + value.toString();
        } else {
            line.body = line.body.left(at + equals->size()) + *encodedValue;
            line.text = line.text.left(textEquals + 1) + value;
        }
        document.trailer.clear();
        return true;
    }

    std::vector<ProfileLine> added;
    if (span.header < 0) {
        std::optional<ProfileLine> header =
            MakeLine(encoding, QString(u'[' + section.toString() + u']'), lineEnd);
        if (!header) {
            return false;
        }
        added.push_back(std::move(*header));
    }
    std::optional<ProfileLine> entry =
        MakeLine(encoding, QString(key.toString() + u'=' + value.toString()), lineEnd);
    if (!entry) {
        return false;
    }
    added.push_back(std::move(*entry));

    const qsizetype after =
        span.header >= 0 ? span.lastKey : static_cast<qsizetype>(document.lines.size()) - 1;
    if (after >= 0 && document.lines[after].terminator.isEmpty()) {
        std::optional<QByteArray> terminator = Encode(encoding, lineEnd);
        if (!terminator) {
            return false;
        }
        document.lines[after].terminator = *terminator;
        if (encoding == TextEncoding::Utf8) {
            CompleteCutShortCharacter(document.lines[after]);
        }
    }
    document.lines.insert(document.lines.begin() + (after + 1),
                          std::make_move_iterator(added.begin()),
                          std::make_move_iterator(added.end()));
    document.trailer.clear();
    return true;
}

}  // namespace vantric::profile
