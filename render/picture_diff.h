#pragma once

#include <cstdint>

#include "render/canvas.h"
#include "render/color.h"
#include "render/geometry.h"
#include "render/pixel_view.h"

namespace pindrel {

// How a picture differs from the one expected, pixel by pixel. Both are laid over each other at
// their top-left corners; a pixel that lies on one of them only counts as changed.
struct PictureDiff {
    int64_t changed = 0; // pixels where a channel differs by more than the tolerance
    Rect box;            // the smallest rectangle holding every changed pixel; empty for none
    bool sizeDiffers = false;
    bool Same() const { return changed == 0; }
};

// The colour changed pixels have in a diff picture.
inline constexpr Color kDiffColor = Color::FromRgb(255, 0, 0);

// tolerance is how far each of red, green and blue may differ; below 0 counts as 0.
PictureDiff ComparePictures(ConstPixelView expected, ConstPixelView actual, int32_t tolerance = 0);

// The expected picture in light grey with every changed pixel in kDiffColor, as large as the
// larger picture of both in each direction, so that the change stands out while what it
// changed stays recognisable.
Canvas DiffPicture(ConstPixelView expected, ConstPixelView actual, int32_t tolerance = 0);

} // namespace pindrel
