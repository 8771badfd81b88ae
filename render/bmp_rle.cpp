#include <algorithm>
#include <cstring>

#include "render/bmp_internal.h"
#include "render/byte_reader.h"

namespace pindrel::bmp {

namespace {

// Where the next pixels go. Positions are 64-bit: a long file of runs and deltas moves x and y
// far past any 32-bit range before the data ends.
class RunTarget {
public:
    explicit RunTarget(DibImage& image) : image_(image) {}

    // Stores count pixels from x on, pixel k taking the colour colourAt(k); the part beyond the
    // picture is dropped.
    template <typename ColourAt> void Put(int64_t x, int64_t y, int64_t count, ColourAt colourAt) {
        const int64_t width = image_.Width();
        if (y >= image_.Height() || x >= width) return;
        const int64_t n = std::min(count, width - x);
        uint8_t* dst = image_.MemoryRow(static_cast<int32_t>(y)) + x * 3;
        for (int64_t k = 0; k < n; ++k, dst += 3)
            Store3(dst, colourAt(k));
    }

    int64_t Width() const { return image_.Width(); }
    int64_t Height() const { return image_.Height(); }

private:
    DibImage& image_;
};

// Format differences between RLE8 and RLE4: what an encoded run repeats, how many bytes an
// absolute run of n pixels holds, and which pixel a byte of an absolute run gives.
struct Rle8 {
    static uint32_t Encoded(const Palette& pal, uint8_t value, int64_t) { return pal[value]; }
    static uint32_t AbsoluteBytes(uint32_t pixels) { return pixels; }
    static uint32_t Absolute(const Palette& pal, std::span<const uint8_t> b, int64_t k) {
        return pal[b[static_cast<size_t>(k)]];
    }
    static uint32_t PixelsIn(size_t bytes) { return static_cast<uint32_t>(bytes); }
};

// RLE4 packs two pixels a byte, high nibble first; an encoded run alternates the two nibbles.
struct Rle4 {
    static uint32_t Encoded(const Palette& pal, uint8_t value, int64_t k) {
        return pal[(k & 1) ? (value & 0x0F) : (value >> 4)];
    }
    static uint32_t AbsoluteBytes(uint32_t pixels) { return (pixels + 1) / 2; }
    static uint32_t Absolute(const Palette& pal, std::span<const uint8_t> b, int64_t k) {
        return Encoded(pal, b[static_cast<size_t>(k / 2)], k);
    }
    static uint32_t PixelsIn(size_t bytes) { return static_cast<uint32_t>(bytes * 2); }
};

template <typename Format>
void DecodeRle(std::span<const uint8_t> data, const Palette& pal, DibImage& image) {
    ByteReader in(data);
    RunTarget target(image);
    int64_t y = 0;
    bool endOfBitmap = false;
    while (!endOfBitmap && y < target.Height()) {
        int64_t x = 0;
        for (;;) {
            if (!in.Has(2)) {
                endOfBitmap = true;
                break;
            }
            const uint8_t count = in.ReadU8();
            const uint8_t value = in.ReadU8();
            if (count > 0) {
                target.Put(x, y, count, [&](int64_t k) { return Format::Encoded(pal, value, k); });
                x += count;
                continue;
            }
            if (value == 0) break; // end of line
            if (value == 1) {
                endOfBitmap = true;
                break;
            }
            if (value == 2) {
                if (!in.Has(2)) {
                    endOfBitmap = true;
                    break;
                }
                x += in.ReadU8();
                y += in.ReadU8();
            } else {
                const uint32_t bytes = Format::AbsoluteBytes(value);
                const auto run = in.Take(bytes);
                const uint32_t pixels = std::min<uint32_t>(value, Format::PixelsIn(run.size()));
                target.Put(x, y, pixels, [&](int64_t k) { return Format::Absolute(pal, run, k); });
                x += value;
                if (run.size() < bytes) {
                    endOfBitmap = true;
                    break;
                }
                in.Skip(bytes & 1); // absolute runs are padded to 16 bits
            }
            // Data that runs more than a pixel past the right edge starts a new row.
            if (x - 1 > target.Width()) break;
        }
        ++y;
    }
}

} // namespace

void DecodeRle8(std::span<const uint8_t> data, const Palette& palette, DibImage& image) {
    DecodeRle<Rle8>(data, palette, image);
}

void DecodeRle4(std::span<const uint8_t> data, const Palette& palette, DibImage& image) {
    DecodeRle<Rle4>(data, palette, image);
}

} // namespace pindrel::bmp
