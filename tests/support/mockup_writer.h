#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/layered_image.h"

namespace pindrel::test {

// A PSD layer mask as the writer stores it: a rectangle on the canvas, its pixels, and the value
// outside it.
struct PsdMask {
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> pixels; // width * height
    uint8_t outside = 0;
    uint8_t flags = 0; // 2 disabled, 4 inverted
};

struct PsdWriteOptions {
    uint16_t compression = 1; // 0 raw, 1 RLE, 2 zip
    bool unicodeNames = true; // a 'luni' block beside the 8-bit name
    bool greyscale = false;   // one colour channel, taken from red
    uint16_t depth = 8;       // written as given; pixels stay 8-bit
    uint16_t mode = 3;        // colour mode as given (3 RGB); greyscale overrides it
    bool noLayers = false;    // only the merged picture
    // Masks by layer name.
    std::function<const PsdMask*(const Layer&)> mask = {};
};

// The bytes of a PSD file holding the layers as drawing programs write them: groups bracketed
// by dividers, hidden and opacity in the record, blend mode keys as given ("norm" when empty),
// an effects block for layers whose notInPixels is set; the merged picture after them.
std::vector<uint8_t> WritePsd(const LayeredImage& image, const PsdWriteOptions& options = {});

// The bytes of an OpenRaster file: mimetype, stack.xml and a PNG per pixel layer.
std::vector<uint8_t> WriteOra(const LayeredImage& image);
// An OpenRaster file of the stack.xml given and the pictures named in it.
std::vector<uint8_t>
WriteOraWithStack(std::string_view stackXml,
                  const std::vector<std::pair<std::string, std::vector<uint8_t>>>& pictures);
// A layer's picture as the PNG an OpenRaster file holds.
std::vector<uint8_t> WriteOraPng(const Layer& layer);

// A pixel layer of one colour and alpha, at x, y.
Layer SolidLayer(std::string name, int32_t x, int32_t y, int32_t w, int32_t h, uint8_t r, uint8_t g,
                 uint8_t b, uint8_t a = 255);
// A pixel layer whose pixel (x, y) of the picture is rgba(x, y) as 0xRRGGBBAA.
Layer PaintedLayer(std::string name, int32_t x, int32_t y, int32_t w, int32_t h,
                   const std::function<uint32_t(int32_t, int32_t)>& rgba);
Layer Group(std::string name, std::vector<Layer> children);

} // namespace pindrel::test
