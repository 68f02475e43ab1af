#include <dlfcn.h>

#include <QApplication>
#include <cstdint>
#include <mutex>

#include "platform/linux/EventSounds.h"

namespace vantric {
namespace {

// The few entry points of the desktop's event-sound library, looked up at run time so that the
// program neither builds nor installs against it.
struct EventSounds {
    using Create = int (*)(void**);
    using Play = int (*)(void*, uint32_t, ...);
    void* context = nullptr;
    Play play = nullptr;

    EventSounds() {
        void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return;
        }
        auto create = reinterpret_cast<Create>(dlsym(library, "ca_context_create"));
        play = reinterpret_cast<Play>(dlsym(library, "ca_context_play"));
        // The context lives as long as the process: a sound plays on after the call returns.
        if (create == nullptr || play == nullptr || create(&context) != 0) {
            context = nullptr;
            play = nullptr;
        }
    }
};

EventSounds& Sounds() {
    static EventSounds sounds;
    return sounds;
}

class ThemeBeeper final : public IBeeper {
  public:
    void Beep(BeepKind kind) override {
        if (PlayThemeSound(kind)) {
            return;
        }
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
            QApplication::beep();
        }
    }
};

}  // namespace

const char* SoundEventName(BeepKind kind) {
    switch (kind) {
        case BeepKind::Exclamation:
            return "dialog-warning";
        case BeepKind::Asterisk:
            return "dialog-information";
        case BeepKind::Error:
            return "dialog-error";
        case BeepKind::Default:
            break;
    }
    return "bell";
}

bool PlayThemeSound(BeepKind kind) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    EventSounds& sounds = Sounds();
    if (sounds.play == nullptr) {
        return false;
    }
    // Id 0: sounds are never cancelled. The property list ends with a null pointer.
    return sounds.play(sounds.context, 0, "event.id", SoundEventName(kind), "event.description",
                       "Vantric", static_cast<const char*>(nullptr)) == 0;
}

IBeeper& SystemBeeper() {
    static ThemeBeeper beeper;
    return beeper;
}

}  // namespace vantric
