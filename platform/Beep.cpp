#include "platform/Beep.h"

namespace vantric {
namespace {

IBeeper* currentBeeper = nullptr;

}  // namespace

void MessageBeep(BeepKind kind) {
    (currentBeeper != nullptr ? currentBeeper : &SystemBeeper())->Beep(kind);
}

IBeeper* SetBeeper(IBeeper* beeper) {
    IBeeper* previous = currentBeeper;
    currentBeeper = beeper;
    return previous;
}

}  // namespace vantric
