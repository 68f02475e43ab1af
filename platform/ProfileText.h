// Platform stand-in: the text of a profile (INI) file, parsed and rewritten without touching
// the disk.
//
// A file is kept as its lines, each with its original bytes, so that a write changes exactly
// one line (or adds one) and every other byte stays as it was: unknown sections and keys,
// comments, blank lines, line ends and the order. Names of sections and keys match without
// regard to case, values are trimmed, and the first matching section and key win, as the
// platform's profile service does.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vantric::profile {

// The encodings a settings file may come in. A file keeps its encoding when it is rewritten.
enum class TextEncoding {
    Utf8,     // no byte-order mark; also what new files get
    Utf8Bom,  // EF BB BF
    Utf16LE,  // FF FE, what a Windows copy may leave
    Gb18030,  // neither of the above: the Chinese Windows code page
};

struct ProfileLine {
    QByteArray body;        // encoded bytes without the line end
    QByteArray terminator;  // encoded "\n" or "\r\n", empty on a last line without one
    QString text;           // body decoded
};

struct ProfileDocument {
    TextEncoding encoding = TextEncoding::Utf8;
    std::vector<ProfileLine> lines;
};

// Longest value a read hands back: the platform reads into 10,240 UTF-16 units, one of them the
// terminating null.
constexpr qsizetype kMaxValueLength = 10240 - 1;

// Picks the encoding from the byte-order mark, else UTF-8 when the bytes are valid UTF-8 (a last
// character cut short is allowed), else GB18030.
TextEncoding DetectEncoding(const QByteArray& bytes);

// Null for content that is no text file at all (NUL bytes outside UTF-16, odd-length UTF-16).
std::optional<ProfileDocument> ParseProfile(const QByteArray& bytes);

// The bytes of the document: byte-order mark and every line as kept.
QByteArray SerialiseProfile(const ProfileDocument& document);

// The value of key in section, trimmed and with one pair of enclosing quotes removed, cut to
// kMaxValueLength; null when the section or key is missing.
std::optional<QString> FindProfileValue(const ProfileDocument& document, QStringView section,
                                        QStringView key);

// Replaces the key's value in place, or adds the key after the last key of its section, or adds
// the section with the key at the end. False (document unchanged) for names or a value the
// file's line structure cannot carry, or text the encoding cannot hold.
bool SetProfileValue(ProfileDocument& document, QStringView section, QStringView key,
                     QStringView value);

// True when the texts can be written as a section name, key and value that read back as given.
bool IsWritableEntry(QStringView section, QStringView key, QStringView value);

}  // namespace vantric::profile
