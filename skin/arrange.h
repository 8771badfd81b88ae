#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "render/geometry.h"

namespace pindrel {

enum class AlignTo { Left, Centre, Right, Top, Middle, Bottom };

// The rectangles aligned as one: their left edges, centres or right edges on the reference's,
// or their top edges, middles or bottom edges. Sizes stay.
std::vector<Rect> Align(std::span<const Rect> rects, AlignTo to, const Rect& reference);

// The bounds of all of them: the reference for aligning several.
Rect Bounds(std::span<const Rect> rects);

// Three or more rectangles spread across (horizontal) or down with equal gaps between them, in
// the order they stand; the outermost two stay. Fewer are returned as they are. Gaps that do not
// divide evenly give their spare pixels to the first gaps.
std::vector<Rect> Distribute(std::span<const Rect> rects, bool horizontal);

} // namespace pindrel
