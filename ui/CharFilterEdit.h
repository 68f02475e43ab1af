// A line edit whose operator input passes one character filter and one length limit, however it
// arrives: typed on the keyboard, pasted (Ctrl+V, Shift+Insert, the context menu, the middle
// button's selection) or committed by an input method. Refused characters are dropped with a
// beep, and a preedit that holds one is not shown. Editing keys are never filtered: their text
// is a control character (Backspace U+0008, Enter U+000D, and Delete U+007F on X11 and Wayland).
// The limit counts what the operator brings the text to; text the program sets is not cut.
// Characters the limit turns away beep as well (the plain beep, not the filter's), so that a
// fourth digit does not vanish unheard.
// Pasted text keeps its first line only. Text is not dropped onto the edit.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <functional>

#include "platform/Beep.h"

class CharFilterEdit : public QLineEdit {
  public:
    using Filter = std::function<bool(QChar)>;

    explicit CharFilterEdit(QWidget* parent = nullptr);
    // A null filter lets everything through.
    void SetFilter(Filter filter, vantric::BeepKind beep) {
        filter_ = std::move(filter);
        beep_ = beep;
    }
    // The most characters the operator can bring the text to; 0: none beyond the edit's own.
    void SetLimit(int limit) { limit_ = limit; }
    int Limit() const { return limit_; }

    // Inserts `text` at the caret in place of the selection, as pasting does: its first line,
    // filtered, cut to the limit. Returns what went in.
    QString InsertAsOperatorText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The characters of `text` the filter lets through; beeps once when it refused one.
    QString Filtered(const QString& text) const;
    bool Allows(QChar c) const { return !filter_ || filter_(c); }
    // How many more characters the limit lets in when `replaced` of them give way.
    qsizetype Room(qsizetype replaced) const;
    // The part of `text` that fits `room`; beeps when some of it does not.
    static QString CutToRoom(const QString& text, qsizetype room);
    void Paste(QClipboard::Mode mode);

    Filter filter_;
    vantric::BeepKind beep_ = vantric::BeepKind::Default;
    int limit_ = 0;
};
