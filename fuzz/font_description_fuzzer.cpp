// Font descriptions ("face, points, bold, italic, underline, strike-out, angle") at the screen
// resolutions a desk may have.
#include <QStringList>

#include "fuzz/FuzzSupport.h"
#include "ui/FontDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString description = fuzz::TextFromBytes(data, size);
    LogFont base;
    base.faceName = QStringLiteral("Base Face");
    base.height = -11;
    base.weight = 400;
    base.escapement = 50;
    base.orientation = 50;

    // Fields past the seventh are ignored.
    const QStringList fields = description.split(u',');
    const QString firstSeven = fields.mid(0, 7).join(u',');

    for (const double dpi : {72.0, 96.0, 144.0, 600.0}) {
        const LogFont f = ParseFontDescription(description, dpi, base);
        FUZZ_CHECK(f.faceName.size() <= 31 || f.faceName == base.faceName);
        FUZZ_CHECK(f.height == base.height || f.height < 0);
        FUZZ_CHECK(f.weight == 400 || f.weight == 700);
        FUZZ_CHECK(f.escapement == f.orientation);
        FUZZ_CHECK(f.escapement >= 0 && f.escapement < 3600);
        FUZZ_CHECK(f.charSet == 1 && f.quality == 2 && f.outPrecision == 0 &&
                   f.clipPrecision == 0 && f.pitchAndFamily == 0);
        FUZZ_CHECK(f.width == base.width);
        FUZZ_CHECK(ParseFontDescription(firstSeven, dpi, base) == f);
        // Whatever the text says, the result makes a usable font.
        const QFont font = LogFontToQFont(f);
        FUZZ_CHECK(font.pixelSize() == -1 || font.pixelSize() > 0);
    }
    return 0;
}
