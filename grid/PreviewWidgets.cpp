#include "grid/PreviewWidgets.h"

#include <QLineEdit>

#include "base/Text.h"
#include "grid/PreviewGeometry.h"

namespace vantric {

QFont PreviewDialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Droid Sans Fallback")});
    font.setPointSize(10);
    return font;
}

ClampedNumberEdit::ClampedNumberEdit(int32_t minimum, int32_t maximum, bool allowSign,
                                     QWidget* parent)
    : QSpinBox(parent), allowSign_(allowSign) {
    setRange(minimum, maximum);
    setAlignment(Qt::AlignLeft);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // The clamp runs on every change the operator makes, before the spin box judges the text.
    connect(lineEdit(), &QLineEdit::textEdited, this, &ClampedNumberEdit::ClampText);
}

int32_t ClampedNumberEdit::TypedValue() const {
    return preview::ClampTyped(TextToInt(lineEdit()->text()), minimum(), maximum());
}

void ClampedNumberEdit::SetMaxTypedLength(int characters) {
    lineEdit()->setMaxLength(characters);
}

QValidator::State ClampedNumberEdit::validate(QString& text, int&) const {
    const QStringView body =
        allowSign_ && text.startsWith(u'-') ? QStringView(text).mid(1) : QStringView(text);
    for (QChar c : body) {
        if (!c.isDigit() || c.unicode() > u'9') {
            return QValidator::Invalid;
        }
    }
    if (body.isEmpty()) {
        return QValidator::Intermediate;
    }
    // Out-of-range numbers are acceptable here: ClampText has already rewritten them.
    return QValidator::Acceptable;
}

int ClampedNumberEdit::valueFromText(const QString& text) const {
    return preview::ClampTyped(TextToInt(text), minimum(), maximum());
}

void ClampedNumberEdit::fixup(QString& text) const {
    text = textFromValue(value());
}

void ClampedNumberEdit::ClampText(const QString& text) {
    int pos = 0;
    QString copy = text;
    if (validate(copy, pos) != QValidator::Acceptable) {
        return;
    }
    const int64_t typed = TextToInt(text);
    const int32_t clamped = preview::ClampTyped(typed, minimum(), maximum());
    if (clamped != typed) {
        setValue(clamped);
        lineEdit()->setText(textFromValue(clamped));
    }
}

}  // namespace vantric
