#include <QGuiApplication>
#include <QScreen>

#include "platform/ScreenDpi.h"

#include <windows.h>

namespace vantric {

namespace {

// GetDpiForMonitor of "SHCore.dll", looked up by name: older systems do not have it.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

UINT EffectiveDpiY() {
    UINT dpiY = 0;
    if (HMODULE shcore = ::LoadLibraryW(L"SHCore.dll")) {
        // Through a pointer to a function without arguments: the type any exported function has.
        const auto getDpi = reinterpret_cast<GetDpiForMonitorFn>(
            reinterpret_cast<void (*)()>(::GetProcAddress(shcore, "GetDpiForMonitor")));
        if (getDpi != nullptr) {
            const HMONITOR monitor =
                ::MonitorFromWindow(::GetDesktopWindow(), MONITOR_DEFAULTTONEAREST);
            UINT dpiX = 0;
            if (FAILED(getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY))) {
                dpiY = 0;
            }
        }
        ::FreeLibrary(shcore);
    }
    if (dpiY == 0) {
        const HWND desktop = ::GetDesktopWindow();
        if (HDC dc = ::GetDC(desktop)) {
            dpiY = UINT(::GetDeviceCaps(dc, LOGPIXELSY));
            ::ReleaseDC(desktop, dc);
        }
    }
    return dpiY;
}

}  // namespace

double SystemScreenDpiY() {
    const UINT dpi = EffectiveDpiY();
    if (dpi == 0) {
        return 0.0;
    }
    // Qt, DPI-aware per monitor, already draws its device-independent pixels at this scale.
    double qtScale = 1.0;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            qtScale = screen->devicePixelRatio();
        }
    }
    return dpi / (qtScale > 0.0 ? qtScale : 1.0);
}

}  // namespace vantric
