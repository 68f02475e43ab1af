// The input dialog behind a replaceable interface, so that tests answer it without a display;
// the process-wide instance defaults to the real dialog. The message box it goes with is the
// platform's (platform/MessageBox.h).
#pragma once

#include <QString>

#include "platform/MessageBox.h"

class QWidget;

class IInputService {
  public:
    virtual ~IInputService() = default;
    // True and the entered text in `result` when the operator confirms; false and an empty
    // `result` when the operator cancels. `mode` is an InputDialogMode (see InputMode.h).
    virtual bool AskInput(QWidget* owner, const QString& prompt, const QString& title,
                          const QString& initialText, int mode, QString& result) = 0;
};

IInputService& InputService();
IInputService* SetInputService(IInputService* service);
