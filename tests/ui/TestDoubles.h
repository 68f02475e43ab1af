// Stand-ins for the beep and the dialogs, installed for the length of a test.
#pragma once

#include <QApplication>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "platform/Beep.h"
#include "ui/MessageService.h"

class CountingBeeper : public vantric::IBeeper {
  public:
    CountingBeeper() { previous_ = vantric::SetBeeper(this); }
    ~CountingBeeper() override { vantric::SetBeeper(previous_); }
    void Beep(vantric::BeepKind kind) override {
        ++count;
        last = kind;
    }
    int count = 0;
    vantric::BeepKind last = vantric::BeepKind::Default;

  private:
    vantric::IBeeper* previous_;
};

class RecordingMessages : public IMessageService {
  public:
    RecordingMessages() { previous_ = SetMessageService(this); }
    ~RecordingMessages() override { SetMessageService(previous_); }
    int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                       MessageIcon icon) override {
        owners.append(owner);
        texts.append(text);
        captions.append(caption);
        icons.append(icon);
        if (whileShown) {
            whileShown();
        }
        return 1;
    }
    QList<QWidget*> owners;
    QStringList texts;
    QStringList captions;
    QList<MessageIcon> icons;
    std::function<void()> whileShown;  // what happens while the box is up

  private:
    IMessageService* previous_;
};
