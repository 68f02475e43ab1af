// The desktop's event sounds, which the system beeper plays on Linux.
#pragma once

#include "platform/Beep.h"

namespace vantric {

// The sound-theme event a kind plays: "bell", "dialog-warning", "dialog-information",
// "dialog-error".
const char* SoundEventName(BeepKind kind);

// Plays the kind's theme sound; false when the machine has no event-sound library or it refused
// (the system beeper then rings the bell instead).
bool PlayThemeSound(BeepKind kind);

}  // namespace vantric
