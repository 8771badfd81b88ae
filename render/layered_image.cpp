#include "render/layered_image.h"

#include <algorithm>
#include <cstring>

#include "render/picture_flatten.h"

namespace pindrel {

namespace {

void PaintOver(RgbaPicture& canvas, const Layer& layer, uint32_t opacity) {
    if (!layer.visible) return;
    opacity = CombineAlpha(opacity, layer.opacity);
    if (layer.isGroup) {
        for (const Layer& child : layer.children)
            PaintOver(canvas, child, opacity);
        return;
    }
    const RgbaPicture& pic = layer.picture;
    const int64_t x0 = std::max<int64_t>(0, layer.x);
    const int64_t y0 = std::max<int64_t>(0, layer.y);
    const int64_t x1 = std::min<int64_t>(canvas.width, int64_t{layer.x} + pic.width);
    const int64_t y1 = std::min<int64_t>(canvas.height, int64_t{layer.y} + pic.height);
    for (int64_t y = y0; y < y1; ++y) {
        for (int64_t x = x0; x < x1; ++x) {
            const uint8_t* s =
                pic.Pixel(static_cast<int32_t>(x - layer.x), static_cast<int32_t>(y - layer.y));
            uint8_t* d = canvas.rgba.data() + (static_cast<size_t>(y) * canvas.width + x) * 4;
            const uint32_t a = CombineAlpha(s[3], opacity);
            for (int c = 0; c < 3; ++c)
                d[c] = BlendOver(s[c], a, d[c]);
        }
    }
}

} // namespace

LayeredResult ReadLayeredImage(std::span<const uint8_t> bytes) {
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "8BPS", 4) == 0) return ReadPsd(bytes);
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "PK\x03\x04", 4) == 0) return ReadOra(bytes);
    return {std::nullopt, "neither an OpenRaster nor a PSD file"};
}

RgbaPicture FlattenLayers(const LayeredImage& image, uint8_t r, uint8_t g, uint8_t b) {
    RgbaPicture canvas;
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.rgba.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
    for (size_t i = 0; i < canvas.rgba.size(); i += 4) {
        canvas.rgba[i] = r;
        canvas.rgba[i + 1] = g;
        canvas.rgba[i + 2] = b;
        canvas.rgba[i + 3] = 255;
    }
    for (const Layer& layer : image.layers)
        PaintOver(canvas, layer, 255);
    return canvas;
}

} // namespace pindrel
