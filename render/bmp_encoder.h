#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/dib_image.h"

namespace pindrel {

enum class BmpEncoding {
    Rgb24,    // 24 bits, uncompressed
    Palette8, // 8 bits with an exact palette of the picture's colours
    Rle8,     // the same palette, run-length encoded
};

struct BmpEncodeResult {
    std::vector<uint8_t> bytes; // empty when a palette cannot hold the picture's colours
    size_t colours = 0;         // distinct colours, counted for the palette encodings
};

inline constexpr size_t kMaxPaletteColours = 256;

// Writes a .bmp file every reader takes: a 40-byte header without colour-space information,
// rows bottom-up. Palettes are exact (no dithering), ordered by colour.
BmpEncodeResult EncodeBmp(const DibImage& image, BmpEncoding encoding);

} // namespace pindrel
