// Label-sheet grid, cell model: small shared value types.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

#include "base/Picture.h"

using COLORREF = uint32_t;
constexpr COLORREF kDefaultColour = 0xFF000000u;  // "use the default colour" wherever allowed
constexpr COLORREF RGBColour(int r, int g, int b) {
    return static_cast<COLORREF>(r & 0xFF) | (static_cast<COLORREF>(g & 0xFF) << 8) |
           (static_cast<COLORREF>(b & 0xFF) << 16);
}

// DrawText format flags the grid uses (values as the drawing code expects them).
namespace dt {
constexpr uint32_t kLeft = 0x0000, kCenter = 0x0001, kRight = 0x0002, kVCenter = 0x0004,
                   kBottom = 0x0008, kWordBreak = 0x0010, kSingleLine = 0x0020, kNoClip = 0x0100,
                   kCalcRect = 0x0400, kNoPrefix = 0x0800, kEndEllipsis = 0x8000;
}

// Cell state bits.
namespace cellstate {
constexpr uint32_t kReadOnly = 0x08, kFixed = 0x10, kMergedCovered = 0x40;
}

// A font as a record of values: face up to 31 characters, height in logical units with the sign
// rule (negative = character height, positive = cell height), weight 400 or 700, and so on.
struct LogFont {
    QString faceName;
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;   // tenths of a degree
    int32_t orientation = 0;  // tenths of a degree
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 1;  // DEFAULT_CHARSET
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;

    bool operator==(const LogFont&) const = default;
};

// Pictures held by cells, and the finder PutCellValue(what = 6) asks: see base/Picture.h.

// Text metrics of a font, as the default row height and column width need them. Supplied by
// whoever can measure fonts (the drawing side); the model itself cannot.
struct TextMetrics {
    int32_t height = 0;           // tmHeight
    int32_t externalLeading = 0;  // tmExternalLeading
    int32_t aveCharWidth = 0;     // tmAveCharWidth
    int32_t spaceWidth = 0;       // width of one " "
};
class IFontMeasurer {
  public:
    virtual ~IFontMeasurer() = default;
    virtual TextMetrics Measure(const LogFont& font) = 0;
};
