#include "ui/CVolEnvelopeDialog.h"

CVolEnvelopeDialog::CVolEnvelopeDialog(QWidget* owner, CVolWinForm* form)
    : QDialog(owner), form_(form) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void CVolEnvelopeDialog::reject() {
    done(-1);
}
