// A line edit that drops typed characters its filter refuses, with a beep. Only characters
// typed on the keyboard pass the filter; pasted or set text does not.
#pragma once

#include <QLineEdit>
#include <functional>

#include "platform/Beep.h"

class CharFilterEdit : public QLineEdit {
  public:
    using Filter = std::function<bool(QChar)>;

    explicit CharFilterEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
    // A null filter lets everything through.
    void SetFilter(Filter filter, vantric::BeepKind beep) {
        filter_ = std::move(filter);
        beep_ = beep;
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Filter filter_;
    vantric::BeepKind beep_ = vantric::BeepKind::Default;
};
