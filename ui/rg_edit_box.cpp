#include "ui/rg_edit_box.h"

#include <QEvent>

#include "ui/InputMode.h"

const ClassDescriptor& rg_edit_box::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_edit_box", [] { return new rg_edit_box; }, {&CVolWinControl::StaticClass()});
    return d;
}

CVWnd_Edit* rg_edit_box::Edit() const {
    return static_cast<CVWnd_Edit*>(Widget());
}

QWidget* rg_edit_box::CreateWindowObject(CreateParams& params) {
    auto* edit = new CVWnd_Edit(params.parent);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { TextChangedEvent.Fire(this); });
    QObject::connect(edit, &QLineEdit::returnPressed, edit,
                     [this] { EnterPressedEvent.Fire(this); });
    return edit;
}

void rg_edit_box::ApplyText(QWidget* window, const QString& text) {
    static_cast<CVWnd_Edit*>(window)->setText(text);
}

void rg_edit_box::AfterCreate(CreateParams& params) {
    CVolWinControl::AfterCreate(params);
    ApplyMode();
    if (selectionStart_ >= 0) {
        SetSelection(selectionStart_, selectionLength_);
    }
}

QString rg_edit_box::ReadText(const QWidget* window) const {
    return static_cast<const CVWnd_Edit*>(window)->text();
}

void rg_edit_box::ApplyMode() {
    CVWnd_Edit* edit = Edit();
    if (edit == nullptr) {
        return;
    }
    const int mode = inputMode_;
    edit->SetFilter([mode](QChar c) { return InputModeAllowsChar(mode, c); },
                    vantric::BeepKind::Exclamation);
    edit->setReadOnly(mode == 1);
    edit->setEchoMode(mode == 2 ? QLineEdit::Password : QLineEdit::Normal);
    edit->SetLimit(limit_);  // not the widget's own maximum, which would cut set text too
    edit->setAlignment((alignment_ == 1   ? Qt::AlignHCenter
                        : alignment_ == 2 ? Qt::AlignRight
                                          : Qt::AlignLeft) |
                       Qt::AlignVCenter);
    edit->update();
}

void rg_edit_box::SetInputMode(int mode) {
    inputMode_ = mode;
    ApplyMode();
}

void rg_edit_box::SetLimitText(int limit) {
    limit_ = limit;
    ApplyMode();
}

void rg_edit_box::SetAlignment(int alignment) {
    alignment_ = alignment;
    ApplyMode();
}

void rg_edit_box::SetSelection(int start, int length) {
    CVWnd_Edit* edit = Edit();
    if (edit == nullptr) {
        // Kept for creation.
        selectionStart_ = start;
        selectionLength_ = length;
        return;
    }
    selectionStart_ = -1;
    edit->setSelection(start, length < 0 ? static_cast<int>(edit->text().size()) : length);
}

void rg_edit_box::SelectAll() {
    SetSelection(0, -1);
}

QString rg_edit_box::SelectedText() const {
    return HasWindow() ? Edit()->selectedText() : QString();
}

void rg_edit_box::Normalise() {
    CVWnd_Edit* edit = Edit();
    const QString normal = NormaliseInputModeText(inputMode_, edit->text());
    if (normal != edit->text()) {
        const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        edit->setText(normal);
        edit->setCursorPosition(caret);
    }
}

bool rg_edit_box::OnWidgetEvent(QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        Normalise();
    }
    return CVolWinControl::OnWidgetEvent(event);
}
