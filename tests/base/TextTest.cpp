#include "base/Text.h"

#include <gtest/gtest.h>

#include <limits>

using vantric::IntToText;
using vantric::TextToInt;

namespace {

struct Case {
    const char16_t* text;
    int32_t expected;
};

TEST(TextToInt, FollowsTheWideTextToLongRule) {
    const Case cases[] = {
        {u"", 0},
        {u"abc", 0},
        {u"12abc", 12},
        {u"  7", 7},
        {u"\t\n 42", 42},
        {u"-", 0},
        {u"-0", 0},
        {u"-12", -12},
        {u"+5", 5},
        {u"- 5", 0},          // a sign must be followed by the digits at once
        {u" 25mm", 25},
        {u"7a", 7},
        {u"1234", 1234},
        {u"0x10", 0},         // decimal only
        {u"\u3000" u"9", 9},  // an ideographic space counts as white space
        {u"１６", 16},         // full-width digits, as a Chinese input method types them
        {u"２0x", 20},         // mixed with ASCII ones
        {u"－５", 0},          // a full-width minus is no sign
        {u"＋７", 0},          // nor a full-width plus
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToInt(QString::fromUtf16(c.text)), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(TextToInt, SaturatesBeyondThirtyTwoBits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(TextToInt(u"2147483647"), kMax);
    EXPECT_EQ(TextToInt(u"2147483648"), kMax);
    EXPECT_EQ(TextToInt(u"-2147483648"), kMin);
    EXPECT_EQ(TextToInt(u"-2147483649"), kMin);
    EXPECT_EQ(TextToInt(u"99999999999999999999999999999"), kMax);
    EXPECT_EQ(TextToInt(u"-99999999999999999999999999999x"), kMin);
}

TEST(IntToText, WritesPlainSignedDecimalThatReadsBack) {
    for (int32_t v : {0, 1, -1, 999, -10, std::numeric_limits<int32_t>::max(),
                      std::numeric_limits<int32_t>::min()}) {
        const QString text = IntToText(v);
        EXPECT_FALSE(text.contains(u',') || text.startsWith(u'+'));
        EXPECT_EQ(TextToInt(text), v);
    }
    EXPECT_EQ(IntToText(-40), QStringLiteral("-40"));
}

TEST(Trim, DropsCharactersUpToSpaceAtTheEnds) {
    EXPECT_EQ(vantric::TrimControlAndSpace(u" \t 1 \r\n").toString(), QStringLiteral("1"));
    EXPECT_EQ(vantric::TrimTrailingControlAndSpace(u" a b  ").toString(), QStringLiteral(" a b"));
    EXPECT_TRUE(vantric::TrimControlAndSpace(u"   ").isEmpty());
}

}  // namespace
