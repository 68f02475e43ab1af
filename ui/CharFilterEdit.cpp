#include "ui/CharFilterEdit.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

namespace {

bool IsEditingKeyText(QChar c) {
    return c.category() == QChar::Other_Control;
}

}  // namespace

CharFilterEdit::CharFilterEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
}

QString CharFilterEdit::Filtered(const QString& text) const {
    QString kept;
    kept.reserve(text.size());
    bool refused = false;
    for (const QChar c : text) {
        if (Allows(c)) {
            kept += c;
        } else {
            refused = true;
        }
    }
    if (refused) {
        vantric::MessageBeep(beep_);
    }
    return kept;
}

qsizetype CharFilterEdit::Room(qsizetype replaced) const {
    if (limit_ <= 0) {
        return maxLength();
    }
    return std::max<qsizetype>(0, limit_ - (text().size() - replaced));
}

QString CharFilterEdit::CutToRoom(const QString& text, qsizetype room) {
    if (text.size() <= room) {
        return text;
    }
    vantric::MessageBeep(vantric::BeepKind::Default);
    return text.left(room);
}

QString CharFilterEdit::InsertAsOperatorText(const QString& text) {
    if (isReadOnly()) {
        return {};
    }
    QString line = text.section(QChar(u'\n'), 0, 0).section(QChar(u'\r'), 0, 0);
    line.removeIf(IsEditingKeyText);  // a one-line edit holds no control characters
    const QString kept = CutToRoom(Filtered(line), Room(selectedText().size()));
    if (!kept.isEmpty() || hasSelectedText()) {
        insert(kept);
    }
    return kept;
}

void CharFilterEdit::Paste(QClipboard::Mode mode) {
    InsertAsOperatorText(QGuiApplication::clipboard()->text(mode));
}

void CharFilterEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Paste(QClipboard::Clipboard);
        event->accept();
        return;
    }
    const QString typed = event->text();
    // Ctrl combinations type no character of their own (copy, select all and the like), and
    // editing keys (Backspace, Delete, Enter) act as keys, not as text.
    if ((event->modifiers() & Qt::ControlModifier) || typed.isEmpty() ||
        std::all_of(typed.begin(), typed.end(), IsEditingKeyText)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString kept = CutToRoom(Filtered(typed), Room(selectedText().size()));
    if (kept == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!kept.isEmpty() && !isReadOnly()) {
        insert(kept);
    }
    event->accept();
}

void CharFilterEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    const QString kept = CutToRoom(commit.isEmpty() ? commit : Filtered(commit),
                                   Room(selectedText().size() + event->replacementLength()));
    const QString& preedit = event->preeditString();
    const bool hidePreedit = !std::all_of(preedit.begin(), preedit.end(),
                                          [this](QChar c) { return Allows(c); });
    if (kept == commit && !hidePreedit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The same event with the refused text taken out. A hidden preedit takes its formats and
    // cursor along; the selection attributes refer to the text and stay.
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& a : event->attributes()) {
        if (!hidePreedit || a.type == QInputMethodEvent::Selection) {
            attributes.append(a);
        }
    }
    QInputMethodEvent filtered(hidePreedit ? QString() : preedit, attributes);
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void CharFilterEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The paste item is the one wired to QLineEdit::paste; it pastes through the filter instead.
    for (QAction* action : menu->actions()) {
        // (Qt connects it by name or by pointer, depending on the version.)
        if (QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
            QObject::disconnect(action, &QAction::triggered, this, &QLineEdit::paste)) {
            QObject::connect(action, &QAction::triggered, this,
                             [this] { Paste(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CharFilterEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection where the press put the caret.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}
