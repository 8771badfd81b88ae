#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "render/color.h"
#include "render/dib_image.h"

namespace pindrel::test {

// A 24-bit .bmp file of one colour.
std::vector<uint8_t> SolidBmp24(int32_t width, int32_t height, Color color);
// A 24-bit .bmp file whose pixel (x, y), y from the top, is pixel(x, y).
std::vector<uint8_t> Bmp24(int32_t width, int32_t height,
                           const std::function<Color(int32_t x, int32_t y)>& pixel);
// A 24-bit .bmp file in a colour pattern that varies with seed, for benchmarks and fuzz targets.
std::vector<uint8_t> PatternBmp24(int32_t width, int32_t height, uint8_t seed);
// The same as a decoded picture.
DibImage Picture(int32_t width, int32_t height,
                 const std::function<Color(int32_t x, int32_t y)>& pixel);

} // namespace pindrel::test
