#include "render/bmp_encoder.h"

#include <algorithm>
#include <array>

namespace pindrel {

namespace {

constexpr uint32_t kHeadersSize = 14 + 40;
constexpr int32_t kPixelsPerMetre = 2835; // 72 dpi

uint32_t PixelAt(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16);
}

class Writer {
public:
    void U8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    std::vector<uint8_t> bytes;
};

void WriteHeaders(Writer& w, const DibImage& image, uint16_t bits, uint32_t compression,
                  uint32_t colours, uint32_t pixelBytes) {
    const uint32_t offset = kHeadersSize + colours * 4;
    w.U16(0x4D42);
    w.U32(offset + pixelBytes);
    w.U32(0);
    w.U32(offset);
    w.U32(40);
    w.U32(static_cast<uint32_t>(image.Width()));
    w.U32(static_cast<uint32_t>(image.Height()));
    w.U16(1);
    w.U16(bits);
    w.U32(compression);
    w.U32(pixelBytes);
    w.U32(kPixelsPerMetre);
    w.U32(kPixelsPerMetre);
    w.U32(colours);
    w.U32(0);
}

struct Colours {
    std::vector<uint32_t> palette; // sorted; only while it fits a palette
    size_t count = 0;              // all of them, so that a refusal can say how many
};

Colours DistinctColours(const DibImage& image) {
    std::vector<uint64_t> seen((size_t{1} << 24) / 64, 0);
    Colours result;
    for (int32_t k = 0; k < image.Height(); ++k) {
        const uint8_t* p = image.MemoryRow(k);
        for (int32_t x = 0; x < image.Width(); ++x, p += 3) {
            const uint32_t c = PixelAt(p);
            uint64_t& word = seen[c / 64];
            const uint64_t bit = uint64_t{1} << (c % 64);
            if (word & bit) continue;
            word |= bit;
            if (++result.count <= kMaxPaletteColours) result.palette.push_back(c);
        }
    }
    std::sort(result.palette.begin(), result.palette.end());
    return result;
}

// Palette indices of one memory row.
void IndexRow(const DibImage& image, int32_t k, const std::vector<uint32_t>& palette,
              std::vector<uint8_t>& row) {
    const uint8_t* p = image.MemoryRow(k);
    for (int32_t x = 0; x < image.Width(); ++x, p += 3) {
        const auto it = std::lower_bound(palette.begin(), palette.end(), PixelAt(p));
        row[static_cast<size_t>(x)] = static_cast<uint8_t>(it - palette.begin());
    }
}

// One row as runs: repeats as encoded runs, stretches of changing pixels as absolute runs of 3 to
// 255 (padded to 16 bits), the shorter ones as runs of one or two.
void EncodeRleRow(const std::vector<uint8_t>& row, Writer& w) {
    const size_t n = row.size();
    const auto runAt = [&](size_t x) {
        size_t r = 1;
        while (x + r < n && r < 255 && row[x + r] == row[x])
            ++r;
        return r;
    };
    size_t x = 0;
    while (x < n) {
        size_t run = runAt(x);
        if (run >= 2) {
            w.U8(static_cast<uint32_t>(run));
            w.U8(row[x]);
            x += run;
            continue;
        }
        // Gather pixels until a repeat of 3 or more is worth its own run.
        size_t end = x + 1;
        while (end < n && end - x < 255 && runAt(end) < 3)
            ++end;
        const size_t count = end - x;
        if (count < 3) {
            for (; x < end; ++x) {
                w.U8(1);
                w.U8(row[x]);
            }
            continue;
        }
        w.U8(0);
        w.U8(static_cast<uint32_t>(count));
        for (; x < end; ++x)
            w.U8(row[x]);
        if (count & 1) w.U8(0);
    }
}

BmpEncodeResult EncodeRgb24(const DibImage& image) {
    Writer w;
    const auto pixelBytes = static_cast<uint32_t>(image.Bytes().size());
    w.bytes.reserve(kHeadersSize + pixelBytes);
    WriteHeaders(w, image, 24, 0, 0, pixelBytes);
    // The picture's own rows are already bottom-up, padded to 4 bytes with zeros.
    w.bytes.insert(w.bytes.end(), image.Bytes().begin(), image.Bytes().end());
    return {std::move(w.bytes), 0};
}

BmpEncodeResult EncodePalette(const DibImage& image, bool rle) {
    const Colours distinct = DistinctColours(image);
    if (distinct.count > kMaxPaletteColours) return {{}, distinct.count};
    const std::vector<uint32_t>& palette = distinct.palette;
    const auto colours = static_cast<uint32_t>(palette.size());
    Writer pixels;
    std::vector<uint8_t> row(static_cast<size_t>(image.Width()));
    const size_t stride = (row.size() + 3) & ~size_t{3};
    for (int32_t k = 0; k < image.Height(); ++k) {
        IndexRow(image, k, palette, row);
        if (rle) {
            EncodeRleRow(row, pixels);
            pixels.U16(0); // end of line
        } else {
            pixels.bytes.insert(pixels.bytes.end(), row.begin(), row.end());
            pixels.bytes.resize(pixels.bytes.size() + stride - row.size(), 0);
        }
    }
    if (rle) pixels.U16(0x0100); // end of bitmap

    Writer w;
    const auto pixelBytes = static_cast<uint32_t>(pixels.bytes.size());
    WriteHeaders(w, image, 8, rle ? 1 : 0, colours, pixelBytes);
    for (const uint32_t c : palette)
        w.U32(c); // blue, green, red, reserved
    w.bytes.insert(w.bytes.end(), pixels.bytes.begin(), pixels.bytes.end());
    return {std::move(w.bytes), palette.size()};
}

} // namespace

BmpEncodeResult EncodeBmp(const DibImage& image, BmpEncoding encoding) {
    switch (encoding) {
    case BmpEncoding::Palette8:
        return EncodePalette(image, false);
    case BmpEncoding::Rle8:
        return EncodePalette(image, true);
    case BmpEncoding::Rgb24:
        break;
    }
    return EncodeRgb24(image);
}

} // namespace pindrel
