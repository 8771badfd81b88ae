#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pindrel {

// A picture as other tools save it: red, green, blue and alpha, 8 bits each, top row first.
struct RgbaPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba; // width * height * 4 bytes

    const uint8_t* Pixel(int32_t x, int32_t y) const {
        return rgba.data() + (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4;
    }
};

struct ImportResult {
    std::optional<RgbaPicture> picture;
    std::string reason; // why there is no picture
};

// Reads a PNG (every colour type and bit depth, tRNS transparency; 16-bit channels keep their top
// 8 bits), a JPEG or a BMP (12-, 40-, 52-, 56-, 108- and 124-byte headers, bit fields, alpha in 32
// bits), told apart by their bytes. Pictures are held to the limits of a decoded bitmap.
ImportResult ImportPicture(std::span<const uint8_t> bytes);

} // namespace pindrel
