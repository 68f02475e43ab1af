#include <gtest/gtest.h>

#include "ui/FontDescription.h"
#include "ui/InputMode.h"

namespace {

LogFont Base() {
    LogFont f;
    f.faceName = "Default";
    f.height = -11;
    return f;
}

TEST(ParseFontDescription, Cases) {
    struct Case {
        const char* text;
        double dpi;
        QString face;
        int height;
        int weight;
        bool italic, underline, strikeOut;
        int angle;
    } cases[] = {
        {".萍方-简, 9, 0, 0, 0, 0, 0", 96, QStringLiteral(".萍方-简"), -(96 * 9 / 72), 400, false,
         false, false, 0},
        {".萍方-简, 9, 0, 0, 0, 0, 0", 120, QStringLiteral(".萍方-简"), -(120 * 9 / 72), 400, false,
         false, false, 0},
        {"Arial,12,1", 96, "Arial", -(96 * 12 / 72), 700, false, false, false, 0},
        {"Arial,12,true", 96, "Arial", -16, 400, false, false, false, 0},
        {"Arial,12, 1 ,1,1,1", 96, "Arial", -16, 700, true, true, true, 0},
        {"Arial,9.5", 96, "Arial", -12, 400, false, false, false, 0},  // whole points only
        {"Arial,-9", 96, "Arial", -12, 400, false, false, false, 0},   // absolute value
        {"Arial,0", 96, "Arial", -11, 400, false, false, false, 0},    // keeps the default
        {"Arial,7", 120, "Arial", -int(120 * 7 / 72.0 + 0.5), 400, false, false, false, 0},
        {",,,,,,-900", 96, "Default", -11, 400, false, false, false, -900 + 3600},
        {",,,,,,3725", 96, "Default", -11, 400, false, false, false, 3725 - 3600},
        {"", 96, "Default", -11, 400, false, false, false, 0},
        {"A,9,0,0,0,0,0,1,1", 96, "A", -12, 400, false, false, false, 0},  // extra fields ignored
    };
    for (const Case& c : cases) {
        const LogFont f = ParseFontDescription(QString::fromUtf8(c.text), c.dpi, Base());
        SCOPED_TRACE(c.text);
        EXPECT_EQ(f.faceName, c.face);
        EXPECT_EQ(f.height, c.height);
        EXPECT_EQ(f.weight, c.weight);
        EXPECT_EQ(f.italic, c.italic);
        EXPECT_EQ(f.underline, c.underline);
        EXPECT_EQ(f.strikeOut, c.strikeOut);
        EXPECT_EQ(f.escapement, c.angle);
        EXPECT_EQ(f.orientation, c.angle);
        EXPECT_EQ(f.quality, 2);
        EXPECT_EQ(f.charSet, 1);
    }
}

TEST(ParseFontDescription, FaceIsCutAt31Characters) {
    const QString face(40, u'x');
    EXPECT_EQ(ParseFontDescription(face, 96, Base()).faceName, QString(31, u'x'));
}

TEST(DefaultFonts, ControlFontIsNinePointsAtTheScreenDpi) {
    EXPECT_EQ(DefaultControlLogFont(96).height, -12);
    EXPECT_EQ(DefaultControlLogFont(144).height, -18);
    EXPECT_EQ(DefaultGuiLogFont(96).height, -11);
}

TEST(ColourFromRef, ByteOrderAndSystemColour) {
    EXPECT_EQ(ColourFromRef(0x0000FF, Qt::black), QColor(255, 0, 0));
    EXPECT_EQ(ColourFromRef(0x123456, Qt::black), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ColourFromRef(kDefaultColour, Qt::green), QColor(Qt::green));
}

TEST(InputMode, TypedCharacterFilters) {
    struct Case {
        int mode;
        const char* allowed;
        const char* refused;
    } cases[] = {
        {0, "a-.9 ", ""}, {1, "a", ""},
        {2, "a", ""},     {3, "0123456789-", "a.+ "},
        {4, "9-.", "a,"}, {5, "0123456789", "-."},
        {6, "9-", "."},   {7, "9-", "."},
        {8, "9-", "."},   {9, "9-.", "e"},
        {10, "9-.", "E"}, {11, "a/:", ""},
        {12, "a", ""},
    };
    for (const Case& c : cases) {
        for (const char ch : std::string(c.allowed)) {
            EXPECT_TRUE(InputModeAllowsChar(c.mode, QChar(ch))) << c.mode << " " << ch;
        }
        for (const char ch : std::string(c.refused)) {
            EXPECT_FALSE(InputModeAllowsChar(c.mode, QChar(ch))) << c.mode << " " << ch;
        }
        // Editing keys always pass: Backspace, Enter, and Delete as X11 and Wayland send it.
        for (const char16_t key : {u'\b', u'\r', u'\x7f', u'\x85'}) {
            EXPECT_TRUE(InputModeAllowsChar(c.mode, QChar(key))) << c.mode << " " << int(key);
            EXPECT_TRUE(InputDialogModeAllowsChar(c.mode, QChar(key))) << c.mode << " " << int(key);
        }
    }
    EXPECT_FALSE(InputModeAllowsChar(3, QChar(u'３')));  // only ASCII digits
}

TEST(InputMode, DialogModeFilters) {
    EXPECT_TRUE(InputDialogModeAllowsChar(2, u'-'));
    EXPECT_FALSE(InputDialogModeAllowsChar(2, u'.'));
    EXPECT_TRUE(InputDialogModeAllowsChar(3, u'.'));
    EXPECT_FALSE(InputDialogModeAllowsChar(3, u'a'));
    EXPECT_TRUE(InputDialogModeAllowsChar(4, u'a'));
    EXPECT_TRUE(InputDialogModeAllowsChar(2, QChar(0x1B)));
}

TEST(InputMode, NormalisationOnFocusLoss) {
    struct Case {
        int mode;
        const char* text;
        const char* expected;
    } cases[] = {
        {0, " 12 ", " 12 "},
        {3, "0", "0"},  // modes below 5 keep their text
        {5, "300", "255"},
        {5, "-4", ""},  // clamped to 0, and "0" reads empty
        {5, "0", ""},
        {5, "12abc", "12"},
        {6, "40000", "32767"},
        {6, "-40000", "-32768"},
        {7, "99999999999", "2147483647"},
        {7, " -5x", "-5"},
        {8, "99999999999", "99999999999"},
        {8, "-99999999999999999999", "-9223372036854775808"},
        {9, "3.14159265", "3.14159"},
        {9, "1e-7", "1E-07"},
        {9, "abc", ""},
        {10, "2.5000", "2.5"},
        {10, "0.1", "0.1"},
        {10, "-1.5e3x", "-1500"},
        {11, "2024-1-2 3:04:05", "2024-01-02 03:04:05"},
        {12, "2024/1/2", "2024-01-02"},
        {12, "not a date", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormaliseInputModeText(c.mode, QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.expected))
            << c.mode << " " << c.text;
    }
}

}  // namespace
