#include "skin/key_values.h"

#include <algorithm>

#include "ini/skin_ini_file.h"
#include "skin/skin_format.h"

namespace pindrel {

std::string ColorValue(Color color) {
    return std::to_string(color.R()) + "," + std::to_string(color.G()) + "," +
           std::to_string(color.B());
}

std::string PairValue(int32_t a, int32_t b) {
    return std::to_string(a) + "," + std::to_string(b);
}

std::string FontValue(const FontSpec& font) {
    std::string face;
    for (const char c : font.face)
        if (c != ',' && c != '\r' && c != '\n') face += c;
    face = std::string(TrimIni(face));
    return std::to_string(font.size) + "," + face + "," + (font.bold ? "1" : "0") + "," +
           (font.italic ? "1" : "0");
}

std::vector<KeyChange> LabelFieldChanges(const SkinIniFile& file, int32_t s,
                                         const std::vector<std::string>& names,
                                         const std::vector<size_t>& from) {
    std::vector<std::string> old;
    file.GetList(s, KeyName(SkinKey::Fields), old);
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ",") + name;
    std::vector<KeyChange> changes;
    if (names != old) changes.push_back({std::string(KeyName(SkinKey::Fields)), list});
    const size_t places = std::max(old.size(), names.size());
    for (const auto& prefix : {kFieldFontKeys.prefix, kFieldColorKeys.prefix}) {
        const std::vector<std::string_view> values = file.FindNumberedValues(s, prefix, places);
        for (size_t n = 1; n <= places; ++n) {
            const std::string_view now = values[n - 1];
            std::string_view want;
            if (n <= names.size() && n <= from.size() && from[n - 1] > 0 &&
                from[n - 1] <= values.size())
                want = values[from[n - 1] - 1];
            if (want == now) continue;
            const std::string key = std::string(prefix) + std::to_string(n);
            changes.push_back(
                {key, want.empty() ? std::nullopt : std::optional<std::string>(want)});
        }
    }
    return changes;
}

} // namespace pindrel
