// Text, fonts and colours as the grid's drawing code uses them on a QPainter.
//
// Cells carry LOGFONT-style font records, COLORREF colours and DrawText format flags. This file
// turns them into Qt terms: LogFont heights are logical units (negative = character height,
// positive = cell height), so a font scales with the painter's window/viewport exactly as row
// heights and column widths do.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "grid/model/GridTypes.h"

class QPainter;

namespace vantric {

// A rectangle with inclusive left/top and the right/bottom edges the grid computes; text is laid
// out in right - left by bottom - top.
struct GdiRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const GdiRect&) const = default;
};

QColor ColourOf(COLORREF c);
// `c` unless it is the default colour, else `fallback`.
COLORREF Resolve(COLORREF c, COLORREF fallback);

// The font a LogFont describes, sized in logical units. Print fonts skip hinting so that their
// measures do not depend on the screen they were measured on.
QFont FontFromLogFont(const LogFont& font, bool forPrint);

// Measures fonts for the grid model (default row height and column width).
class QtFontMeasurer : public IFontMeasurer {
  public:
    TextMetrics Measure(const LogFont& font) override;
};

// Fonts of one painting pass, by the model's font id; fonts are made once per pass.
class FontCache {
  public:
    explicit FontCache(bool forPrint) : forPrint_(forPrint) {}
    const QFont& Get(uint32_t fontId, const LogFont& font);

  private:
    bool forPrint_;
    std::vector<std::optional<QFont>> fonts_;
};

// DrawText on a QPainter with the painter's current font and pen: alignment, single line or
// multi-line with word breaks, clipping unless DT_NOCLIP, '&' prefixes unless DT_NOPREFIX.
// With DT_CALCRECT nothing is drawn and `rect` is set to the text block. Returns the height of
// the text.
int32_t DrawTextGdi(QPainter& dc, const QString& text, GdiRect& rect, uint32_t format);

// Character wrapping for DT_WORDBREAK cells: a CR LF goes before every character that would pass
// the right edge. `advance` gives the width of one character.
template <typename Advance>
QString WrapByCharacters(const QString& text, int32_t left, int32_t right, Advance advance);

// The cell text routine shared by screen and page drawing: wraps by characters when the format
// asks for word breaks, centres the wrapped block vertically, then draws. Returns the height.
int32_t DrawCellText(QPainter& dc, const QString& text, const GdiRect& rect, uint32_t format);

// --- template definition -------------------------------------------------------------------

template <typename Advance>
QString WrapByCharacters(const QString& text, int32_t left, int32_t right, Advance advance) {
    QString out;
    out.reserve(text.size() + 8);
    double x = left;
    bool lineEmpty = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r' || ch == u'\n') {
            out += ch;
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                out += text[++i];
            }
            x = left;
            lineEmpty = true;
            continue;
        }
        // A surrogate pair is one character.
        const qsizetype len = (ch.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView glyph = QStringView(text).mid(i, len);
        const double w = advance(glyph);
        x += w;
        if (x > right && !lineEmpty) {
            out += QStringLiteral("\r\n");
            x = left + w;
        }
        out += glyph;
        lineEmpty = false;
        i += len - 1;
    }
    return out;
}

}  // namespace vantric
