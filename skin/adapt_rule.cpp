#include "skin/adapt_rule.h"

#include <algorithm>

namespace pindrel {

namespace {

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

Span AnchorSpan(int32_t start, int32_t length, int32_t from, int32_t to, bool stretches) {
    const int64_t a = start, l = length, s = from, t = to;
    if (3 * l >= 2 * s && stretches) return {start, Clamp32(l + (t - s))};
    const int64_t centre3 = 3 * (2 * a + l);
    int64_t moved = a;
    if (centre3 < 2 * s)
        moved = a;
    else if (centre3 > 4 * s)
        moved = a + (t - s);
    else
        moved = a + (t - s) / 2; // C++ division truncates toward zero
    return {Clamp32(moved), length};
}

Rect AdaptRect(const Rect& r, Size from, Size to, AdaptRule rule, bool stretches) {
    if (rule == AdaptRule::Same) return r;
    const Span x = AnchorSpan(r.left, r.Width(), from.width, to.width, stretches);
    const Span y = AnchorSpan(r.top, r.Height(), from.height, to.height, stretches);
    return Rect::FromXYWH(x.start, y.start, x.length, y.length);
}

} // namespace pindrel
