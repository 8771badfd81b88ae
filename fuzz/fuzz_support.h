// Shared by the skin fuzz targets: a folder of fixed bitmaps and a skin whose owner is the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "skin/field_text.h"
#include "skin/skin.h"

namespace pindrel::fuzz {

// A 24-bit bitmap of w x h pixels in a colour pattern.
inline std::vector<uint8_t> Bmp24(int32_t w, int32_t h, uint8_t seed) {
    const uint32_t stride = (3u * static_cast<uint32_t>(w) + 3u) & ~3u;
    const uint32_t size = 54u + stride * static_cast<uint32_t>(h);
    std::vector<uint8_t> b(size, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
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

// Makes a temporary folder with the bitmaps skins in the corpus name, and enters it.
inline void EnterSkinFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    char dir[] = "/tmp/pindrel-fuzz-XXXXXX";
    if (!::mkdtemp(dir) || ::chdir(dir) != 0) std::abort();
    const struct {
        const char* name;
        int32_t w, h;
    } files[] = {{"a.bmp", 20, 10}, {"b.bmp", 30, 40}, {"bgr.bmp", 240, 320},
                 {"border.bmp", 30, 30}, {"up.bmp", 40, 20}, {"down.bmp", 40, 20}};
    uint8_t seed = 1;
    for (const auto& f : files) {
        const std::vector<uint8_t> bytes = Bmp24(f.w, f.h, seed++);
        FILE* out = std::fopen(f.name, "wb");
        if (!out) std::abort();
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

inline bool LoadSkinFromBytes(Skin& skin, const uint8_t* data, size_t size) {
    FILE* out = std::fopen("skin.ini", "wb");
    if (!out) std::abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    return skin.Load("skin.ini");
}

class FuzzSkin : public Skin {
public:
    std::string GetFieldText(int32_t field) override {
        return FieldText(field, callType, info, timeText);
    }
    CallType GetCallType(ConstPixelView* p) override {
        if (p) *p = photo;
        return callType;
    }
    CallType callType = CallType::UnknownCaller;
    CallerInfo info;
    std::string timeText = "12:34";
    ConstPixelView photo;
};

} // namespace pindrel::fuzz
