#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "render/geometry.h"

namespace pindrel {

// Which lines of a rectangle may snap on one axis: its start edge, its centre, its end edge.
struct SnapLines {
    bool start = true;
    bool centre = true;
    bool end = true;
};

// Where a moving rectangle snaps on each axis: the correction to make, and the line it then
// lies on (a guide to show).
struct SnapResult {
    int32_t dx = 0;
    int32_t dy = 0;
    std::optional<int32_t> guideX;
    std::optional<int32_t> guideY;
};

// The centre line of a span [a, b), to the pixel: the lower middle pixel of an even span.
constexpr int32_t CentreOf(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t{a} + b) / 2);
}

// Snaps `moving` to the screen's edges and centre lines and to the edges and centres of
// `others`: on each axis apart, of the lines `across` (x) and `down` (y) lets snap, the one
// nearest a target within `reach` pixels moves onto it. A move lets all three lines snap and
// keeps the size; a resize lets only the edges it drags snap, and the correction is then the
// change of that edge.
SnapResult Snap(const Rect& moving, SnapLines across, SnapLines down, std::span<const Rect> others,
                Size screen, int32_t reach);

// The gaps, in pixels, between r and what lies nearest on each side, in the order left, right,
// top, bottom: another rectangle that shares some of r's rows (for left and right) or columns
// (for top and bottom) and lies wholly on that side; else the screen's edge.
std::array<int32_t, 4> Gaps(const Rect& r, std::span<const Rect> others, Size screen);

} // namespace pindrel
