#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "render/dib_image.h"

namespace pindrel::bmp {

// Blue, green, red and a zero byte, so an entry can be stored with one 4-byte copy.
using PaletteEntry = std::array<uint8_t, 4>;
// Indices the colour table does not cover stay black.
using Palette = std::array<PaletteEntry, 256>;

// Decodes run-length data into a bottom-up picture of positive height. Runs, absolute runs and
// deltas that reach beyond the picture store nothing there; the end of the data ends the picture.
void DecodeRle8(std::span<const uint8_t> data, const Palette& palette, DibImage& image);
void DecodeRle4(std::span<const uint8_t> data, const Palette& palette, DibImage& image);

} // namespace pindrel::bmp
