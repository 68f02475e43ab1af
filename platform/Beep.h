// The system beep, behind a replaceable interface so that tests count beeps instead of hearing
// them.
//
// The system beeper is the platform's own: on Windows its message beep, which plays the sound
// the desk's sound scheme gives each kind; on Linux each kind is its own event of the desktop's
// sound theme (through the desktop's event-sound library when the machine has it: a warning and
// an information sound are two different sounds), and without that library every kind is the
// display's one bell.
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

// The platform's own beeper.
IBeeper& SystemBeeper();

}  // namespace vantric
