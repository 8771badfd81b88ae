#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "render/color.h"
#include "render/dib_image.h"
#include "render/geometry.h"
#include "render/layered_image.h"

namespace pindrel {

// The screen behind the elements: the background colour with the background layer painted
// over it, as 0xRRGGBB per canvas pixel.
struct Backdrop {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int32_t x, int32_t y) const {
        return rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// A layer as it stands on the canvas: its picture with an opacity that its groups' multiply.
struct PlacedLayer {
    const Layer* layer = nullptr;
    uint32_t opacity = 255;
    // The alpha of canvas pixel (x, y); 0 off the picture.
    uint8_t AlphaAt(int32_t x, int32_t y) const;
    const uint8_t* PixelAt(int32_t x, int32_t y) const;
    // The pixels it covers with an alpha above 0, cut to the canvas; empty when none.
    Rect Bounds(Size canvas) const;
};

// A white screen with the layer painted over it, when there is one.
Backdrop MakeBackdrop(Size canvas, const PlacedLayer* background);

// A picture's pixels in r as the rule for elements has them: opaque pixels as they are, partly
// transparent ones blended over the backdrop, fully transparent ones marked kClear.
inline constexpr uint32_t kClear = 0xFF000000u;
struct Composed {
    Rect rect;
    std::vector<uint32_t> rgb; // 0xRRGGBB or kClear, rows top first
    bool anyClear = false;
};
Composed Compose(const PlacedLayer& layer, const Rect& r, const Backdrop& backdrop);

// kMockupKey unless one of the pictures holds it; then the first colour after it (counting
// 0xRRGGBB upwards, wrapping) that none holds.
Color ChooseKey(std::span<const Composed* const> pictures);
// The picture with its clear pixels in the key colour.
DibImage ToPicture(const Composed& composed, Color key);
// The backdrop's pixels in r.
DibImage BackdropPicture(const Backdrop& backdrop, const Rect& r);
// The colour most of the layer's opaque pixels in r have; none when no pixel is opaque.
std::optional<Color> CommonOpaqueColor(const PlacedLayer& layer, const Rect& r);

} // namespace pindrel
