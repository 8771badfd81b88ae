#include "skin/placement_rule.h"

#include "ini/skin_ini_file.h"
#include "skin/skin_format.h"

namespace pindrel {

KeyPlacement PlaceByKeys(const PlacementPairs& pairs, bool carries) {
    KeyPlacement out;
    Rect carried{};
    int32_t from = -1;
    for (size_t o = 0; o < kOrientationCount; ++o) {
        const std::optional<Point>& pos = pairs[2 * o];
        if (pos) {
            const Point size = pairs[2 * o + 1].value_or(Point{});
            carried = Rect::FromXYWH(pos->x, pos->y, size.x, size.y);
            from = static_cast<int32_t>(o);
        } else if (!carries) {
            carried = {};
            from = -1;
        }
        out.rects[o] = carried;
        out.placedBy[o] = from;
    }
    return out;
}

PlacementPairs ReadPlacementPairs(const SkinIniFile& file, int32_t s) {
    PlacementPairs pairs;
    for (size_t o = 0; o < kOrientationCount; ++o) {
        for (size_t k = 0; k < 2; ++k) {
            Point p;
            if (file.GetPair(s, k == 0 ? kPosKeys[o] : kSizeKeys[o], p)) pairs[2 * o + k] = p;
        }
    }
    return pairs;
}

} // namespace pindrel
