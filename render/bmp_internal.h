#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "render/byte_reader.h"
#include "render/dib_image.h"

namespace pindrel::bmp {

// The fields of a 40-byte info header after its size, as every later header begins: width,
// height, bit count, compression and colours used, into the like-named members of h. The caller
// has made sure the 36 bytes are there.
template <class Header> void ReadInfoFields(ByteReader& in, Header& h) {
    h.width = in.ReadI32();
    h.height = in.ReadI32();
    in.Skip(2); // planes
    h.bitCount = in.ReadU16();
    h.compression = in.ReadU32();
    in.Skip(12); // image size, resolutions
    h.colorsUsed = in.ReadU32();
    in.Skip(4); // colours important
}

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

// One colour channel of a 16- or 32-bit pixel: the masked bits, scaled to 8 bits.
class Channel {
public:
    Channel() = default;
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask == 0) return; // an empty mask reads as 0: the table stays zero
        shift_ = std::countr_zero(mask);
        const int bits = 32 - std::countl_zero(mask) - shift_;
        drop_ = std::max(bits - 8, 0); // wide fields keep their top 8 bits
        const int n = bits - drop_;
        // Narrow fields repeat their bit pattern from the top, so full scale maps to 255.
        for (uint32_t v = 0; v < (1u << n); ++v) {
            uint32_t out = 0;
            int filled = 0;
            for (; filled < 8; filled += n)
                out = (out << n) | v;
            widen_[v] = static_cast<uint8_t>(out >> (filled - 8));
        }
    }
    uint32_t operator()(uint32_t pixel) const {
        return widen_[((pixel & mask_) >> shift_) >> drop_];
    }

private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    int drop_ = 0;
    std::array<uint8_t, 256> widen_{};
};

// Decodes run-length data into a bottom-up picture of positive height. Runs, absolute runs and
// deltas that reach beyond the picture store nothing there; the end of the data ends the picture.
void DecodeRle8(std::span<const uint8_t> data, const Palette& palette, DibImage& image);
void DecodeRle4(std::span<const uint8_t> data, const Palette& palette, DibImage& image);

} // namespace pindrel::bmp
