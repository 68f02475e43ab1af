// The limits a form's window keeps to when it is maximised or resized by the operator, as the
// position-limit event hands them to the program.
#pragma once

#include <cstdint>

class QScreen;
class QWidget;

struct rg_CheCunLei {  // a size
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const rg_CheCunLei&) const = default;
};

struct rg_WeiZhiLei {  // a position
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const rg_WeiZhiLei&) const = default;
};

struct rg_ChuangKouWeiZhiXianZhiXinXi {
    rg_CheCunLei maximisedSize;
    rg_WeiZhiLei maximisedPosition;
    rg_CheCunLei minimumTrackingSize{1, 1};
    rg_CheCunLei maximumTrackingSize;
};

// What the window system allows a window on `screen` (the primary screen when null): maximised
// to the screen's work area, tracked from 1 x 1 up to the whole virtual desktop.
rg_ChuangKouWeiZhiXianZhiXinXi DefaultPositionLimits(const QScreen* screen);

// Makes `window` keep to the tracking sizes. The maximised size and position stay the window
// manager's: Qt cannot place a maximised window.
void ApplyPositionLimits(QWidget* window, const rg_ChuangKouWeiZhiXianZhiXinXi& limits);
