#include "ui/FormPositionLimits.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

rg_ChuangKouWeiZhiXianZhiXinXi DefaultPositionLimits(const QScreen* screen) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    rg_ChuangKouWeiZhiXianZhiXinXi limits;
    if (screen == nullptr) {
        return limits;
    }
    const QRect work = screen->availableGeometry();
    const QRect desktop = screen->virtualGeometry();
    limits.maximisedSize = {work.width(), work.height()};
    limits.maximisedPosition = {work.x() - screen->geometry().x(), work.y() - screen->geometry().y()};
    limits.maximumTrackingSize = {desktop.width(), desktop.height()};
    return limits;
}

void ApplyPositionLimits(QWidget* window, const rg_ChuangKouWeiZhiXianZhiXinXi& limits) {
    const rg_CheCunLei& low = limits.minimumTrackingSize;
    const rg_CheCunLei& high = limits.maximumTrackingSize;
    window->setMinimumSize(std::max(0, low.width), std::max(0, low.height));
    if (high.width > 0 && high.height > 0) {
        window->setMaximumSize(std::min(high.width, QWIDGETSIZE_MAX),
                               std::min(high.height, QWIDGETSIZE_MAX));
    }
}
