// Cell drawing rules: text wrapping and centring, picture placement, colours and margins.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "grid/CellDrawing.h"
#include "grid/GdiText.h"
#include "grid/PictureFit.h"
#include "tests/grid/gui/GuiApp.h"

using namespace vantric;

namespace {

// Every character 10 units wide.
QString Wrap10(const QString& text, int32_t left, int32_t right) {
    return WrapByCharacters(text, left, right, [](QStringView) { return 10.0; });
}

// Rows of the image that hold ink.
std::pair<int, int> InkRows(const QImage& image) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0) {
                    first = y;
                }
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

TEST(WrapByCharactersTest, BreaksBetweenCharactersAtTheRightEdge) {
    struct Case {
        const char* name;
        QString text;
        int32_t right;
        QString expected;
    };
    const Case cases[] = {
        // 35 units hold three characters of 10.
        {"no_spaces", "ABCDEFGHIJ", 35, "ABC\r\nDEF\r\nGHI\r\nJ"},
        {"fits", "ABC", 35, "ABC"},
        {"exact_edge", "ABCD", 40, "ABCD"},
        {"own_line_breaks_restart", "AB\r\nCDEF", 35, "AB\r\nCDE\r\nF"},
        {"cjk", QString::fromUtf8("中华人民共和国"), 25,
         QString::fromUtf8("中华\r\n人民\r\n共和\r\n国")},
        {"words_are_not_kept_whole", "AB CDE", 35, "AB \r\nCDE"},
        // A character wider than the whole cell still starts its own line only once.
        {"narrow_cell", "AB", 5, "A\r\nB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wrap10(c.text, 0, c.right), c.expected);
    }
}

TEST(DrawCellTextTest, WrappedBlockIsCentredVertically) {
    fixtures::EnsureGuiApp();
    QImage image(120, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    QFont font = FontFromLogFont(LogFont{QStringLiteral("Arial"), -20}, true);
    dc.setFont(font);
    dc.setPen(Qt::black);
    const GdiRect rect{0, 0, 120, 300};
    // Much wider than 120 units: several lines, no spaces to break at.
    const int32_t height =
        DrawCellText(dc, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"), rect,
                     dt::kCenter | dt::kVCenter | dt::kWordBreak | dt::kNoPrefix);
    dc.end();
    const double line = QFontMetricsF(font).height();
    EXPECT_GE(height, 3 * line - 1);  // at least three lines
    const auto [top, bottom] = InkRows(image);
    ASSERT_GE(top, 0);
    // Equal space above and below the ink, within a line's leading.
    EXPECT_NEAR(top, 300 - 1 - bottom, line / 2);
    EXPECT_GT(top, 60);
}

TEST(DrawCellTextTest, CellOneCharacterWideIsNotWrapped) {
    fixtures::EnsureGuiApp();
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    dc.setFont(FontFromLogFont(LogFont{QStringLiteral("Arial"), -20}, true));
    dc.setPen(Qt::black);
    const int32_t ave = static_cast<int32_t>(QFontMetricsF(dc.font()).averageCharWidth());
    // Narrower than two average characters: drawn as one unwrapped line.
    const int32_t height = DrawCellText(dc, QStringLiteral("ABCDEF"), GdiRect{0, 0, ave, 200},
                                        dt::kLeft | dt::kWordBreak | dt::kNoClip);
    EXPECT_EQ(height, static_cast<int32_t>(std::ceil(QFontMetricsF(dc.font()).height())));
}

TEST(PlacePictureTest, FitModes) {
    struct Case {
        const char* name;
        int32_t mode;
        GdiRect cell;
        QSize picture;
        bool draw;
        QRect target;
        QRect source;
    };
    const Case cases[] = {
        // 205: a cell twice as wide as the picture's shape keeps equal strips left and right.
        {"keep_aspect_wide_cell",
         205,
         {10, 10, 210, 60},
         {100, 50},
         true,
         {10 + (200 - 2 * 50) / 2, 10, 2 * 50, 50},
         {0, 0, 100, 50}},
        {"keep_aspect_tall_cell",
         205,
         {0, 0, 100, 200},
         {100, 50},
         true,
         {0, (200 - 100 / 2) / 2, 100, 100 / 2},
         {0, 0, 100, 50}},
        // 354 x 303 in 331 x 310: w/h 1.068 < r 1.168, so full width, height trunc(331 / r).
        {"keep_aspect_caution_picture",
         205,
         {0, 0, 331, 310},
         {354, 303},
         true,
         {0, static_cast<int>((310 - 283) * 0.5), 331, 283},
         {0, 0, 354, 303}},
        {"keep_aspect_same_shape",
         205,
         {0, 0, 40, 20},
         {100, 50},
         true,
         {0, 0, 40, 20},
         {0, 0, 100, 50}},
        // Odd strips truncate: (101 - 100) * 0.5 = 0.5 -> 0.
        {"keep_aspect_odd_strip",
         205,
         {0, 0, 101, 50},
         {100, 50},
         true,
         {0, 0, 100, 50},
         {0, 0, 100, 50}},
        {"keep_aspect_inverted_cell", 205, {10, 10, 5, 40}, {100, 50}, false, {}, {}},
        {"keep_aspect_empty_picture", 205, {0, 0, 10, 10}, {0, 50}, false, {}, {}},
        {"top_left_clipped", 201, {5, 5, 55, 25}, {100, 50}, true, {5, 5, 50, 20}, {0, 0, 50, 20}},
        {"stretch", 202, {0, 0, 30, 40}, {100, 50}, true, {0, 0, 30, 40}, {0, 0, 100, 50}},
        {"centre_small", 204, {0, 0, 100, 100}, {40, 20}, true, {30, 40, 40, 20}, {0, 0, 40, 20}},
        {"centre_wider", 204, {0, 0, 30, 100}, {40, 20}, true, {0, 40, 30, 20}, {0, 0, 30, 20}},
        {"centre_both_larger", 204, {0, 0, 30, 10}, {40, 20}, true, {0, 0, 30, 10}, {0, 0, 30, 10}},
        {"unknown_mode_is_top_left", 0, {0, 0, 10, 10}, {4, 4}, true, {0, 0, 4, 4}, {0, 0, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PicturePlacement p = PlacePicture(c.mode, c.cell, c.picture);
        EXPECT_EQ(p.draw, c.draw);
        if (c.draw) {
            EXPECT_EQ(p.target, c.target);
            EXPECT_EQ(p.source, c.source);
        }
    }
    EXPECT_TRUE(PlacePicture(203, GdiRect{0, 0, 10, 10}, QSize(4, 4)).tiled);
}

TEST(CellColoursTest, PrintColourRules) {
    GridColours grid;
    grid.text = 0x000000;
    grid.cellBackground = 0xFFFFFF;
    grid.fixedText = 0x202020;
    grid.controlBackground = 0xF0F0F0;
    auto cell = [](uint32_t state, COLORREF background, COLORREF text) {
        CGridCellBase c;
        c.state = state;
        c.background = background;
        c.textColour = text;
        return c;
    };
    struct Case {
        const char* name;
        CGridCellBase cell;
        bool inColour;
        bool mono;
        CellColours expected;
    };
    const Case cases[] = {
        {"plain_cell", cell(0, kDefaultColour, kDefaultColour), true, false, {false, 0, 0}},
        {"own_text_colour", cell(0, kDefaultColour, 0x0000FF), true, false, {false, 0, 0x0000FF}},
        {"text_colour_same_as_grid", cell(0, kDefaultColour, 0x000000), true, false, {false, 0, 0}},
        {"background_as_grid_not_filled",
         cell(0, 0xFFFFFF, 0x00FF00),
         true,
         false,
         {false, 0xFFFFFF, 0x00FF00}},
        {"own_background", cell(0, 0x00FFFF, 0x112233), true, false, {true, 0x00FFFF, 0x112233}},
        {"fixed_cell",
         cell(cellstate::kFixed, kDefaultColour, kDefaultColour),
         true,
         false,
         {true, 0xF0F0F0, 0x202020}},
        {"colour_off", cell(0, 0x00FFFF, 0x0000FF), false, false, {false, 0, 0}},
        // Red on a two-colour device: 255 * 0.3 = 76.5 -> 76 in the red channel.
        {"monochrome_unfilled", cell(0, kDefaultColour, 0x0000FF), true, true, {false, 0, 76}},
        {"monochrome_filled_keeps_colour",
         cell(0, 0x00FFFF, 0x0000FF),
         true,
         true,
         {true, 0x00FFFF, 0x0000FF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PrintColours(c.cell, grid, c.inColour, c.mono), c.expected);
    }
    // (100, 200, 50): red 30, green 118, blue 5, each truncated on its own.
    EXPECT_EQ(MonochromeText(RGBColour(100, 200, 50)), RGBColour(30, 118, 5));
}

TEST(CellColoursTest, ScreenColourRules) {
    GridColours grid;
    grid.text = 0x111111;
    grid.fixedText = 0x222222;
    grid.cellBackground = 0xEEEEEE;
    grid.controlBackground = 0xDDDDDD;
    CGridCellBase plain;
    EXPECT_EQ(ScreenColours(plain, grid, true), (CellColours{true, 0xEEEEEE, 0x111111}));
    EXPECT_EQ(ScreenColours(plain, grid, false), (CellColours{false, 0xEEEEEE, 0x111111}));
    CGridCellBase fixed;
    fixed.state = cellstate::kFixed;
    EXPECT_EQ(ScreenColours(fixed, grid, true), (CellColours{true, 0xDDDDDD, 0x222222}));
    CGridCellBase own;
    own.background = 0x123456;
    EXPECT_EQ(ScreenColours(own, grid, false), (CellColours{true, 0x123456, 0x111111}));
}

TEST(MarginInsetTest, TenthsOfAMillimetreToLogicalUnits) {
    struct Case {
        const char* name;
        int32_t margin;
        int32_t dpi;
        double pixelSize;
        bool printing;
        int32_t expected;
    };
    const Case cases[] = {
        {"screen_96_dpi", 9, 96, 0, false, 3},             // 9 / (254 / 96) = 3.4
        {"screen_144_dpi", 9, 144, 0, false, 5},           // 9 / 1.76 = 5.1
        {"printer_600_dpi", 9, 600, 254.0 / 96, true, 1},  // 9 * 0.423 / 2.646 = 1.44
        {"printer_300_dpi", 9, 300, 254.0 / 96, true, 2},  // 9 * 0.847 / 2.646 = 2.88
        {"no_resolution", 9, 0, 1, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MarginInset(c.margin, c.dpi, c.pixelSize, c.printing), c.expected);
    }
}

TEST(FontFromLogFontTest, HeightSignRule) {
    fixtures::EnsureGuiApp();
    const QFont character = FontFromLogFont(LogFont{QStringLiteral("Arial"), -40}, true);
    EXPECT_EQ(character.pixelSize(), 40);
    // A positive height is the cell height: ascent + descent come out at that height.
    const QFont cell = FontFromLogFont(LogFont{QStringLiteral("Arial"), 40}, true);
    const QFontMetricsF fm(cell);
    EXPECT_NEAR(fm.ascent() + fm.descent(), 40, 1.5);
    EXPECT_LT(cell.pixelSize(), 40);
    LogFont bold{QStringLiteral("Arial"), -10};
    bold.weight = 700;
    EXPECT_EQ(FontFromLogFont(bold, true).weight(), QFont::Bold);
}
