#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/picture_import.h"

namespace pindrel {

// Limits of a layered picture, checked before anything is allocated: a mock-up of a 320-pixel
// screen, even drawn at four times its size, stays far below them.
inline constexpr int32_t kMaxLayeredSide = 8192;
inline constexpr size_t kMaxLayers = 2000;
inline constexpr size_t kMaxLayerDepth = 64;             // groups within groups
inline constexpr uint64_t kMaxLayeredBytes = 512u << 20; // every layer's pixels together

// One layer of a drawing program's document: a picture placed on the canvas, or a group of
// layers.
struct Layer {
    std::string name; // UTF-8
    bool visible = true;
    uint8_t opacity = 255;
    bool isGroup = false;
    // The editor's name for how the layer mixes with what lies beneath ("norm", "svg:multiply");
    // empty when it is a plain paint over.
    std::string blendMode;
    // The editor draws something the pixels do not hold: effects, a clipping or a vector mask.
    std::string notInPixels;
    // Where the picture's top-left pixel lies on the canvas; it may lie outside.
    int32_t x = 0;
    int32_t y = 0;
    RgbaPicture picture;         // a layer mask already multiplied into its alpha; empty for groups
    std::vector<Layer> children; // of a group, bottom first
};

// A layered document: the canvas and its layers, bottom first.
struct LayeredImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Layer> layers;
};

struct LayeredResult {
    std::optional<LayeredImage> image;
    std::string reason; // why there is none
};

// Reads an OpenRaster file: a zip holding stack.xml and a PNG per layer.
LayeredResult ReadOra(std::span<const uint8_t> bytes);
// Reads a PSD file of 8-bit RGB or greyscale channels: its layers with their bounds, names,
// visibility, opacity, groups and masks; the merged picture as one layer when it has none.
LayeredResult ReadPsd(std::span<const uint8_t> bytes);
// Either of the two, told apart by their first bytes.
LayeredResult ReadLayeredImage(std::span<const uint8_t> bytes);

// Two opacities or alphas applied one after the other.
constexpr uint8_t CombineAlpha(uint32_t a, uint32_t b) {
    return static_cast<uint8_t>((a * b + 127) / 255);
}

// Paints the visible layers over a canvas of one colour, as a plain paint over: a pixel's alpha
// is combined with its layer's opacity and its groups', then c = (c * a + below * (255 - a) +
// 127) / 255. Blend modes are not applied.
RgbaPicture FlattenLayers(const LayeredImage& image, uint8_t r = 255, uint8_t g = 255,
                          uint8_t b = 255);

} // namespace pindrel
