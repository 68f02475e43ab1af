// The screen's vertical DPI, as the window framework sizes fonts and scales design measures by
// it.
//
// Qt already scales widgets on high-DPI screens; the value here is the DPI in Qt's
// device-independent pixels, so a screen that Qt scales by 1.5 reports about 96 and nothing is
// scaled twice. Where Qt does not scale, it is the screen's own DPI. Either way a design measure
// ends up at (screen DPI / 96) device pixels per unit.
#pragma once

namespace vantric {

// The primary screen's vertical DPI as above; 96 without a screen; the override when one is set.
double ScreenDpiY();

// Makes ScreenDpiY() answer `dpi` (tests, and screens that report nonsense); 0 clears it.
void OverrideScreenDpi(double dpi);

// What the system answers, without the override: on Windows the effective DPI of the monitor
// the desktop window is on (from "SHCore.dll" when it has it, else the desktop's device
// context), divided by Qt's scale for that screen.
double SystemScreenDpiY();

}  // namespace vantric
