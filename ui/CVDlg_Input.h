// The one-line input dialog behind AskInput.
//
// Two layouts: with a prompt (a sunken frame holding the prompt above the edit) and, for an
// empty prompt, a smaller one without. The caption is the title, or "请输入：" for an empty one.
// InputDialogMode 2 takes digits and "-", 3 also ".", 4 uses the password edit; refused typed
// characters beep. OK (also Enter) ends with 1, Cancel, Escape and the close box with 2. A
// focused push button takes Enter itself, as on Windows: Enter on a focused Cancel cancels.
#pragma once

#include <QDialog>

class CharFilterEdit;
class QFrame;
class QLabel;
class QPushButton;

class CVDlg_Input : public QDialog {
  public:
    CVDlg_Input(QWidget* parent, const QString& prompt, const QString& title,
                const QString& initialText, int mode);

    bool HasPrompt() const { return promptFrame_ != nullptr; }
    CharFilterEdit* ActiveEdit() const;
    CharFilterEdit* PlainEdit() const { return plainEdit_; }        // 28678
    CharFilterEdit* PasswordEdit() const { return passwordEdit_; }  // 28679
    QLabel* PromptLabel() const { return promptLabel_; }            // 28677, null without prompt
    QPushButton* OkButton() const { return okButton_; }             // 1
    QPushButton* CancelButton() const { return cancelButton_; }     // 2
    // The confirmed text; empty unless the dialog ended with OK.
    const QString& Result() const { return result_; }

    void accept() override;
    void reject() override;

  private:
    int mode_;
    QString result_;
    QFrame* promptFrame_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    CharFilterEdit* plainEdit_ = nullptr;
    CharFilterEdit* passwordEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
