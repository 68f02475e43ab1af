#include "ui/MessageService.h"

#include "ui/CVDlg_Input.h"

namespace {

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

DialogInputService dialogInput;
IInputService* inputReplacement = nullptr;

}  // namespace

IInputService& InputService() {
    return inputReplacement != nullptr ? *inputReplacement : dialogInput;
}

IInputService* SetInputService(IInputService* service) {
    IInputService* previous = inputReplacement;
    inputReplacement = service;
    return previous;
}
