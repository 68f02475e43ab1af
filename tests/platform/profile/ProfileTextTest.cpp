#include "platform/Gb18030.h"
#include "platform/ProfileText.h"

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <ostream>

using namespace vantric::profile;

namespace {

QByteArray Utf16(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE", 2) + QByteArray(encoder.encode(text));
}

QByteArray Utf16BE(const QString& text) {
    QStringEncoder encoder(QStringConverter::Utf16BE);
    return QByteArray("\xFE\xFF", 2) + QByteArray(encoder.encode(text));
}

QByteArray Nuls(int count) {
    return QByteArray(count, '\0');
}

QByteArray Gb(const QString& text) {
    return vantric::EncodeGb18030(text).value_or(QByteArray());
}

ProfileDocument Parse(const QByteArray& bytes) {
    return ParseProfile(bytes);
}

QByteArray Set(const QByteArray& bytes, const QString& section, const QString& key,
               const QString& value) {
    ProfileDocument document = Parse(bytes);
    EXPECT_TRUE(SetProfileValue(document, section, key, value));
    return SerialiseProfile(document);
}

std::optional<QString> Find(const QByteArray& bytes, const QString& section, const QString& key) {
    return FindProfileValue(Parse(bytes), section, key);
}

struct RoundTripCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
};
void PrintTo(const RoundTripCase& c, std::ostream* out) {
    *out << c.name;
}

class ProfileRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ProfileRoundTrip, ParsesAndSerialisesByteForByte) {
    const RoundTripCase& c = GetParam();
    const ProfileDocument document = Parse(c.bytes);
    EXPECT_EQ(document.encoding, c.encoding);
    EXPECT_EQ(SerialiseProfile(document), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileRoundTrip,
    ::testing::Values(
        // Plain ASCII is what the Windows code page writes too.
        RoundTripCase{"Empty", QByteArray(), TextEncoding::Gb18030},
        RoundTripCase{"CrLfWithoutLastLineEnd", "[a]\r\nb=1\r\n\r\n; note\r\nc=2",
                      TextEncoding::Gb18030},
        RoundTripCase{"LoneCarriageReturnsAndBlanks", "\n\n[a]\rx\nb = 1  \r\r\n",
                      TextEncoding::Gb18030},
        RoundTripCase{"Utf8", QString("[页]\n页眉=60\n").toUtf8(), TextEncoding::Utf8},
        RoundTripCase{"Utf8Bom", QByteArray("\xEF\xBB\xBF") + QString("[页]\n页眉=60\n").toUtf8(),
                      TextEncoding::Utf8Bom},
        RoundTripCase{"Utf16WithBom", Utf16(QStringLiteral("[打印预览边距]\r\n页眉=60\r\n")),
                      TextEncoding::Utf16LE},
        RoundTripCase{"Utf16BigEndian", Utf16BE(QStringLiteral("[打印预览边距]\r\n页眉=60\r\n")),
                      TextEncoding::Utf16BE},
        RoundTripCase{"Utf16WithAnOddLastByte", Utf16(QStringLiteral("[a]\r\nk=1")) + 'x',
                      TextEncoding::Utf16LE},
        RoundTripCase{"Utf16NulPadded", Utf16(QStringLiteral("[a]\r\nk=1")) + Nuls(6),
                      TextEncoding::Utf16LE},
        RoundTripCase{"Gb18030", Gb(QStringLiteral("[打印预览边距]\r\n页眉=60\r\n")),
                      TextEncoding::Gb18030},
        RoundTripCase{"Gb18030NulPadded",
                      Gb(QStringLiteral("[打印预览边距]\r\n页眉=60\r\n")) + Nuls(9),
                      TextEncoding::Gb18030},
        RoundTripCase{"Utf8NulPadded", QString("[页]\n页眉=60").toUtf8() + Nuls(512),
                      TextEncoding::Utf8},
        RoundTripCase{"NulInsideALine", QByteArray("[a]\nk=1\0\x01\x02\nj=2\n", 15),
                      TextEncoding::Gb18030},
        RoundTripCase{"InvalidBytesKept", QByteArray("[a]\nk=\x81\xFF\n"), TextEncoding::Gb18030}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    QByteArray bytes;
    const char* section;
    const char* key;
    std::optional<QString> expected;
};

// Lines as the platform's profile service reads them (the same files go through it in the
// Windows comparison of the profile tests).
TEST(ProfileFind, ReadsLinesAsTheProfileServiceDoes) {
    const ReadCase cases[] = {
        // A key without "=" is a key without a value: it is found (so it hides a later line of
        // the same key) and reads as missing.
        {"bare key", "[a]\nk\nk=16\n", "a", "k", std::nullopt},
        {"after a bare key", "[a]\nk\nj=2\n", "a", "j", "2"},
        // "[b" is no section line: the keys after it stay in [a].
        {"header without bracket", "[a]\n[b\nj=2\n", "a", "j", "2"},
        {"section never opened", "[a]\n[b\nj=2\n", "b", "j", std::nullopt},
        {"lone carriage return", "[a]\rk=1\rj=2", "a", "j", "2"},
        {"carriage returns then CR LF", "[a]\r\rk=1\r\r\nj=2", "a", "k", "1"},
        {"NUL ends the value",
         QByteArray("[a]\nk=12\x00"
                    "34\nj=2\n",
                    15),
         "a", "k", "12"},
        {"line after a NUL",
         QByteArray("[a]\nk=12\x00"
                    "34\nj=2\n",
                    15),
         "a", "j", "2"},
        {"NUL padding", QByteArray("[a]\nk=1") + Nuls(300), "a", "k", "1"},
        {"UTF-16 NUL padding", Utf16(QStringLiteral("[a]\r\nk=1")) + Nuls(8), "a", "k", "1"},
        {"UTF-16 odd byte", Utf16(QStringLiteral("[a]\r\nk=1")) + 'x', "a", "k", "1"},
        {"UTF-16 big-endian", Utf16BE(QStringLiteral("[表]\r\n键=值\r\n")), "表", "键", "值"},
        // The service knows no comments: a ";" line is a key of its own.
        {"semicolon line", "[a]\n;k=1\n", "a", ";k", "1"},
        {"semicolon line hides nothing", "[a]\n;k=1\nk=2\n", "a", "k", "2"},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(FindProfileValue(ParseProfile(c.bytes), QString::fromUtf8(c.section),
                                   QString::fromUtf8(c.key)),
                  c.expected)
            << c.name;
    }
}

TEST(ProfileFind, FollowsTheProfileServiceLookupRules) {
    const QByteArray file =
        "top=0\n"
        "[Margins]\n"
        "  Left  =  25mm  \t\n"
        "; right=99\n"
        "quoted=\"  7 \"\n"
        "single='8'\n"
        "half=\"9\n"
        "no equals here\n"
        "empty=\n"
        "left=second\n"
        "[margins]\n"
        "extra=only in the second copy\n";
    EXPECT_EQ(Find(file, "margins", "LEFT"), QStringLiteral("25mm"));
    EXPECT_EQ(Find(file, "Margins", "quoted"), QStringLiteral("  7 "));
    EXPECT_EQ(Find(file, "Margins", "single"), QStringLiteral("8"));
    EXPECT_EQ(Find(file, "Margins", "half"), QStringLiteral("\"9"));
    EXPECT_EQ(Find(file, "Margins", "empty"), QString());
    EXPECT_FALSE(Find(file, "Margins", "right").has_value());  // the key is "; right"
    EXPECT_EQ(Find(file, "Margins", "; right"), QStringLiteral("99"));
    EXPECT_FALSE(Find(file, "Margins", "top").has_value());    // above every section
    EXPECT_FALSE(Find(file, "Margins", "extra").has_value());  // the first section counts
    EXPECT_FALSE(Find(file, "Margins", "no equals here").has_value());
    EXPECT_FALSE(Find(file, "Missing", "left").has_value());
}

TEST(ProfileFind, ReadsEveryEncoding) {
    const QString text = QStringLiteral("[超重标表格]\r\n表格线是否显示 = 真 \r\n");
    for (const QByteArray& bytes :
         {text.toUtf8(), QByteArray(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), Utf16(text),
          Gb(text)}) {
        EXPECT_EQ(Find(bytes, QStringLiteral("超重标表格"), QStringLiteral("表格线是否显示")),
                  QStringLiteral("真"));
    }
}

TEST(ProfileFind, CutsLongValuesToTheReadBuffer) {
    const QString value(kMaxValueLength + 100, u'x');
    EXPECT_EQ(Find(QString("[s]\nk=" + value).toUtf8(), "s", "k")->size(), 10240 - 1);

    // A pair that would be split by the cut is dropped whole.
    const QString pairAtCut = QString(kMaxValueLength - 1, u'x') + QStringLiteral("😀");
    EXPECT_EQ(Find(QString("[s]\nk=" + pairAtCut).toUtf8(), "s", "k"),
              QString(kMaxValueLength - 1, u'x'));
}

TEST(ProfileSet, ReplacesOneValueAndKeepsEveryOtherByte) {
    const QByteArray before =
        "; written by hand\r\n"
        "[Other]\r\n"
        "unknown = keep me\r\n"
        "\r\n"
        "[打印预览边距]\r\n"
        "左边距= 25mm\r\n"
        "右边距=40";
    EXPECT_EQ(Set(before, "打印预览边距", "左边距", "12"),
              QByteArray("; written by hand\r\n[Other]\r\nunknown = keep me\r\n\r\n"
                         "[打印预览边距]\r\n左边距=12\r\n右边距=40"));
    // The key keeps the spelling the file has.
    EXPECT_EQ(Set("[S]\n  KEY = a\n", "s", "key", "b"), QByteArray("[S]\n  KEY =b\n"));
}

TEST(ProfileSet, AddsMissingKeysAndSectionsWhereTheyBelong) {
    // After the section's last key, ahead of the blank line and comment that lead to the next.
    EXPECT_EQ(Set("[a]\nx=1\n\n; about b\n[b]\ny=2\n", "a", "z", "3"),
              QByteArray("[a]\nx=1\nz=3\n\n; about b\n[b]\ny=2\n"));
    EXPECT_EQ(Set("[a]\n[b]\n", "a", "z", "3"), QByteArray("[a]\nz=3\n[b]\n"));
    // A last line without a line end gets the file's own line end first.
    EXPECT_EQ(Set("[a]\r\nx=1", "a", "z", "3"), QByteArray("[a]\r\nx=1\r\nz=3\r\n"));
    EXPECT_EQ(Set("[a]\r\nx=1", "b", "z", "3"), QByteArray("[a]\r\nx=1\r\n[b]\r\nz=3\r\n"));
    // A new file as Chinese Windows writes one: the code page, CR LF.
    EXPECT_EQ(Set("", "页", "键", "值"), Gb(QStringLiteral("[页]\r\n键=值\r\n")));
    EXPECT_EQ(Set("[a]\rx=1", "a", "z", "3"), QByteArray("[a]\rx=1\rz=3\r"));
}

TEST(ProfileSet, RepairsWhatItReadsPast) {
    // A bare key gains its value where it stands; the later line of the same key stays.
    EXPECT_EQ(Set("[a]\r\nk \r\nk=16\r\n", "a", "k", "25"), QByteArray("[a]\r\nk =25\r\nk=16\r\n"));
    // NUL padding and the odd byte of UTF-16 go with the first write.
    EXPECT_EQ(Set(QByteArray("[a]\nk=1\n") + Nuls(40), "a", "k", "2"), QByteArray("[a]\nk=2\n"));
    EXPECT_EQ(Set(Utf16(QStringLiteral("[a]\r\nk=1\r\n")) + 'x', "a", "k", "2"),
              Utf16(QStringLiteral("[a]\r\nk=2\r\n")));
    // UTF-16 big-endian stays big-endian.
    EXPECT_EQ(Set(Utf16BE(QStringLiteral("[a]\r\nk=1\r\n")), "表", "键", "值"),
              Utf16BE(QStringLiteral("[a]\r\nk=1\r\n[表]\r\n键=值\r\n")));

    // A NUL inside the text: perhaps no text file at all, so nothing is written.
    ProfileDocument document = Parse(QByteArray("[a]\nk=1\0\nj=2\n", 13));
    EXPECT_EQ(FindProfileValue(document, u"a", u"j"), QStringLiteral("2"));
    EXPECT_FALSE(SetProfileValue(document, u"a", u"j", u"3"));
    EXPECT_EQ(SerialiseProfile(document), QByteArray("[a]\nk=1\0\nj=2\n", 13));
}

// The code of Chinese Windows in both directions, in the 2005 edition: two-byte codes, the
// four-byte codes of the BMP in their order, the planes above it, and what broken bytes read as.
TEST(Gb18030, ReadsAndWritesTheCodesOfTheStandard) {
    struct Case {
        const char* bytes;  // hex
        std::u16string text;
        bool both;  // else only read (the bytes are not what writing the text gives)
    };
    const Case cases[] = {
        {"b4f2 d3a1", u"打印", true},
        {"a2e3", u"\u20ac", true},
        {"a3a0", u"\ue5e5", true},
        {"a8bc", u"\u1e3f", true},      // changed in 2005 ...
        {"8135f437", u"\ue7c7", true},  // ... with the code U+1E3F had
        {"81308130", u"\u0080", true},  // the first four-byte code
        {"8431a439", u"\uffff", true},  // the last of the BMP: every code in between counted
        {"90308130", u"\U00010000", true},
        {"e3329a35", u"\U0010ffff", true},
        {"80 ff", u"\ufffd\ufffd", false},
        {"81ff 41", u"\ufffdA", false},
        {"8436 0a", u"\ufffd6\n", false},  // a four-byte code broken off
        {"8130ff30 78", u"\ufffd0\ufffd0x", false},
        {"8431a530", u"\ufffd", false},  // beyond the BMP's codes
        {"41 8130", u"A", false},        // cut short by the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const QByteArray bytes = QByteArray::fromHex(QByteArray(c.bytes).replace(' ', ""));
        const QString text = QString::fromStdU16String(c.text);
        EXPECT_EQ(vantric::DecodeGb18030(bytes), text);
        if (c.both) {
            EXPECT_EQ(vantric::EncodeGb18030(text).value_or("none").toHex(), bytes.toHex());
        }
    }
}

TEST(ProfileSet, KeepsTheFileEncoding) {
    const QString text = QStringLiteral("[打印预览边距]\r\n页眉=60\r\n");
    const QString expected = QStringLiteral("[打印预览边距]\r\n页眉=60\r\n页脚=-7\r\n");
    EXPECT_EQ(Set(Utf16(text), "打印预览边距", "页脚", "-7"), Utf16(expected));
    EXPECT_EQ(Set(Gb(text), "打印预览边距", "页脚", "-7"), Gb(expected));
    const QByteArray bom("\xEF\xBB\xBF");
    EXPECT_EQ(Set(bom + text.toUtf8(), "打印预览边距", "页脚", "-7"), bom + expected.toUtf8());
    // Bytes that are no valid GB18030 stay as they were on the lines not written.
    EXPECT_EQ(Set("[a]\nbad=\x81\xFF\n", "a", "k", "真"),
              QByteArray("[a]\nbad=\x81\xFF\n") + Gb(QStringLiteral("k=真\n")));
}

TEST(ProfileSet, RefusesTextThatWouldBreakTheLineStructure) {
    struct Case {
        QString section, key, value;
    };
    for (const Case& c :
         {Case{"a", "k", "1\n[b]"}, Case{"a", "k", "1\r"},
          Case{"a", "k", QString(QStringLiteral("1") + QChar(u'\0'))}, Case{"a]", "k", "1"},
          Case{"a", "k=x", "1"}, Case{"a", "[k", "1"}, Case{" ", "k", "1"}, Case{"a", "", "1"}}) {
        ProfileDocument document = Parse("[a]\nk=0\n");
        EXPECT_FALSE(SetProfileValue(document, c.section, c.key, c.value)) << c.value.toStdString();
        EXPECT_EQ(SerialiseProfile(document), QByteArray("[a]\nk=0\n"));
    }
}

TEST(ProfileSet, ValuesReadBackAsWritten) {
    ProfileDocument document = Parse("");
    for (const QString& value :
         {QStringLiteral("-2147483648"), QStringLiteral("假"), QStringLiteral("x=y"), QString()}) {
        ASSERT_TRUE(SetProfileValue(document, u"s", u"k", value));
        EXPECT_EQ(FindProfileValue(document, u"s", u"k"), value);
        EXPECT_EQ(FindProfileValue(Parse(SerialiseProfile(document)), u"s", u"k"), value);
    }
}

}  // namespace
