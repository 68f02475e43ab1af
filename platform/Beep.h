// The system beep, behind a replaceable interface so that tests count beeps instead of hearing
// them.
//
// The system beeper plays each kind as its own event of the desktop's sound theme (through the
// desktop's event-sound library when the machine has it: a warning and an information sound are
// two different sounds); without that library every kind is the display's one bell.
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

// The sound-theme event a kind plays: "bell", "dialog-warning", "dialog-information",
// "dialog-error".
const char* SoundEventName(BeepKind kind);

// Plays the kind's theme sound; false when the machine has no event-sound library or it refused
// (the system beeper then rings the bell instead).
bool PlayThemeSound(BeepKind kind);

}  // namespace vantric
