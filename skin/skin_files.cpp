#include "skin/skin_files.h"

#include <string_view>
#include <unordered_set>

namespace pindrel {

std::vector<std::string> SkinBitmapFiles(const SkinIniFile& file) {
    struct Key {
        std::string_view section;
        std::string_view key;
        std::string_view def;
    };
    static constexpr Key kKeys[] = {{"Background Image", "file", "bgr.bmp"},
                                    {"Border Image", "file", "border.bmp"},
                                    {"Image", "file", ""},
                                    {"Button", "file_up", ""},
                                    {"Button", "file_down", ""}};
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    const auto& sections = file.sections;
    for (size_t s = 0; s < sections.size(); ++s) {
        for (const Key& k : kKeys) {
            if (sections[s].name != k.section) continue;
            const std::string name = file.GetString(static_cast<int32_t>(s), k.key, k.def);
            if (name.empty() || !seen.insert(name).second) continue;
            names.push_back(name);
        }
    }
    return names;
}

} // namespace pindrel
