#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pindrel {

// The skin file's sections and keys, described once: the loader, lint, inspect, the editor and
// the tools that follow a skin's files all read this description. No other file spells a
// section name or a key.

// How a value is read.
enum class ValueForm : uint8_t {
    Text,   // as written
    Int,    // a number
    Pair,   // two numbers: x,y or width,height
    Color,  // red,green,blue
    Fields, // a list of caller-field names
    Font,   // size,face,bold,italic
};

enum class SkinKey : uint8_t {
    Color,
    File,
    FileUp,
    FileDown,
    Type,
    Id,
    Border,
    TranspColor,
    Fields,
    HorAlign,
    VertAlign,
    PosP,
    SizeP,
    PosL,
    SizeL,
    PosQ,
    SizeQ,
};

struct KeyInfo {
    SkinKey key;
    std::string_view name;
    ValueForm form;
};

inline constexpr std::array<KeyInfo, 17> kSkinKeys = {{
    {SkinKey::Color, "color", ValueForm::Color},
    {SkinKey::File, "file", ValueForm::Text},
    {SkinKey::FileUp, "file_up", ValueForm::Text},
    {SkinKey::FileDown, "file_down", ValueForm::Text},
    {SkinKey::Type, "type", ValueForm::Int},
    {SkinKey::Id, "id", ValueForm::Int},
    {SkinKey::Border, "border", ValueForm::Int},
    {SkinKey::TranspColor, "transp_color", ValueForm::Color},
    {SkinKey::Fields, "fields", ValueForm::Fields},
    {SkinKey::HorAlign, "hor_align", ValueForm::Int},
    {SkinKey::VertAlign, "vert_align", ValueForm::Int},
    {SkinKey::PosP, "posP", ValueForm::Pair},
    {SkinKey::SizeP, "sizeP", ValueForm::Pair},
    {SkinKey::PosL, "posL", ValueForm::Pair},
    {SkinKey::SizeL, "sizeL", ValueForm::Pair},
    {SkinKey::PosQ, "posQ", ValueForm::Pair},
    {SkinKey::SizeQ, "sizeQ", ValueForm::Pair},
}};

constexpr std::string_view KeyName(SkinKey key) {
    return kSkinKeys[static_cast<size_t>(key)].name;
}

// The position and size keys of each orientation, in orientation order.
inline constexpr std::array<SkinKey, 3> kPosKeyIds = {SkinKey::PosP, SkinKey::PosL, SkinKey::PosQ};
inline constexpr std::array<SkinKey, 3> kSizeKeyIds = {SkinKey::SizeP, SkinKey::SizeL,
                                                       SkinKey::SizeQ};
inline constexpr std::array<std::string_view, 3> kPosKeys = {
    KeyName(SkinKey::PosP), KeyName(SkinKey::PosL), KeyName(SkinKey::PosQ)};
inline constexpr std::array<std::string_view, 3> kSizeKeys = {
    KeyName(SkinKey::SizeP), KeyName(SkinKey::SizeL), KeyName(SkinKey::SizeQ)};

// A label's keys numbered by the position of a name in its "fields" list: font1, color2...
struct NumberedKeyInfo {
    std::string_view prefix;
    ValueForm form;
};
inline constexpr NumberedKeyInfo kFieldFontKeys{"font", ValueForm::Font};
inline constexpr NumberedKeyInfo kFieldColorKeys{"color", ValueForm::Color};

enum class SectionKind : uint8_t {
    BackgroundColor,
    BackgroundImage,
    BorderImage,
    PhotoRect,
    Image,
    Button,
    Label,
};

struct SectionInfo {
    SectionKind kind;
    std::string_view name;
    bool single;                    // only the first section of this name counts
    std::string_view defaultFile;   // the picture read when the section names none
    std::span<const SkinKey> keys;  // what the loader reads, in the order it reads them
    std::span<const SkinKey> files; // keys that name bitmaps
    bool numberedKeys = false;      // font%d and color%d
    bool onlyPictureCounts = false; // its other keys are read but play no part
};

namespace detail {
inline constexpr SkinKey kColorKeys[] = {SkinKey::Color};
inline constexpr SkinKey kImageKeys[] = {
    SkinKey::File, SkinKey::Type,  SkinKey::Border, SkinKey::PosP,  SkinKey::SizeP,
    SkinKey::PosL, SkinKey::SizeL, SkinKey::PosQ,   SkinKey::SizeQ, SkinKey::TranspColor};
inline constexpr SkinKey kImageFiles[] = {SkinKey::File};
inline constexpr SkinKey kPlacementKeys[] = {SkinKey::PosP,  SkinKey::SizeP, SkinKey::PosL,
                                             SkinKey::SizeL, SkinKey::PosQ,  SkinKey::SizeQ};
inline constexpr SkinKey kButtonKeys[] = {SkinKey::FileUp, SkinKey::FileDown,   SkinKey::Type,
                                          SkinKey::Id,     SkinKey::PosP,       SkinKey::SizeP,
                                          SkinKey::PosL,   SkinKey::SizeL,      SkinKey::PosQ,
                                          SkinKey::SizeQ,  SkinKey::TranspColor};
inline constexpr SkinKey kButtonFiles[] = {SkinKey::FileUp, SkinKey::FileDown};
inline constexpr SkinKey kLabelKeys[] = {
    SkinKey::Fields, SkinKey::Type, SkinKey::HorAlign, SkinKey::VertAlign, SkinKey::PosP,
    SkinKey::SizeP,  SkinKey::PosL, SkinKey::SizeL,    SkinKey::PosQ,      SkinKey::SizeQ};
} // namespace detail

inline constexpr std::array<SectionInfo, 7> kSkinSections = {{
    {SectionKind::BackgroundColor, "Background Color", true, {}, detail::kColorKeys, {}},
    {SectionKind::BackgroundImage, "Background Image", true, "bgr.bmp", detail::kImageKeys,
     detail::kImageFiles},
    {SectionKind::BorderImage, "Border Image", true, "border.bmp", detail::kImageKeys,
     detail::kImageFiles, false, true},
    {SectionKind::PhotoRect, "Photo Rect", true, {}, detail::kPlacementKeys, {}},
    {SectionKind::Image, "Image", false, {}, detail::kImageKeys, detail::kImageFiles},
    {SectionKind::Button, "Button", false, {}, detail::kButtonKeys, detail::kButtonFiles},
    {SectionKind::Label, "Label", false, {}, detail::kLabelKeys, {}, true},
}};

constexpr const SectionInfo& Section(SectionKind kind) {
    return kSkinSections[static_cast<size_t>(kind)];
}
constexpr std::string_view SectionName(SectionKind kind) {
    return Section(kind).name;
}

// The kind of the section named exactly name; nothing for any other name.
std::optional<SectionKind> FindSectionKind(std::string_view name);
// The keys of a section of kind as the file spells them, in the order the loader reads them;
// for labels then font1 and color1 up to fontN and colorN, N being fieldCount (the number of
// items in its "fields" list, which the numbered keys follow).
std::vector<std::string> SectionKeyNames(SectionKind kind, size_t fieldCount = 0);
// The form of key in a section of kind: listed keys, and for labels the numbered ones (whatever
// their number); nothing for other keys.
std::optional<ValueForm> KeyForm(SectionKind kind, std::string_view key);

} // namespace pindrel
