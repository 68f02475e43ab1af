// The screen's vertical DPI, as the window framework sizes fonts and scales design measures by
// it.
//
// Qt already scales widgets on high-DPI screens; the value here is the logical DPI in
// device-independent pixels, so a screen that Qt scales by 1.5 reports about 96 and nothing is
// scaled twice.
#pragma once

namespace vantric {

// The primary screen's logical vertical DPI; 96 without a screen; the override when one is set.
double ScreenDpiY();

// Makes ScreenDpiY() answer `dpi` (tests, and screens that report nonsense); 0 clears it.
void OverrideScreenDpi(double dpi);

}  // namespace vantric
