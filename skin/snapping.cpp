#include "skin/snapping.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace pindrel {

namespace {

struct Axis {
    int32_t start, end; // of the moving rectangle
    SnapLines lines;
};

// The best correction on one axis: the smallest distance within reach from an allowed line to a
// target; the first of equal ones.
void SnapAxis(const Axis& a, const std::vector<int32_t>& targets, int32_t reach, int32_t& delta,
              std::optional<int32_t>& guide) {
    std::optional<int64_t> best;
    const int32_t centre = CentreOf(a.start, a.end);
    for (const int32_t t : targets) {
        for (const auto& [on, line] :
             {std::pair{a.lines.start, a.start}, std::pair{a.lines.centre, centre},
              std::pair{a.lines.end, a.end}}) {
            const int64_t d = int64_t{t} - line;
            if (!on || std::llabs(d) > reach) continue;
            if (!best || std::llabs(d) < std::llabs(*best)) {
                best = d;
                guide = t;
            }
        }
    }
    delta = best ? static_cast<int32_t>(*best) : 0;
    if (!best) guide.reset();
}

} // namespace

SnapResult Snap(const Rect& moving, SnapLines across, SnapLines down, std::span<const Rect> others,
                Size screen, int32_t reach) {
    std::vector<int32_t> xs = {0, screen.width / 2, screen.width};
    std::vector<int32_t> ys = {0, screen.height / 2, screen.height};
    for (const Rect& o : others) {
        if (o.IsEmpty()) continue;
        xs.insert(xs.end(), {o.left, CentreOf(o.left, o.right), o.right});
        ys.insert(ys.end(), {o.top, CentreOf(o.top, o.bottom), o.bottom});
    }
    SnapResult result;
    SnapAxis({moving.left, moving.right, across}, xs, reach, result.dx, result.guideX);
    SnapAxis({moving.top, moving.bottom, down}, ys, reach, result.dy, result.guideY);
    return result;
}

std::array<int32_t, 4> Gaps(const Rect& r, std::span<const Rect> others, Size screen) {
    std::array<int64_t, 4> gaps = {r.left, int64_t{screen.width} - r.right, r.top,
                                   int64_t{screen.height} - r.bottom};
    for (const Rect& o : others) {
        if (o.IsEmpty()) continue;
        const bool rows = o.top < r.bottom && o.bottom > r.top;
        const bool columns = o.left < r.right && o.right > r.left;
        if (rows && o.right <= r.left)
            gaps[0] = std::min<int64_t>(gaps[0], int64_t{r.left} - o.right);
        if (rows && o.left >= r.right)
            gaps[1] = std::min<int64_t>(gaps[1], int64_t{o.left} - r.right);
        if (columns && o.bottom <= r.top)
            gaps[2] = std::min<int64_t>(gaps[2], int64_t{r.top} - o.bottom);
        if (columns && o.top >= r.bottom)
            gaps[3] = std::min<int64_t>(gaps[3], int64_t{o.top} - r.bottom);
    }
    std::array<int32_t, 4> out{};
    for (size_t i = 0; i < 4; ++i)
        out[i] = static_cast<int32_t>(std::clamp<int64_t>(gaps[i], INT32_MIN, INT32_MAX));
    return out;
}

} // namespace pindrel
