#include "skin/skin_format.h"

#include "ini/skin_ini_file.h"

namespace pindrel {

std::optional<SectionKind> FindSectionKind(std::string_view name) {
    for (const SectionInfo& s : kSkinSections) {
        if (s.name == name) return s.kind;
    }
    return std::nullopt;
}

std::vector<std::string> SectionKeyNames(SectionKind kind, size_t fieldCount) {
    const SectionInfo& section = Section(kind);
    std::vector<std::string> names;
    for (const SkinKey k : section.keys)
        names.emplace_back(KeyName(k));
    if (!section.numberedKeys) return names;
    for (size_t n = 1; n <= fieldCount; ++n) {
        for (const NumberedKeyInfo& numbered : {kFieldFontKeys, kFieldColorKeys})
            names.push_back(std::string(numbered.prefix) + std::to_string(n));
    }
    return names;
}

std::optional<ValueForm> KeyForm(SectionKind kind, std::string_view key) {
    const SectionInfo& section = Section(kind);
    for (const SkinKey k : section.keys) {
        if (KeyName(k) == key) return kSkinKeys[static_cast<size_t>(k)].form;
    }
    if (section.numberedKeys) {
        if (KeyNumber(key, kFieldFontKeys.prefix) != 0) return kFieldFontKeys.form;
        if (KeyNumber(key, kFieldColorKeys.prefix) != 0) return kFieldColorKeys.form;
    }
    return std::nullopt;
}

} // namespace pindrel
