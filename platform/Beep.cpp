#include "platform/Beep.h"

#include <QApplication>

namespace vantric {
namespace {

class SystemBeeper final : public IBeeper {
  public:
    void Beep(BeepKind) override {
        // Qt offers one sound; every kind maps to it.
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
            QApplication::beep();
        }
    }
};

SystemBeeper systemBeeper;
IBeeper* currentBeeper = nullptr;

}  // namespace

void MessageBeep(BeepKind kind) {
    (currentBeeper != nullptr ? currentBeeper : &systemBeeper)->Beep(kind);
}

IBeeper* SetBeeper(IBeeper* beeper) {
    IBeeper* previous = currentBeeper;
    currentBeeper = beeper;
    return previous;
}

}  // namespace vantric
