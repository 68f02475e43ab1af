// Which scroll bars a grid window shows and what they span, from its content and window sizes.
#pragma once

#include <cstdint>

namespace vantric {

struct ScrollBarState {
    bool horizontal = false, vertical = false;
    int64_t horizontalRange = 0, verticalRange = 0;  // content size less 1 (0 when hidden)
    int32_t horizontalPage = 0, verticalPage = 0;    // the room the window has
    bool operator==(const ScrollBarState&) const = default;
};

// The room is the window less 3 pixels across and 4 down; a bar appears when the content is
// larger than the room, and takes its own thickness from the other direction's room.
ScrollBarState ComputeScrollBars(int64_t contentWidth, int64_t contentHeight, int32_t windowWidth,
                                 int32_t windowHeight, int32_t verticalBarWidth,
                                 int32_t horizontalBarHeight);

}  // namespace vantric
