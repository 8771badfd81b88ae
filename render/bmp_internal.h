#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "render/dib_image.h"

namespace pindrel::bmp {

// Colours packed as 0x00RRGGBB: blue in the low byte, as a pixel stores them. Indices the
// colour table does not cover stay black.
using Palette = std::array<uint32_t, 256>;

inline uint32_t LoadLe32(const uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else {
        return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
               (uint32_t{p[3]} << 24);
    }
}

// Stores a packed colour as blue, green, red.
inline void Store3(uint8_t* dst, uint32_t bgr) {
    dst[0] = static_cast<uint8_t>(bgr);
    dst[1] = static_cast<uint8_t>(bgr >> 8);
    dst[2] = static_cast<uint8_t>(bgr >> 16);
}

// As Store3 plus a zero fourth byte, in one store: for a pixel that the next one follows.
inline void Store4(uint8_t* dst, uint32_t bgr) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(dst, &bgr, 4);
    } else {
        Store3(dst, bgr);
        dst[3] = 0;
    }
}

// Decodes run-length data into a bottom-up picture of positive height. Runs, absolute runs and
// deltas that reach beyond the picture store nothing there; the end of the data ends the picture.
void DecodeRle8(std::span<const uint8_t> data, const Palette& palette, DibImage& image);
void DecodeRle4(std::span<const uint8_t> data, const Palette& palette, DibImage& image);

} // namespace pindrel::bmp
