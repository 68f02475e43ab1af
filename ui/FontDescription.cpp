#include "ui/FontDescription.h"

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/Text.h"
#include "platform/ScreenDpi.h"
#include "ui/DefinitionFields.h"

namespace {

QString DefaultFace() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        return QGuiApplication::font().family();
    }
    return QStringLiteral("Sans Serif");
}

LogFont GuiFontAt(double dpiY, int points, bool roundHalfUp) {
    LogFont f;
    f.faceName = DefaultFace();
    f.height = -static_cast<int32_t>(dpiY * points / 72.0 + (roundHalfUp ? 0.5 : 0.0));
    f.weight = 400;
    return f;
}

}  // namespace

LogFont DefaultGuiLogFont(double dpiY) {
    return GuiFontAt(dpiY, 8, true);
}

LogFont DefaultControlLogFont(double dpiY) {
    return GuiFontAt(dpiY, 9, false);
}

LogFont ParseFontDescription(QStringView description, double dpiY, const LogFont& base) {
    LogFont f = base;
    f.charSet = 1;  // DEFAULT_CHARSET
    f.outPrecision = 0;
    f.clipPrecision = 0;
    f.quality = 2;  // PROOF_QUALITY
    f.pitchAndFamily = 0;

    const QList<QStringView> raw = description.split(u',');
    QStringList fields;
    for (qsizetype i = 0; i < raw.size() && i < 7; ++i) {
        fields.append(vantric::TrimControlAndSpace(raw[i]).toString());
    }
    const auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };

    if (!field(0).isEmpty()) {
        f.faceName = field(0).left(31);
    }
    if (fields.size() > 1) {
        // Worked out in floating point: the product of a 32-bit size and the DPI overflows an
        // int, and a height beyond the 32-bit range keeps the default like a zero one does.
        const double points = std::abs(static_cast<double>(ReadDefinitionNumber(field(1))));
        const double height = std::floor(static_cast<int>(dpiY) * points / 72.0 + 0.5);
        if (height >= 1.0 && height <= std::numeric_limits<int32_t>::max()) {
            f.height = -static_cast<int32_t>(height);
        }
    }
    if (fields.size() > 2) {
        f.weight = field(2) == u"1" ? 700 : 400;
    }
    if (fields.size() > 3) {
        f.italic = field(3) == u"1";
    }
    if (fields.size() > 4) {
        f.underline = field(4) == u"1";
    }
    if (fields.size() > 5) {
        f.strikeOut = field(5) == u"1";
    }
    if (!field(6).isEmpty()) {
        int angle = ReadDefinitionNumber(field(6)) % 3600;
        if (angle < 0) {
            angle += 3600;
        }
        f.escapement = angle;
        f.orientation = angle;
    }
    return f;
}

LogFont ParseFontDescription(QStringView description) {
    const double dpi = vantric::ScreenDpiY();
    return ParseFontDescription(description, dpi, DefaultGuiLogFont(dpi));
}

QFont LogFontToQFont(const LogFont& font) {
    QFont q;
    if (!font.faceName.isEmpty()) {
        q.setFamilies({font.faceName});
    }
    if (font.height != 0) {
        q.setPixelSize(std::abs(font.height));
    }
    q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    return q;
}

QColor ColourFromRef(COLORREF colour, const QColor& systemColour) {
    if (colour == kDefaultColour) {
        return systemColour;
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
