// Shared by the skin fuzz targets: a folder of fixed bitmaps and a skin whose owner is the input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "skin/field_text.h"
#include "skin/skin.h"
#include "support/pictures.h"
#include "support/test_skin.h"

namespace pindrel::fuzz {

// Makes a temporary folder with the bitmaps skins in the corpus name, and enters it; the folder
// goes when the process ends. Give the fuzzer absolute corpus paths: relative ones would now
// resolve inside the folder.
inline void EnterSkinFolder() {
    static char dir[] = "/tmp/pindrel-fuzz-XXXXXX";
    static bool done = false;
    if (done) return;
    done = true;
    if (!::mkdtemp(dir) || ::chdir(dir) != 0) std::abort();
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    });
    const struct {
        const char* name;
        int32_t w, h;
    } files[] = {{"a.bmp", 20, 10},      {"b.bmp", 30, 40},  {"bgr.bmp", 240, 320},
                 {"border.bmp", 30, 30}, {"up.bmp", 40, 20}, {"down.bmp", 40, 20}};
    uint8_t seed = 1;
    for (const auto& f : files) {
        const std::vector<uint8_t> bytes = test::PatternBmp24(f.w, f.h, seed++);
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

using FuzzSkin = test::TestSkin;

} // namespace pindrel::fuzz
