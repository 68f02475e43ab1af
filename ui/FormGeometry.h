// Where a form goes and how big it is, as pure rules.
#pragma once

#include <QRect>

// The client rectangle of a form about to be created. Unset (CreateParams::kUnset) size takes
// the design client size, plus `menuBarHeight` for a form with a menu; a design size that is
// not positive in either direction gives 0 x 0. Unset position: 0 for a child form, else centred
// on `screen` with integer division.
QRect FormCreateRect(int x, int y, int width, int height, int designWidth, int designHeight,
                     int menuBarHeight, bool childForm, const QRect& screen);

// Places a top-level form on its monitor: StartPosition 1 centres it on `monitor`, any other
// value offsets it by the monitor's top-left corner.
QPoint PlaceOnMonitor(const QRect& form, const QRect& monitor, int startPosition);
