#include "skin/arrange.h"

#include <algorithm>
#include <numeric>

#include "skin/snapping.h"

namespace pindrel {

namespace {

Rect Moved(const Rect& r, int64_t dx, int64_t dy) {
    return Rect::FromXYWH(static_cast<int32_t>(r.left + dx), static_cast<int32_t>(r.top + dy),
                          r.Width(), r.Height());
}

} // namespace

Rect Bounds(std::span<const Rect> rects) {
    if (rects.empty()) return {};
    Rect b = rects.front();
    for (const Rect& r : rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

std::vector<Rect> Align(std::span<const Rect> rects, AlignTo to, const Rect& ref) {
    std::vector<Rect> out;
    for (const Rect& r : rects) {
        int64_t dx = 0, dy = 0;
        switch (to) {
        case AlignTo::Left:
            dx = int64_t{ref.left} - r.left;
            break;
        case AlignTo::Centre:
            dx = int64_t{CentreOf(ref.left, ref.right)} - CentreOf(r.left, r.right);
            break;
        case AlignTo::Right:
            dx = int64_t{ref.right} - r.right;
            break;
        case AlignTo::Top:
            dy = int64_t{ref.top} - r.top;
            break;
        case AlignTo::Middle:
            dy = int64_t{CentreOf(ref.top, ref.bottom)} - CentreOf(r.top, r.bottom);
            break;
        case AlignTo::Bottom:
            dy = int64_t{ref.bottom} - r.bottom;
            break;
        }
        out.push_back(Moved(r, dx, dy));
    }
    return out;
}

std::vector<Rect> Distribute(std::span<const Rect> rects, bool horizontal) {
    std::vector<Rect> out(rects.begin(), rects.end());
    if (out.size() < 3) return out;
    const auto start = [&](const Rect& r) { return horizontal ? r.left : r.top; };
    const auto length = [&](const Rect& r) { return int64_t{horizontal ? r.Width() : r.Height()}; };
    std::vector<size_t> order(out.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return start(out[a]) < start(out[b]); });
    const Rect& first = out[order.front()];
    const Rect& last = out[order.back()];
    int64_t inner = 0;
    for (size_t i = 1; i + 1 < order.size(); ++i)
        inner += length(out[order[i]]);
    const int64_t space = int64_t{start(last)} - (int64_t{start(first)} + length(first)) - inner;
    const auto gaps = static_cast<int64_t>(order.size() - 1);
    // Floor division, so that a negative space (overlaps) spreads evenly too.
    const int64_t gap = space >= 0 ? space / gaps : -((-space + gaps - 1) / gaps);
    int64_t spare = space - gap * gaps;
    int64_t at = int64_t{start(first)} + length(first);
    for (size_t i = 1; i + 1 < order.size(); ++i) {
        at += gap + (spare > 0 ? 1 : 0);
        if (spare > 0) --spare;
        Rect& r = out[order[i]];
        r = horizontal ? Moved(r, at - r.left, 0) : Moved(r, 0, at - r.top);
        at += length(r);
    }
    return out;
}

} // namespace pindrel
