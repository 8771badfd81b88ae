#pragma once

#include <cstdint>
#include <optional>

#include "render/color.h"
#include "render/dib_image.h"
#include "render/picture_import.h"

namespace pindrel {

// One channel of colour c with alpha a over the channel bg below it, rounded to nearest:
// (c * a + bg * (255 - a) + 127) / 255. Every picture that turns alpha into plain colour blends so.
constexpr uint8_t BlendOver(uint32_t c, uint32_t a, uint32_t bg) {
    return static_cast<uint8_t>((c * a + bg * (255 - a) + 127) / 255);
}

struct FlattenOptions {
    std::optional<Color> key;  // pixels with alpha below 128 take this colour
    Color background = kWhite; // the other pixels are composited over it
};

struct FlattenResult {
    std::optional<DibImage> image; // none when the picture exceeds the bitmap limits
    // Pixels that were not keyed yet came out in the key colour: they would vanish too.
    uint64_t opaqueKeyPixels = 0;
};

// Makes the 24-bit picture a skin can use: without a key every pixel is composited over the
// background, c = (c * a + bg * (255 - a) + 127) / 255; with one, the transparent half becomes
// the key colour.
FlattenResult FlattenPicture(const RgbaPicture& picture, const FlattenOptions& options);

} // namespace pindrel
