// The texts and font face printed on every carton label.
#pragma once

#include <QString>

inline const QString CartonCaptionText = QStringLiteral(" Carton No. :");  // leading blank kept
inline const QString OriginText = QStringLiteral("Made in China");
inline const QString LabelFontFace = QStringLiteral("Arial");
