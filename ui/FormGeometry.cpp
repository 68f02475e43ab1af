#include "ui/FormGeometry.h"

#include "ui/CreateParams.h"

QRect FormCreateRect(int x, int y, int width, int height, int designWidth, int designHeight,
                     int menuBarHeight, bool childForm, const QRect& screen) {
    if (width == CreateParams::kUnset || height == CreateParams::kUnset) {
        if (designWidth > 0 && designHeight > 0) {
            width = designWidth;
            height = designHeight + menuBarHeight;
        } else {
            width = 0;
            height = 0;
        }
    }
    if (x == CreateParams::kUnset || y == CreateParams::kUnset) {
        if (childForm) {
            x = 0;
            y = 0;
        } else {
            x = (screen.width() - width) / 2;
            y = (screen.height() - height) / 2;
        }
    }
    return QRect(x, y, width, height);
}

QPoint PlaceOnMonitor(const QRect& form, const QRect& monitor, int startPosition) {
    if (startPosition == 1) {
        // left + right of a Windows rectangle is left + (left + width)
        return QPoint((2 * monitor.left() + monitor.width() - form.width()) / 2,
                      (2 * monitor.top() + monitor.height() - form.height()) / 2);
    }
    return form.topLeft() + monitor.topLeft();
}
