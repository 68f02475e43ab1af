// A label that paints itself: background, border, and its text aligned horizontally (0 left,
// 1 centre, 2 right) and vertically (0 top, 1 middle, 2 bottom), or word-wrapped from the top.
// "&" underlines the character after it and "&&" shows one "&". Colours are COLORREF values;
// kDefaultColour means the system's button-face background and window-text colour.
#pragma once

#include <QWidget>

#include "ui/CVolWinControl.h"

class rg_label;

class CVWnd_Label : public QWidget {
  public:
    explicit CVWnd_Label(const rg_label* label, QWidget* parent);
    void SetLabelText(const QString& text);
    const QString& LabelText() const { return text_; }
    void DetachLabel() { label_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const rg_label* label_;
    QString text_;
};

// Qt alignment, wrap and mnemonic flags for the label's alignment properties.
int LabelTextFlags(int horizontalAlignment, int verticalAlignment, bool wordWrap);

class rg_label : public CVolWinControl {
  public:
    ~rg_label() override;
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    COLORREF TextColour() const { return textColour_; }
    void SetTextColour(COLORREF colour);
    COLORREF BackgroundColour() const { return backgroundColour_; }
    void SetBackgroundColour(COLORREF colour);
    bool IsTransparent() const { return transparent_; }
    void SetTransparent(bool on);
    // 0 none, 1 line, 2 sunken, 3 raised.
    int BorderKind() const { return borderKind_; }
    void SetBorderKind(int kind);
    int HorizontalAlignment() const { return hAlign_; }
    void SetHorizontalAlignment(int alignment);
    int VerticalAlignment() const { return vAlign_; }
    void SetVerticalAlignment(int alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void ApplyText(QWidget* window, const QString& text) override;
    QString ReadText(const QWidget* window) const override;

  private:
    void Repaint();

    COLORREF textColour_ = kDefaultColour;
    COLORREF backgroundColour_ = kDefaultColour;
    bool transparent_ = false;
    int borderKind_ = 0;
    int hAlign_ = 0;
    int vAlign_ = 0;
    bool wordWrap_ = false;
};
