// Arbitrary bytes as a skin file; every lookup and typed reader over every key found.
#include <cstddef>
#include <cstdint>

#include "ini/skin_ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pindrel::SkinIniFile f;
    f.Parse({data, size});
    for (size_t s = 0; s < f.sections.size(); ++s) {
        const auto i = static_cast<int32_t>(s);
        (void)f.FindSection(f.sections[s].name, i);
        for (const std::string_view key : f.sections[s].keys) {
            std::vector<std::string> list;
            pindrel::Point pair;
            pindrel::Rect rect;
            pindrel::Color color;
            int32_t n = 0;
            bool bold = false, italic = false;
            std::string face;
            (void)f.GetString(i, key, "");
            (void)f.GetInt(i, key, -1);
            (void)f.GetList(i, key, list);
            (void)f.GetPair(i, key, pair);
            (void)f.GetRect(i, key, key, rect);
            (void)f.GetColor(i, key, color);
            (void)f.GetFontSpec(i, key, n, face, bold, italic);
        }
    }
    return 0;
}
