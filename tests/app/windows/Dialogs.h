// The message box and the input dialog answered by the test, for the length of a test.
#pragma once

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "ui/MessageService.h"

class RecordedMessages : public IMessageService {
  public:
    RecordedMessages() { previous_ = SetMessageService(this); }
    ~RecordedMessages() override { SetMessageService(previous_); }
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                       MessageIcon) override {
        owners.append(owner);
        texts.append(text);
        captions.append(caption);
        return 1;
    }
    void Clear() {
        owners.clear();
        texts.clear();
        captions.clear();
    }

    QList<QWidget*> owners;
    QStringList texts;
    QStringList captions;

  private:
    IMessageService* previous_;
};

// Answers each input dialog with the next scripted answer: a text is typed and confirmed, an
// empty optional cancels. Asked with nothing left, it cancels.
class ScriptedInput : public IInputService {
  public:
    ScriptedInput() { previous_ = SetInputService(this); }
    ~ScriptedInput() override { SetInputService(previous_); }
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    bool AskInput(QWidget* owner, const QString& prompt, const QString& title,
                  const QString& initialText, int mode, QString& result) override {
        owners.append(owner);
        prompts.append(prompt);
        titles.append(title);
        initialTexts.append(initialText);
        modes.append(mode);
        std::optional<QString> answer;
        if (!answers.isEmpty()) {
            answer = answers.takeFirst();
        }
        result = answer.value_or(QString());
        return answer.has_value();
    }

    QList<std::optional<QString>> answers;
    QList<QWidget*> owners;
    QStringList prompts;
    QStringList titles;
    QStringList initialTexts;
    QList<int> modes;

  private:
    IInputService* previous_;
};
