// A self-contained 24-bit .bmp writer for benchmarks and fuzz targets (no test framework).
#pragma once

#include <cstdint>
#include <vector>

namespace pindrel::test {

// A 24-bit bitmap of w x h pixels in a colour pattern.
inline std::vector<uint8_t> PatternBmp24(int32_t w, int32_t h, uint8_t seed) {
    const uint32_t stride = (3u * static_cast<uint32_t>(w) + 3u) & ~3u;
    const uint32_t size = 54u + stride * static_cast<uint32_t>(h);
    std::vector<uint8_t> b(size, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = &b[54 + y * stride + 3 * x];
            p[0] = static_cast<uint8_t>(seed + x);
            p[1] = static_cast<uint8_t>(seed * 3 + y);
            p[2] = (x + y) % 7 == 0 ? 255 : 0;
        }
    }
    return b;
}

} // namespace pindrel::test
