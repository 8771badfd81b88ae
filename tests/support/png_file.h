#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pindrel::test {

// A PNG as a test wants to write it, in any colour type and bit depth.
struct PngFile {
    int32_t width = 1;
    int32_t height = 1;
    int colorType = 2; // PNG_COLOR_TYPE_*: 0 gray, 2 RGB, 3 palette, 4 gray-alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    // Channel samples of each pixel, rows top first, at the bit depth (palette indices for 3).
    std::vector<uint16_t> samples;
    std::vector<uint8_t> paletteRgb;                  // three bytes an entry
    std::vector<uint8_t> paletteAlpha;                // tRNS of a palette
    std::optional<std::vector<uint16_t>> transparent; // tRNS of gray (1 value) or RGB (3)
};

// Channels a pixel has in the colour type.
int PngChannels(int colorType);

// The bytes of the whole file, written with libpng.
std::vector<uint8_t> WritePngFile(const PngFile& file);

} // namespace pindrel::test
