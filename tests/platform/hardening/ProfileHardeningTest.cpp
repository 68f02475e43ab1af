#include <gtest/gtest.h>

#include <QStringDecoder>

#include "TempDrives.h"
#include "platform/Gb18030.h"
#include "platform/ProfileFile.h"
#include "platform/ProfileText.h"

using namespace vantric;
using namespace vantric::profile;

namespace {

const QString kFile = QStringLiteral("D:/data/dypz.ini");
const QString kLocal = QStringLiteral("D/data/dypz.ini");
const QString kMargins = QStringLiteral("打印预览边距");

QByteArray Gb(const QString& text) {
    return EncodeGb18030(text).value_or(QByteArray());
}

std::optional<QString> Find(const QByteArray& bytes, const QString& section, const QString& key) {
    return FindProfileValue(ParseProfile(bytes), section, key);
}

class ProfileHardening : public ::testing::Test {
  protected:
    TempDrives drives;
    void SetUp() override { drives.MakeFolder("D/data"); }
};

// A file cut off while it was being copied ends inside a line, perhaps inside a character. What
// stands before the cut still reads, and a save neither loses it nor changes its encoding.
TEST_F(ProfileHardening, FileCutMidLineKeepsWhatStandsBeforeTheCut) {
    const QByteArray whole =
        QStringLiteral("[打印预览边距]\n页眉=60\n上边距=20\n[备注]\nx=箱标").toUtf8();
    for (const int cut : {1, 2}) {  // one or two bytes of the last three-byte character
        SCOPED_TRACE(cut);
        const QByteArray cutShort = whole.left(whole.size() - 3 + cut);
        drives.Put(kLocal, cutShort);
        EXPECT_EQ(ReadProfileText(kFile, kMargins, "页眉", "none"), QStringLiteral("60"));
        EXPECT_EQ(ReadProfileText(kFile, kMargins, "上边距", "none"), QStringLiteral("20"));

        ASSERT_TRUE(WriteProfileText(kFile, kMargins, "页眉", "45"));
        const QByteArray after = drives.Bytes(kLocal);
        EXPECT_EQ(after, QByteArray(cutShort).replace("=60", "=45"));
        EXPECT_EQ(ReadProfileText(kFile, kMargins, "页眉", "none"), QStringLiteral("45"));
    }
    // A key added after the cut: the cut-off character is written as the replacement character
    // it reads as, so the file stays UTF-8 and every key reads as before.
    drives.Put(kLocal, whole.left(whole.size() - 1));
    const QString cutValue = ReadProfileText(kFile, "备注", "x", "none");
    EXPECT_TRUE(cutValue.startsWith(QStringLiteral("箱\uFFFD")));
    ASSERT_TRUE(WriteProfileText(kFile, "备注", "y", "1"));
    const QByteArray after = drives.Bytes(kLocal);
    EXPECT_TRUE(after.startsWith(QByteArray(whole.left(whole.size() - 3) + "\xEF\xBF\xBD")));
    EXPECT_TRUE(after.endsWith("\ny=1\n"));
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString decoded = utf8.decode(after);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_EQ(ReadProfileText(kFile, kMargins, "页眉", "none"), QStringLiteral("60"));
    EXPECT_EQ(ReadProfileText(kFile, "备注", "x", "none"), cutValue);
    EXPECT_EQ(ReadProfileText(kFile, "备注", "y", "none"), QStringLiteral("1"));

    // Cut right after the key's "=": the key is there, with an empty value.
    drives.Put(kLocal, QStringLiteral("[打印预览边距]\n页眉=").toUtf8());
    EXPECT_EQ(ReadProfileText(kFile, kMargins, "页眉", "none"), QString());
}

// Found by fuzzing: a GB18030 line that ends in a cut-short character lost that character only
// when it was the last line, so adding a line after it changed the value it held.
TEST(ProfileHardeningText, LineEndingInACutCharacterReadsTheSameWhereverItStands) {
    const QByteArray line = Gb(QStringLiteral("[a]\nk=1号")) + QByteArray("\x84\x36");
    const std::optional<QString> alone = Find(line, "a", "k");
    ASSERT_TRUE(alone.has_value());
    EXPECT_TRUE(alone->startsWith(QStringLiteral("1号")));
    EXPECT_GT(alone->size(), 2);  // the cut character is not silently dropped
    EXPECT_EQ(Find(line + "\n", "a", "k"), alone);

    ProfileDocument document = ParseProfile(line);
    ASSERT_TRUE(SetProfileValue(document, QStringLiteral("打印预览边距"), u"页眉", u"60"));
    const QByteArray written = SerialiseProfile(document);
    EXPECT_TRUE(written.startsWith(line));
    EXPECT_EQ(Find(written, "a", "k"), alone);
    EXPECT_EQ(Find(written, QStringLiteral("打印预览边距"), "页眉"), QStringLiteral("60"));
}

// Found by fuzzing: a key that begins with U+FEFF was written, but a line opening with it reads
// as one with a byte-order mark, so the key never read back. Such a key is refused.
TEST_F(ProfileHardening, KeyOpeningWithAByteOrderMarkIsRefused) {
    drives.Put(kLocal, "[a]\nk=1\n");
    const QString key = QChar(0xFEFF) + QStringLiteral("k2");
    EXPECT_FALSE(IsWritableEntry(u"a", key, u"1"));
    EXPECT_FALSE(WriteProfileText(kFile, "a", key, "1"));
    EXPECT_EQ(drives.Bytes(kLocal), QByteArray("[a]\nk=1\n"));
    // Inside a line it is an ordinary character.
    EXPECT_TRUE(WriteProfileText(kFile, "a", QStringLiteral(" ") + key, "2"));
    EXPECT_EQ(ReadProfileText(kFile, "a", key, "none"), QStringLiteral("2"));
}

}  // namespace
