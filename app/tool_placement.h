#pragma once

#include "render/geometry.h"

namespace pindrel {

// The gap left between the main window and a tool window beside it.
inline constexpr int32_t kToolWindowGap = 8;
// Less room than this on every side, and a tool window goes over the main window instead.
inline constexpr int32_t kMinToolWindowSide = 160;

// Where a tool window with a frame of `size` goes beside the main window's frame `main`, within
// the screen's available area `room` (all in the same screen coordinates): right of it, left of
// it, below or above, the first side where it fits whole, level with the main window as far as
// the room allows. Where it fits on no side, on the side where most of it shows, cut to that room;
// where no side has kMinToolWindowSide of room both ways, over the main window's right part,
// cut to the room. Never past the room's edges.
Rect PlaceToolWindow(const Rect& main, Size size, const Rect& room);

} // namespace pindrel
