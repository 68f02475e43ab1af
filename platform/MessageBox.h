// The platform's modal message box behind a replaceable interface, so that tests answer it
// without a display. The process-wide instance defaults to the real box. Every floor above may
// tell the operator something this way: the window framework's message dialogs and the grid's
// printer choice alike.
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

IMessageService& MessageService();
// Replaces the process-wide service; null restores the real box. Returns the previous
// replacement (null when the real one was in use). The caller keeps ownership.
IMessageService* SetMessageService(IMessageService* service);
