#include "platform/Beep.h"

#include <windows.h>

namespace vantric {
namespace {

class MessageBeeper final : public IBeeper {
  public:
    void Beep(BeepKind kind) override {
        UINT type = MB_OK;
        switch (kind) {
            case BeepKind::Exclamation:
                type = MB_ICONEXCLAMATION;
                break;
            case BeepKind::Asterisk:
                type = MB_ICONASTERISK;
                break;
            case BeepKind::Error:
                type = MB_ICONHAND;
                break;
            case BeepKind::Default:
                break;
        }
        ::MessageBeep(type);
    }
};

}  // namespace

IBeeper& SystemBeeper() {
    static MessageBeeper beeper;
    return beeper;
}

}  // namespace vantric
