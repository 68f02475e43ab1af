#include "ui/CharFilterEdit.h"

#include <QKeyEvent>

void CharFilterEdit::keyPressEvent(QKeyEvent* event) {
    // Ctrl combinations type no character of their own (copy, paste and the like).
    if (filter_ && !(event->modifiers() & Qt::ControlModifier)) {
        for (const QChar c : event->text()) {
            if (!filter_(c)) {
                vantric::MessageBeep(beep_);
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}
