#include "support/edit_check.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string_view>

namespace pindrel::test {

namespace {

using Kind = EditOp::Kind;

constexpr std::array<SectionKind, 4> kSingles = {SectionKind::BackgroundColor,
                                                 SectionKind::BackgroundImage,
                                                 SectionKind::BorderImage, SectionKind::PhotoRect};
constexpr std::array<SectionKind, 3> kElements = {SectionKind::Image, SectionKind::Button,
                                                  SectionKind::Label};

// Values that the skin reads as text, numbers, pairs, colours, lists and fonts, with spaces,
// "=", ";" and bytes above 0x7f among them.
constexpr std::string_view kValues[] = {"1",          "0,0",          "10,20",   " 7 , 8 ",
                                        "255,0,255",  "a.bmp",        "b.bmp",   "missing.bmp",
                                        "name,phone", "12,Arial,1,0", "x=y ; z", "\xe9\xff",
                                        "3",          "-2,40",        "up.bmp",  "name"};

std::optional<SectionKind> KindOf(const SkinIniFile& file, int32_t s) {
    return FindSectionKind(file.sections[static_cast<size_t>(s)].name);
}

// A key for section s: one of its own entries' (case variants and unknown keys among them), or
// one of the format's for its kind.
std::string ChooseKey(const SkinIniFile& file, int32_t s, std::optional<SectionKind> kind,
                      uint8_t n) {
    if ((n & 1) && s >= 0 && !file.sections[static_cast<size_t>(s)].keys.empty()) {
        const IniSection& section = file.sections[static_cast<size_t>(s)];
        return std::string(section.keys[(n >> 1) % section.keys.size()]);
    }
    const SectionKind k = kind.value_or(SectionKind::Image);
    if ((n & 2) && Section(k).numberedKeys)
        return std::string((n & 4) ? kFieldFontKeys.prefix : kFieldColorKeys.prefix) +
               std::to_string(1 + (n >> 3) % 3);
    const std::span<const SkinKey> keys = Section(k).keys;
    return std::string(KeyName(keys[(n >> 2) % keys.size()]));
}

std::string ChooseValue(const SkinIniFile& file, int32_t s, const std::string& key, uint8_t n) {
    const std::string_view now = s >= 0 ? file.FindValue(s, key) : std::string_view{};
    if (n % 5 == 0 && !now.empty()) return std::string(now);
    return std::string(kValues[n % std::size(kValues)]);
}

// The loaded elements as (section, kind's list index) pairs in one list.
std::vector<std::pair<SectionKind, size_t>> LoadedElements(const Skin& skin) {
    std::vector<std::pair<SectionKind, size_t>> all;
    for (const SectionKind k : kElements)
        for (size_t i = 0; i < LoadedCount(skin, k); ++i)
            all.emplace_back(k, i);
    return all;
}

EditOp ChoosePlace(const Skin& loaded, std::span<const uint8_t, 4> c) {
    EditOp op;
    op.kind = Kind::Place;
    std::vector<PlacedElement> placed = {{PlacedKind::Photo, 0}};
    for (size_t i = 0; i < loaded.images.size(); ++i)
        placed.push_back({PlacedKind::Image, i});
    for (size_t i = 0; i < loaded.buttons.size(); ++i)
        placed.push_back({PlacedKind::Button, i});
    for (size_t i = 0; i < loaded.labels.size(); ++i)
        placed.push_back({PlacedKind::Label, i});
    op.element = placed[c[1] % placed.size()];
    op.placement = *CurrentPlacement(loaded, op.element, c[2] % kOrientationCount);
    op.placement.x = WrapAdd(op.placement.x, static_cast<int8_t>(c[3]) / 16);
    op.placement.y = WrapAdd(op.placement.y, static_cast<int8_t>(c[3] << 4) / 16);
    if (c[2] & 8) op.placement.width = (c[2] & 16) ? 0 : WrapAdd(op.placement.width, 3);
    if (c[2] & 32) op.placement.height = (c[2] & 64) ? 0 : WrapAdd(op.placement.height, -2);
    return op;
}

} // namespace

EditOp ChooseEdit(const SkinIniFile& file, const Skin& loaded, std::span<const uint8_t, 4> c) {
    EditOp op;
    op.kind = static_cast<Kind>(c[0] % 8);
    const auto sections = static_cast<int32_t>(file.sections.size());
    const std::vector<std::pair<SectionKind, size_t>> elements = LoadedElements(loaded);
    std::vector<int32_t> elementSections;
    for (int32_t s = 0; s < sections; ++s) {
        const std::optional<SectionKind> k = KindOf(file, s);
        if (k && !Section(*k).single) elementSections.push_back(s);
    }
    // What cannot be done to this file becomes an addition.
    if ((sections == 0 &&
         (op.kind == Kind::Set || op.kind == Kind::Unset || op.kind == Kind::Remove)) ||
        (op.kind == Kind::Duplicate && elementSections.empty()) ||
        (op.kind == Kind::Restack && elements.empty()))
        op.kind = Kind::Add;
    switch (op.kind) {
    case Kind::Set:
    case Kind::Unset:
    case Kind::Remove:
        op.section = c[1] % sections;
        op.key = ChooseKey(file, op.section, KindOf(file, op.section), c[2]);
        op.value = ChooseValue(file, op.section, op.key, c[3]);
        break;
    case Kind::SetSingle: {
        op.sectionKind = kSingles[c[1] % kSingles.size()];
        const int32_t s = file.FindSection(SectionName(op.sectionKind), 0);
        op.key = ChooseKey(file, s, op.sectionKind, c[2]);
        op.value = ChooseValue(file, s, op.key, c[3]);
        break;
    }
    case Kind::Add: {
        op.sectionKind = kElements[c[1] % kElements.size()];
        static constexpr std::pair<std::string_view, std::string_view> kNeeded[] = {
            {"file", "a.bmp"}, {"file_up", "up.bmp"}, {"fields", "name,phone"}};
        const auto [key, value] = kNeeded[c[1] % kElements.size()];
        if (!(c[2] & 1)) op.entries.emplace_back(key, value); // else it does not load
        if (op.sectionKind == SectionKind::Button) op.entries.emplace_back("file_down", "b.bmp");
        for (int i = 0; i < c[2] % 4; ++i)
            op.entries.emplace_back(ChooseKey(file, -1, op.sectionKind, uint8_t(c[3] + 7 * i)),
                                    kValues[(c[3] + i) % std::size(kValues)]);
        break;
    }
    case Kind::Duplicate:
        op.section = elementSections[c[1] % elementSections.size()];
        break;
    case Kind::Restack: {
        // Mostly elsewhere than where it is.
        const auto [kind, index] = elements[c[1] % elements.size()];
        const size_t count = LoadedCount(loaded, kind);
        op.section = LoadedSection(loaded, file, kind, index);
        op.to = count > 1 && (c[3] & 3) ? (index + 1 + c[2] % (count - 1)) % count : c[2] % count;
        break;
    }
    case Kind::Place:
        return ChoosePlace(loaded, c);
    }
    return op;
}

EditResult ApplyEdit(const SkinIniFile& file, const Skin& loaded, const EditOp& op) {
    switch (op.kind) {
    case Kind::Set:
        return SetKey(file, op.section, op.key, op.value);
    case Kind::SetSingle:
        return SetSingleKey(file, op.sectionKind, op.key, op.value);
    case Kind::Unset:
        return RemoveKey(file, op.section, op.key);
    case Kind::Add: {
        std::vector<KeyValue> entries;
        for (const auto& [key, value] : op.entries)
            entries.push_back({key, value});
        return AddSection(file, op.sectionKind, entries);
    }
    case Kind::Remove:
        return RemoveSection(file, op.section);
    case Kind::Duplicate:
        return DuplicateSection(file, op.section);
    case Kind::Restack:
        return RestackSection(file, loaded, op.section, op.to);
    case Kind::Place:
        return PlaceElement(file, loaded, op.element, op.placement);
    }
    return {};
}

std::string Describe(const EditOp& op) {
    static constexpr std::string_view kNames[] = {"set",    "set single", "unset",   "add",
                                                  "remove", "duplicate",  "restack", "place"};
    std::ostringstream s;
    s << kNames[static_cast<size_t>(op.kind)] << " section " << op.section << " ("
      << SectionName(op.sectionKind) << ") key \"" << op.key << "\" value \"" << op.value
      << "\" to " << op.to << " element " << static_cast<int>(op.element.kind) << "/"
      << op.element.index << " orientation " << op.placement.orientation << " at " << op.placement.x
      << "," << op.placement.y << " " << op.placement.width << "x" << op.placement.height;
    for (const auto& [key, value] : op.entries)
        s << " " << key << "=" << value;
    return s.str();
}

} // namespace pindrel::test
