#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "render/color.h"

namespace pindrel::test {

// The fields of a .bmp file as a test wants to write it, including ones a writer should not.
// The setters chain: BmpFile().Size(4, 2).Bits(8).Colors(palette).Data(rows).
struct BmpFile {
    int32_t width = 1;
    int32_t height = 1; // negative: rows stored top to bottom
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    bool coreHeader = false;    // 12-byte header with 3-byte colour entries
    uint32_t infoSize = 40;     // 52, 56, 108, 124: the masks go inside the header, up to four
    std::vector<Color> palette; // the colour table
    std::optional<uint32_t> colorsUsed;  // default: the palette's size
    std::vector<uint32_t> masks;         // 4-byte entries right after the header (bit fields)
    std::vector<uint8_t> pixels;         // as stored: padded rows or a run-length stream
    std::optional<uint32_t> pixelOffset; // default: right after the table or masks

    BmpFile& Size(int32_t w, int32_t h) {
        width = w;
        height = h;
        return *this;
    }
    BmpFile& Bits(uint16_t bits, uint32_t compressionValue = 0) {
        bitCount = bits;
        compression = compressionValue;
        return *this;
    }
    BmpFile& Core() {
        coreHeader = true;
        return *this;
    }
    BmpFile& InfoSize(uint32_t size) {
        infoSize = size;
        return *this;
    }
    BmpFile& Colors(std::vector<Color> table) {
        palette = std::move(table);
        return *this;
    }
    BmpFile& ColorsUsed(uint32_t n) {
        colorsUsed = n;
        return *this;
    }
    BmpFile& Masks(std::vector<uint32_t> rgb) {
        masks = std::move(rgb);
        return *this;
    }
    BmpFile& Data(std::vector<uint8_t> bytes) {
        pixels = std::move(bytes);
        return *this;
    }
    BmpFile& PixelOffset(uint32_t offset) {
        pixelOffset = offset;
        return *this;
    }
};

// The bytes of the whole file.
std::vector<uint8_t> WriteBmp(const BmpFile& file);

// Packs pixel values, rows in file order, into rows padded to 4 bytes. A value is a palette
// index for up to 8 bits, the stored word for 16 bits, 0xRRGGBB for 24 bits and the stored
// double word for 32 bits.
std::vector<uint8_t> PackRows(uint16_t bitCount, int32_t width, std::span<const uint32_t> values);

// Run-length encodes palette indices, rows in file order: encoded runs where pixels repeat,
// absolute runs elsewhere, an end of line after each row and an end of bitmap.
std::vector<uint8_t> EncodeRle8(int32_t width, std::span<const uint32_t> indices);
std::vector<uint8_t> EncodeRle4(int32_t width, std::span<const uint32_t> indices);

// Overwrites a little-endian value inside a file, for hostile headers.
void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

} // namespace pindrel::test
