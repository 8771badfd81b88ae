#include "skin/skin_files.h"

#include <string_view>
#include <unordered_set>

#include "skin/skin_format.h"

namespace pindrel {

std::vector<std::string> SkinBitmapFiles(const SkinIniFile& file) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (size_t s = 0; s < file.sections.size(); ++s) {
        const std::optional<SectionKind> kind = FindSectionKind(file.sections[s].name);
        if (!kind) continue;
        const SectionInfo& info = Section(*kind);
        for (const SkinKey key : info.files) {
            const std::string name =
                file.GetString(static_cast<int32_t>(s), KeyName(key), info.defaultFile);
            if (name.empty() || !seen.insert(name).second) continue;
            names.push_back(name);
        }
    }
    return names;
}

std::vector<NamedPicture> SkinPictureNames(const SkinIniFile& file) {
    std::vector<NamedPicture> names;
    std::unordered_set<std::string> seen;
    std::unordered_set<SectionKind> singlesRead;
    for (size_t s = 0; s < file.sections.size(); ++s) {
        const std::optional<SectionKind> kind = FindSectionKind(file.sections[s].name);
        if (!kind) continue;
        const SectionInfo& info = Section(*kind);
        if (info.single && !singlesRead.insert(*kind).second) continue;
        const auto section = static_cast<int32_t>(s);
        for (const SkinKey key : info.files) {
            const std::string name = file.GetString(section, KeyName(key), info.defaultFile);
            if (name.empty() || !seen.insert(name).second) continue;
            const int32_t entry = file.FindEntry(section, KeyName(key));
            const IniSectionLines& lines = file.sectionLines[s];
            const int32_t line = entry >= 0 && static_cast<size_t>(entry) < lines.entries.size()
                                     ? lines.entries[static_cast<size_t>(entry)]
                                     : lines.header;
            names.push_back({name, section, line});
        }
    }
    return names;
}

} // namespace pindrel
