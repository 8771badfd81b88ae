#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "render/geometry.h"
#include "skin/call_type.h"

namespace pindrel {

class SkinIniFile;

// What a section's position and size keys hold, where the typed readers find a pair: posP,
// sizeP, posL, sizeL, posQ, sizeQ.
using PlacementPairs = std::array<std::optional<Point>, 2 * kOrientationCount>;

// Where a section's keys place it in each orientation, before a width or height of 0 becomes a
// picture's own.
struct KeyPlacement {
    std::array<Rect, kOrientationCount> rects{};
    // The orientation whose position key placed each one; -1 when none did.
    std::array<int32_t, kOrientationCount> placedBy{-1, -1, -1};
};

// The one placement rule, shared by the loader and the editing engine. An orientation with a
// usable position lies there, sized by its size key (0, 0 when that is unusable). One without
// takes the rectangle of the orientation before it when the section carries (images, buttons,
// the photo rectangle; Portrait then takes (0, 0, 0, 0)), and is empty when it does not
// (labels).
KeyPlacement PlaceByKeys(const PlacementPairs& pairs, bool carries);

// The pairs of section s (-1: none), read as GetPair reads them.
PlacementPairs ReadPlacementPairs(const SkinIniFile& file, int32_t s);

} // namespace pindrel
