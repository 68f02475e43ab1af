// The message box and the input dialog behind replaceable interfaces, so that tests answer
// them without a display. The process-wide instances default to the real dialogs.
#pragma once

#include <QString>

class QWidget;

enum class MessageIcon { None, Information, Warning, Error };

class IMessageService {
  public:
    virtual ~IMessageService() = default;
    // A modal box with an OK button, owned by `owner` (none: ownerless), showing `text` as plain
    // text. Returns 1 (OK).
    virtual int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                               MessageIcon icon) = 0;
};

class IInputService {
  public:
    virtual ~IInputService() = default;
    // True and the entered text in `result` when the operator confirms; false and an empty
    // `result` when the operator cancels. `mode` is an InputDialogMode (see InputMode.h).
    virtual bool AskInput(QWidget* owner, const QString& prompt, const QString& title,
                          const QString& initialText, int mode, QString& result) = 0;
};

IMessageService& MessageService();
// Replaces the process-wide service; null restores the real dialog. Returns the previous
// replacement (null when the real one was in use). The caller keeps ownership.
IMessageService* SetMessageService(IMessageService* service);

IInputService& InputService();
IInputService* SetInputService(IInputService* service);
