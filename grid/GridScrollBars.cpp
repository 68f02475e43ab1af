#include "grid/GridScrollBars.h"

#include <algorithm>

namespace vantric {

ScrollBarState ComputeScrollBars(int64_t contentWidth, int64_t contentHeight, int32_t windowWidth,
                                 int32_t windowHeight, int32_t verticalBarWidth,
                                 int32_t horizontalBarHeight) {
    ScrollBarState s;
    int32_t roomW = windowWidth - 3;
    int32_t roomH = windowHeight - 4;
    s.vertical = contentHeight > roomH;
    if (s.vertical) {
        roomW -= verticalBarWidth;
    }
    s.horizontal = contentWidth > roomW;
    if (s.horizontal) {
        roomH -= horizontalBarHeight;
        // The horizontal bar may leave too little room for the rows after all.
        if (!s.vertical && contentHeight > roomH) {
            s.vertical = true;
            roomW -= verticalBarWidth;
        }
    }
    s.horizontalPage = std::max(0, roomW);
    s.verticalPage = std::max(0, roomH);
    s.horizontalRange = s.horizontal ? contentWidth - 1 : 0;
    s.verticalRange = s.vertical ? contentHeight - 1 : 0;
    return s;
}

}  // namespace vantric
