#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pindrel::psd {

// How a channel's pixels are stored.
enum class Compression : uint16_t { Raw = 0, Rle = 1, Zip = 2, ZipPredicted = 3 };

// Decodes one 8-bit channel of a layer, width x height pixels, top row first, into out (resized
// to width * height). RLE data starts with the rows' 16-bit byte counts, then each row's
// PackBits runs. Runs that overshoot a row are cut to it; data that ends early is an error.
bool DecodeChannel(std::span<const uint8_t> data, Compression compression, int32_t width,
                   int32_t height, std::vector<uint8_t>& out);

// Decodes PackBits rows of the given byte counts, one after the other from data, each to width
// bytes; false when the data ends early.
bool DecodePackBitsRows(std::span<const uint8_t> data, std::span<const uint16_t> rowBytes,
                        int32_t width, uint8_t* out);

} // namespace pindrel::psd
