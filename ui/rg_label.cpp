#include "ui/rg_label.h"

#include <qdrawutil.h>
#include <QPaintEvent>
#include <QPainter>

#include "ui/FontDescription.h"

int LabelTextFlags(int horizontalAlignment, int verticalAlignment, bool wordWrap) {
    // "&" marks the next character as the mnemonic (shown underlined) and "&&" shows one "&".
    int flags = Qt::TextShowMnemonic | (horizontalAlignment == 1   ? Qt::AlignHCenter
                                        : horizontalAlignment == 2 ? Qt::AlignRight
                                                                   : Qt::AlignLeft);
    if (wordWrap) {
        // Wrapped text asks for vertical centring too, which only single lines get: it stands
        // at the top whatever the vertical alignment.
        return flags | Qt::TextWordWrap | Qt::AlignTop;
    }
    flags |= Qt::TextSingleLine;
    return flags | (verticalAlignment == 1   ? Qt::AlignVCenter
                    : verticalAlignment == 2 ? Qt::AlignBottom
                                             : Qt::AlignTop);
}

CVWnd_Label::CVWnd_Label(const rg_label* label, QWidget* parent) : QWidget(parent), label_(label) {}

void CVWnd_Label::SetLabelText(const QString& text) {
    text_ = text;
    update();
}

void CVWnd_Label::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect() & rect();
    if (area.isEmpty() || label_ == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.setClipRect(area);
    if (!label_->IsTransparent()) {
        painter.fillRect(
            area, ColourFromRef(label_->BackgroundColour(), palette().color(QPalette::Button)));
    }
    switch (label_->BorderKind()) {
        case 1:
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            break;
        case 2:
        case 3:
            qDrawShadePanel(&painter, rect(), palette(), label_->BorderKind() == 2, 1);
            break;
        default:
            break;
    }
    if (text_.isEmpty()) {
        return;
    }
    painter.setPen(ColourFromRef(label_->TextColour(), palette().color(QPalette::WindowText)));
    painter.setFont(font());
    painter.drawText(rect(),
                     LabelTextFlags(label_->HorizontalAlignment(), label_->VerticalAlignment(),
                                    label_->WordWrap()),
                     text_);
}

rg_label::~rg_label() {
    if (auto* w = dynamic_cast<CVWnd_Label*>(Widget())) {
        w->DetachLabel();
    }
}

const ClassDescriptor& rg_label::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor("rg_label", [] { return new rg_label; },
                                                         {&CVolWinControl::StaticClass()});
    return d;
}

QWidget* rg_label::CreateWindowObject(CreateParams& params) {
    auto* w = new CVWnd_Label(this, params.parent);
    w->setFocusPolicy(Qt::NoFocus);  // labels are never tab stops
    return w;
}

void rg_label::ApplyText(QWidget* window, const QString& text) {
    static_cast<CVWnd_Label*>(window)->SetLabelText(text);
}

QString rg_label::ReadText(const QWidget* window) const {
    return static_cast<const CVWnd_Label*>(window)->LabelText();
}

void rg_label::Repaint() {
    if (HasWindow()) {
        Widget()->update();
    }
}

void rg_label::SetTextColour(COLORREF colour) {
    textColour_ = colour;
    Repaint();
}

void rg_label::SetBackgroundColour(COLORREF colour) {
    backgroundColour_ = colour;
    Repaint();
}

void rg_label::SetTransparent(bool on) {
    transparent_ = on;
    Repaint();
}

void rg_label::SetBorderKind(int kind) {
    borderKind_ = kind;
    Repaint();
}

void rg_label::SetHorizontalAlignment(int alignment) {
    hAlign_ = alignment;
    Repaint();
}

void rg_label::SetVerticalAlignment(int alignment) {
    vAlign_ = alignment;
    Repaint();
}

void rg_label::SetWordWrap(bool on) {
    wordWrap_ = on;
    Repaint();
}
