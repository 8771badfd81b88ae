#pragma once

#include <cstdint>

#include "render/pixel_view.h"

namespace pindrel {

// Draws source resized to cx x cy at (x, y) of target: bilinear, 24.8 fixed point, opaque.
// Pixels that fall outside target are neither computed nor stored. Draws nothing when either
// picture is empty or cx or cy is not positive.
void ScaleBitmap(PixelView target, ConstPixelView source, int32_t x, int32_t y, int32_t cx,
                 int32_t cy);

} // namespace pindrel
