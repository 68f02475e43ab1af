#include "ui/MessageService.h"

#include <QMessageBox>

#include "ui/CVDlg_Input.h"

namespace {

class DialogMessageService final : public IMessageService {
  public:
    int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                       MessageIcon icon) override {
        QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
        switch (icon) {
            case MessageIcon::None:
                break;
            case MessageIcon::Information:
                qtIcon = QMessageBox::Information;
                break;
            case MessageIcon::Warning:
                qtIcon = QMessageBox::Warning;
                break;
            case MessageIcon::Error:
                qtIcon = QMessageBox::Critical;
                break;
        }
        QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, owner);
        // Texts are shown as they stand: an exception's "<b>" is four characters, not bold.
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return 1;  // IDOK: the box has no other button
    }
};

class DialogInputService final : public IInputService {
  public:
    bool AskInput(QWidget* owner, const QString& prompt, const QString& title,
                  const QString& initialText, int mode, QString& result) override {
        CVDlg_Input dialog(owner, prompt, title, initialText, mode);
        const bool confirmed = dialog.exec() == 1;
        result = confirmed ? dialog.Result() : QString();
        return confirmed;
    }
};

DialogMessageService dialogMessages;
DialogInputService dialogInput;
IMessageService* messageReplacement = nullptr;
IInputService* inputReplacement = nullptr;

}  // namespace

IMessageService& MessageService() {
    return messageReplacement != nullptr ? *messageReplacement : dialogMessages;
}

IMessageService* SetMessageService(IMessageService* service) {
    IMessageService* previous = messageReplacement;
    messageReplacement = service;
    return previous;
}

IInputService& InputService() {
    return inputReplacement != nullptr ? *inputReplacement : dialogInput;
}

IInputService* SetInputService(IInputService* service) {
    IInputService* previous = inputReplacement;
    inputReplacement = service;
    return previous;
}
