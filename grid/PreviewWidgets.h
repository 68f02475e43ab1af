// Small pieces the preview's dialogs share: their font and the number edit with its up-down
// arrows.
#pragma once

#include <QFont>
#include <QSpinBox>
#include <cstdint>

namespace vantric {

// The font of the preview window and its dialogs (宋体, 10 points; a CJK face where it is
// missing).
QFont PreviewDialogFont();

// A number edit with up-down arrows whose value is clamped into its range while it is typed:
// typing past the maximum shows the maximum at once, a value below the minimum (a minus sign
// when signs are allowed) shows the minimum. Text that is not a number is refused keystroke by
// keystroke; an empty edit (or a lone sign) waits for more.
class ClampedNumberEdit : public QSpinBox {
    Q_OBJECT
  public:
    ClampedNumberEdit(int32_t minimum, int32_t maximum, bool allowSign, QWidget* parent = nullptr);

    // The edit's text read as a number and clamped, what OK takes (an empty edit reads as 0).
    int32_t TypedValue() const;
    void SetMaxTypedLength(int characters);

  protected:
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& text) const override;

  private:
    void ClampText(const QString& text);

    bool allowSign_;
};

}  // namespace vantric
