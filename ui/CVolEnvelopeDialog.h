// The dialog that hosts a modal form: the form's widget fills its client area, the form's
// caption is its caption, and it ends with -1 on Escape or the close box, or with the value the
// form gives to EndModal.
#pragma once

#include <QDialog>

class CVolWinForm;

class CVolEnvelopeDialog : public QDialog {
  public:
    CVolEnvelopeDialog(QWidget* owner, CVolWinForm* form);
    CVolWinForm* Form() const { return form_; }
    void reject() override;  // Escape and the close box

  private:
    CVolWinForm* form_;
};
