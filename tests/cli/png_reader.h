#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/color.h"

namespace pindrel::test {

// A PNG file read back: its stored format and its pixels as 8-bit RGB.
struct PngPicture {
    int32_t width = 0;
    int32_t height = 0;
    bool rgb8 = false; // stored as 8-bit RGB without alpha or palette
    std::vector<uint8_t> rgb;

    Color Pixel(int32_t x, int32_t y) const {
        const size_t i =
            (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
        return Color::FromRgb(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
    size_t Count(Color c) const;
};

// Nothing when the file is missing or no PNG.
std::optional<PngPicture> ReadPng(const std::string& path);

} // namespace pindrel::test
