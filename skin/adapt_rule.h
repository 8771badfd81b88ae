#pragma once

#include <cstdint>

#include "render/geometry.h"

namespace pindrel {

// How an element's rectangle in one orientation gives its rectangle in another.
enum class AdaptRule {
    Same,   // the rectangle as it is
    Anchor, // kept at the edge or the centre it lies nearest, on each axis apart
};

// One axis of the anchor rule: a span starting at `start` of `length` on a screen of `from`
// pixels, placed on a screen of `to`. A span of two thirds of the screen or more spans it: one
// that `stretches` (a label, the photo) keeps its start and grows by the screens' difference;
// any other keeps its length and goes by its centre, as shorter spans do: in the first third it
// keeps its start, in the last third its distance to the end, else its distance to the centre
// (the half difference truncated toward zero). Returns the new start and length.
struct Span {
    int32_t start = 0;
    int32_t length = 0;
    friend constexpr bool operator==(const Span&, const Span&) = default;
};
Span AnchorSpan(int32_t start, int32_t length, int32_t from, int32_t to, bool stretches);

// The rectangle r on a screen of `from` adapted to a screen of `to` by the rule.
Rect AdaptRect(const Rect& r, Size from, Size to, AdaptRule rule, bool stretches);

} // namespace pindrel
