#include "app/tool_placement.h"

#include <algorithm>
#include <array>

namespace pindrel {

namespace {

// The part of room on one side of main, gap included.
struct Side {
    Rect area;
    bool horizontal; // left or right: the window is levelled with main's top
};

// How much of a window of size shows in area, as a fraction of the whole.
double Shown(const Rect& area, Size size) {
    const double w = std::min(1.0, static_cast<double>(area.Width()) / std::max(1, size.width));
    const double h = std::min(1.0, static_cast<double>(area.Height()) / std::max(1, size.height));
    return w * h;
}

// size placed in area, levelled with main along the side, cut to the area.
Rect PlaceIn(const Side& side, const Rect& main, Size size) {
    const Rect& a = side.area;
    const int32_t w = std::min(size.width, a.Width());
    const int32_t h = std::min(size.height, a.Height());
    int32_t x = a.left, y = a.top;
    if (side.horizontal) {
        // Against main: on its right the window starts at the area's left, on its left it ends
        // at the area's right.
        if (a.right <= main.left) x = a.right - w;
        y = std::clamp(main.top, a.top, a.bottom - h);
    } else {
        if (a.bottom <= main.top) y = a.bottom - h;
        x = std::clamp(main.left, a.left, a.right - w);
    }
    return Rect::FromXYWH(x, y, w, h);
}

} // namespace

Rect PlaceToolWindow(const Rect& main, Size size, const Rect& room) {
    const int32_t g = kToolWindowGap;
    const std::array<Side, 4> sides = {{
        {{main.right + g, room.top, room.right, room.bottom}, true},
        {{room.left, room.top, main.left - g, room.bottom}, true},
        {{room.left, main.bottom + g, room.right, room.bottom}, false},
        {{room.left, room.top, room.right, main.top - g}, false},
    }};
    for (const Side& side : sides) {
        if (side.area.Width() >= size.width && side.area.Height() >= size.height)
            return PlaceIn(side, main, size);
    }
    const Side* best = nullptr;
    for (const Side& side : sides) {
        if (side.area.Width() < kMinToolWindowSide || side.area.Height() < kMinToolWindowSide)
            continue;
        if (!best || Shown(side.area, size) > Shown(best->area, size)) best = &side;
    }
    if (best) return PlaceIn(*best, main, size);
    // Nowhere beside it: over the main window, as far right as the room allows.
    const int32_t w = std::min(size.width, room.Width());
    const int32_t h = std::min(size.height, room.Height());
    const int32_t x = std::clamp(main.right - w, room.left, room.right - w);
    const int32_t y = std::clamp(main.top, room.top, room.bottom - h);
    return Rect::FromXYWH(x, y, w, h);
}

} // namespace pindrel
