// The system beep, behind a replaceable interface so that tests count beeps instead of hearing
// them.
#pragma once

namespace vantric {

// The sound kinds the program asks for (the icon kinds of the platform's message beep).
enum class BeepKind { Default, Exclamation, Asterisk, Error };

class IBeeper {
  public:
    virtual ~IBeeper() = default;
    virtual void Beep(BeepKind kind) = 0;
};

// Sounds a beep through the current beeper.
void MessageBeep(BeepKind kind);

// Replaces the process-wide beeper; null restores the system one. Returns the previous one
// (null when it was the system one). The caller keeps ownership.
IBeeper* SetBeeper(IBeeper* beeper);

}  // namespace vantric
