#include "grid/GdiText.h"

#include <QHash>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace vantric {

QColor ColourOf(COLORREF c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

COLORREF Resolve(COLORREF c, COLORREF fallback) {
    return c == kDefaultColour ? fallback : c;
}

namespace {

// Pixel size of the em per pixel of cell height (ascent + descent), by family: a positive
// LogFont height asks for the cell height.
double EmPerCellHeight(const QFont& font) {
    static QHash<QString, double> ratios;
    const QString key = font.family() + QLatin1Char('|') + QString::number(font.weight()) +
                        (font.italic() ? QLatin1String("i") : QLatin1String(""));
    auto it = ratios.constFind(key);
    if (it != ratios.constEnd()) {
        return *it;
    }
    QFont probe = font;
    probe.setPixelSize(200);
    const QFontMetricsF fm(probe);
    const double cell = fm.ascent() + fm.descent();
    const double ratio = cell > 0 ? 200.0 / cell : 1.0;
    ratios.insert(key, ratio);
    return ratio;
}

constexpr int32_t kDefaultFontHeight = 12;  // what a height of 0 gets

QString StripPrefixes(const QString& text) {
    if (!text.contains(u'&')) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;  // "&&" shows one '&', "&x" shows x
        } else if (text[i] == u'&') {
            continue;
        }
        out += text[i];
    }
    return out;
}

// Greedy word wrapping of one paragraph; a word wider than the line stays whole on its own line.
void WrapWords(const QString& paragraph, double width, const QFontMetricsF& fm,
               QStringList& lines) {
    if (fm.horizontalAdvance(paragraph) <= width) {
        lines << paragraph;
        return;
    }
    QString line;
    qsizetype i = 0;
    while (i < paragraph.size()) {
        qsizetype j = i;
        while (j < paragraph.size() && paragraph[j] != u' ') {
            ++j;
        }
        while (j < paragraph.size() && paragraph[j] == u' ') {
            ++j;
        }
        const QString word = paragraph.mid(i, j - i);
        if (!line.isEmpty() && fm.horizontalAdvance(line + word.trimmed()) > width) {
            lines << line;
            line = word;
        } else {
            line += word;
        }
        i = j;
    }
    lines << line;
}

}  // namespace

QFont FontFromLogFont(const LogFont& lf, bool forPrint) {
    QFont font;
    if (!lf.faceName.isEmpty()) {
        font.setFamilies({lf.faceName, QStringLiteral("Arial")});
    }
    font.setWeight(
        static_cast<QFont::Weight>(std::clamp(lf.weight == 0 ? 400 : lf.weight, 1, 1000)));
    font.setItalic(lf.italic);
    font.setUnderline(lf.underline);
    font.setStrikeOut(lf.strikeOut);
    if (forPrint) {
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    int32_t pixels = kDefaultFontHeight;
    if (lf.height < 0) {
        pixels = -lf.height;
    } else if (lf.height > 0) {
        pixels = static_cast<int32_t>(std::lround(lf.height * EmPerCellHeight(font)));
    }
    font.setPixelSize(std::max(1, pixels));
    return font;
}

TextMetrics QtFontMeasurer::Measure(const LogFont& lf) {
    const QFont font = FontFromLogFont(lf, false);
    const QFontMetrics fm(font);
    TextMetrics m;
    m.height = fm.height();
    m.externalLeading = fm.leading();
    m.aveCharWidth = fm.averageCharWidth();
    m.spaceWidth = fm.horizontalAdvance(QLatin1Char(' '));
    return m;
}

const QFont& FontCache::Get(uint32_t fontId, const LogFont& font) {
    if (fontId >= fonts_.size()) {
        fonts_.resize(fontId + 1);
    }
    auto& slot = fonts_[fontId];
    if (!slot) {
        slot = FontFromLogFont(font, forPrint_);
    }
    return *slot;
}

int32_t DrawTextGdi(QPainter& dc, const QString& source, GdiRect& rect, uint32_t format) {
    const QString text = (format & dt::kNoPrefix) ? source : StripPrefixes(source);
    const QFontMetricsF fm(dc.font());
    const double lineHeight = fm.height();
    const bool single = (format & dt::kSingleLine) != 0;

    QStringList lines;
    if (single) {
        QString line = text;
        line.remove(u'\r');
        line.remove(u'\n');
        lines << line;
    } else {
        QString normalised = text;
        normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        const QStringList paragraphs = normalised.split(u'\n');
        for (const QString& p : paragraphs) {
            if (format & dt::kWordBreak) {
                WrapWords(p, rect.Width(), fm, lines);
            } else {
                lines << p;
            }
        }
    }
    std::vector<double> widths;
    widths.reserve(lines.size());
    double widest = 0;
    for (const QString& l : lines) {
        widths.push_back(fm.horizontalAdvance(l));
        widest = std::max(widest, widths.back());
    }
    const double blockHeight = lineHeight * lines.size();
    const auto height = static_cast<int32_t>(std::ceil(blockHeight));

    if (format & dt::kCalcRect) {
        rect.right = rect.left + static_cast<int32_t>(std::ceil(widest));
        rect.bottom = rect.top + height;
        return height;
    }

    double y = rect.top;
    if (single && (format & dt::kVCenter)) {
        y = rect.top + (rect.Height() - lineHeight) / 2;
    } else if (single && (format & dt::kBottom)) {
        y = rect.bottom - lineHeight;
    }
    const bool overflows = widest > rect.Width() || y < rect.top || y + blockHeight > rect.bottom;
    const bool clip = !(format & dt::kNoClip) && overflows;
    if (clip) {
        dc.save();
        dc.setClipRect(QRectF(rect.left, rect.top, rect.Width(), rect.Height()), Qt::IntersectClip);
    }
    for (qsizetype i = 0; i < lines.size(); ++i, y += lineHeight) {
        if (lines[i].isEmpty()) {
            continue;
        }
        double x = rect.left;
        if (format & dt::kCenter) {
            x = rect.left + (rect.Width() - widths[i]) / 2;
        } else if (format & dt::kRight) {
            x = rect.right - widths[i];
        }
        dc.drawText(QPointF(x, y + fm.ascent()), lines[i]);
    }
    if (clip) {
        dc.restore();
    }
    return height;
}

int32_t DrawCellText(QPainter& dc, const QString& text, const GdiRect& rect, uint32_t format) {
    const QFontMetricsF fm(dc.font());
    const auto aveCharWidth = static_cast<int32_t>(fm.averageCharWidth());
    if (!(format & dt::kWordBreak) || aveCharWidth <= 0 || rect.Width() / aveCharWidth <= 1) {
        GdiRect r = rect;
        return DrawTextGdi(dc, text, r, format);
    }
    const QString wrapped = WrapByCharacters(text, rect.left, rect.right, [&fm](QStringView glyph) {
        return glyph.size() == 1 ? fm.horizontalAdvance(glyph[0])
                                 : fm.horizontalAdvance(glyph.toString());
    });

    GdiRect block = rect;
    DrawTextGdi(dc, wrapped, block, format | dt::kCalcRect | dt::kWordBreak);
    const int32_t blockCentre2 = block.top + block.bottom;  // twice the centre
    const int32_t rectCentre2 = rect.top + rect.bottom;
    if (blockCentre2 < rectCentre2) {
        const int32_t shift = (rectCentre2 - blockCentre2) / 2;
        block.top += shift;
        block.bottom += shift;
    } else {
        block = rect;
    }
    if (block.Width() < rect.Width()) {
        if (format & dt::kCenter) {
            block.left = rect.left;
            block.right = rect.right;
        } else if (format & dt::kRight) {
            const int32_t shift = rect.right - block.right;
            block.left += shift;
            block.right += shift;
        }
    }
    return DrawTextGdi(dc, wrapped, block, format);
}

}  // namespace vantric
