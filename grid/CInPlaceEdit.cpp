#include "grid/CInPlaceEdit.h"

#include <QKeyEvent>

namespace vantric {

CInPlaceEdit::CInPlaceEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
}

void CInPlaceEdit::Close(int key, bool cancelled) {
    if (closing_) {
        return;
    }
    closing_ = true;
    Q_EMIT Closed(key, cancelled);
}

bool CInPlaceEdit::event(QEvent* e) {
    // Tab would otherwise move the focus to the next widget before the grid sees it.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            Close(key->key(), false);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e) {
    const bool atStart = cursorPosition() == 0 && !hasSelectedText();
    const bool atEnd = cursorPosition() == text().size() && !hasSelectedText();
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Close(Qt::Key_Return, false);
            return;
        case Qt::Key_Escape:
            Close(Qt::Key_Escape, true);
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            Close(e->key(), false);
            return;
        // Sideways keys move the caret first and leave the cell only from the text's end.
        case Qt::Key_Left:
        case Qt::Key_Home:
            if (atStart) {
                Close(e->key(), false);
                return;
            }
            break;
        case Qt::Key_Right:
        case Qt::Key_End:
            if (atEnd) {
                Close(e->key(), false);
                return;
            }
            break;
        default:
            break;
    }
    QLineEdit::keyPressEvent(e);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    Close(0, false);
}

}  // namespace vantric
