#include <gtest/gtest.h>

#include <limits>

#include "ui/ColumnDefinition.h"
#include "ui/FontDescription.h"

namespace {

LogFont Base() {
    LogFont f;
    f.faceName = QStringLiteral("Base");
    f.height = -11;
    return f;
}

// Found by fuzzing: the size times the DPI overflowed an int (undefined behaviour, in practice
// some unrelated height). The height is what the arithmetic gives; one beyond the 32-bit range
// keeps the default height, as a zero one does.
TEST(FontDescriptionLimits, HugeSizesGiveTheirHeightOrKeepTheDefault) {
    EXPECT_EQ(ParseFontDescription(u"x,111111111", 96, Base()).height, -148148148);
    EXPECT_EQ(ParseFontDescription(u"x,2147483647", 72, Base()).height,
              -std::numeric_limits<int32_t>::max());
    for (const char* size : {"2147483647", "-2147483648", "99999999999"}) {
        SCOPED_TRACE(size);
        const QString text = QStringLiteral("x,%1,1").arg(QLatin1String(size));
        const LogFont f = ParseFontDescription(text, 96, Base());
        EXPECT_EQ(f.height, -11);
        EXPECT_EQ(f.weight, 700);  // the fields after the size are still read
    }
    EXPECT_EQ(ParseFontDescription(u"x,-72", 96, Base()).height, -96);
}

TEST(FontDescriptionLimits, AnglesAtTheEndsOfTheRangeComeIntoOneTurn) {
    EXPECT_EQ(ParseFontDescription(u"x,9,0,0,0,0,-2147483648", 96, Base()).escapement,
              std::numeric_limits<int32_t>::min() % 3600 + 3600);
    EXPECT_EQ(ParseFontDescription(u"x,9,0,0,0,0,2147483647", 96, Base()).escapement,
              std::numeric_limits<int32_t>::max() % 3600);
}

// An empty last title is a field of its own only when a line feed closes the text.
TEST(ColumnDefinitionLimits, EmptyLastTitleNeedsTheClosingLineFeed) {
    EXPECT_TRUE(ParseColumnDefinition(u"0\n-1\n0\n2147483647\n").empty());
    const std::vector<ColumnDefinition> columns =
        ParseColumnDefinition(u"0\n-1\n0\n2147483647\n\n");
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].width, std::numeric_limits<int32_t>::max());
    EXPECT_TRUE(columns[0].title.isEmpty());
}

}  // namespace
