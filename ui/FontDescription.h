// Fonts in the text form the framework takes ("face, points, bold, italic, underline,
// strike-out, angle"), the default fonts, and the step to a QFont.
//
// Heights follow the screen's vertical DPI (the logical DPI Qt reports), never ScaleFactor().
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "grid/model/GridTypes.h"

// The system's default GUI font as a record: the application's default face at 8 points.
LogFont DefaultGuiLogFont(double dpiY);

// The default font of controls: the GUI font at 9 points, height -(int)(dpi * 9 / 72).
LogFont DefaultControlLogFont(double dpiY);

// Up to seven comma-separated fields, each trimmed of characters up to U+0020; empty fields
// keep their place and fields left out keep the defaults of `base`. Bold, italic, underline and
// strike-out are on only for exactly "1"; the size is whole points (9.5 reads 9) at `dpiY`; the
// angle in tenths of a degree is brought into 0..3599.
LogFont ParseFontDescription(QStringView description, double dpiY, const LogFont& base);
// The same at the screen's DPI, starting from the default GUI font.
LogFont ParseFontDescription(QStringView description);

// Negative heights are character heights in pixels, positive ones cell heights; 0 keeps the
// application's default size. The escapement cannot live in a QFont: painters rotate for it.
QFont LogFontToQFont(const LogFont& font);

// A COLORREF (0x00BBGGRR) as a QColor; kDefaultColour (0xFF000000) gives `systemColour`.
QColor ColourFromRef(COLORREF colour, const QColor& systemColour);
