#include "platform/ScreenDpi.h"

namespace vantric {
namespace {
double dpiOverride = 0.0;
}

double ScreenDpiY() {
    if (dpiOverride > 0.0) {
        return dpiOverride;
    }
    const double dpi = SystemScreenDpiY();
    return dpi > 0.0 ? dpi : 96.0;
}

void OverrideScreenDpi(double dpi) {
    dpiOverride = dpi > 0.0 ? dpi : 0.0;
}

}  // namespace vantric
