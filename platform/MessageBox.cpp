#include "platform/MessageBox.h"

#include <QMessageBox>

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

DialogMessageService dialogMessages;
IMessageService* messageReplacement = nullptr;

}  // namespace

IMessageService& MessageService() {
    return messageReplacement != nullptr ? *messageReplacement : dialogMessages;
}

IMessageService* SetMessageService(IMessageService* service) {
    IMessageService* previous = messageReplacement;
    messageReplacement = service;
    return previous;
}
