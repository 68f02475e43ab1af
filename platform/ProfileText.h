// Platform stand-in: the text of a profile (INI) file, parsed and rewritten without touching
// the disk.
//
// A file is kept as its lines, each with its original bytes, so that a write changes exactly
// one line (or adds one) and every other byte stays as it was: unknown sections and keys,
// blank lines, line ends and the order. The lines mean what the platform's profile service reads
// in them: a line ends at LF, CR LF or a lone CR; "[name]" opens a section (without its "]" it
// does not); every other non-blank line is a key, "key=value" or a bare key that has no value;
// a NUL ends a line's text. Names match without regard to case, values are trimmed, and the
// first matching section and key win.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace vantric::profile {

// The encodings a settings file may come in. A file keeps its encoding when it is rewritten.
enum class TextEncoding {
    Utf8,     // no byte-order mark, valid UTF-8 and not plain ASCII
    Utf8Bom,  // EF BB BF
    Utf16LE,  // FF FE, what a Windows copy may leave
    Utf16BE,  // FE FF
    Gb18030,  // anything else: the Chinese Windows code page, also what new files get
};

struct ProfileLine {
    QByteArray body;        // encoded bytes without the line end
    QByteArray terminator;  // encoded "\n" or "\r\n", empty on a last line without one
    QString text;           // body decoded
};

struct ProfileDocument {
    TextEncoding encoding = TextEncoding::Gb18030;
    std::vector<ProfileLine> lines;
    // What follows the text: NUL padding (an unclean shutdown leaves it, some editors write it)
    // and the odd last byte of a UTF-16 file. Kept while nothing is written, dropped by a write.
    QByteArray trailer;
    // A NUL inside the text: the file reads, but may be no text file at all, so it is not
    // written.
    bool nulInside = false;
};

// Longest value a read hands back: the platform reads into 10,240 UTF-16 units, one of them the
// terminating null.
constexpr qsizetype kMaxValueLength = 10240 - 1;

// Picks the encoding from the byte-order mark, else UTF-8 when the bytes (less any NUL padding)
// are valid UTF-8 that is not plain ASCII (a last character cut short is allowed), else GB18030:
// plain ASCII is what the Windows code page writes too, so keys added to it are written that way.
TextEncoding DetectEncoding(const QByteArray& bytes);

// Every file parses; nothing is refused on reading.
ProfileDocument ParseProfile(const QByteArray& bytes);

// The bytes of the document: byte-order mark, every line as kept and the trailer.
QByteArray SerialiseProfile(const ProfileDocument& document);

// The value of key in section, trimmed and with one pair of enclosing quotes removed, cut to
// kMaxValueLength; null when the section or key is missing or the key is a bare one.
std::optional<QString> FindProfileValue(const ProfileDocument& document, QStringView section,
                                        QStringView key);

// Replaces the key's value in place (a bare key gains "=value"), or adds the key after the last
// key of its section, or adds the section with the key at the end; drops the trailer. False
// (document unchanged) for names or a value the file's line structure cannot carry, text the
// encoding cannot hold, or a document with a NUL inside.
bool SetProfileValue(ProfileDocument& document, QStringView section, QStringView key,
                     QStringView value);

// True when the texts can be written as a section name, key and value that read back as given.
bool IsWritableEntry(QStringView section, QStringView key, QStringView value);

}  // namespace vantric::profile
