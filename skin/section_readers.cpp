#include <string>
#include <string_view>
#include <vector>

#include "ini/skin_ini_file.h"
#include "skin/placement_rule.h"
#include "skin/skin_element.h"
#include "skin/skin_format.h"

namespace pindrel {

namespace {

int32_t HeaderLine(const SkinIniFile& file, int32_t s) {
    return file.sectionLines[static_cast<size_t>(s)].header;
}

// Notes where entry e of section s stands, for the element read from it.
void NoteEntry(const SkinIniFile& file, int32_t s, int32_t e, SkinElement& element) {
    if (e < 0) return;
    const auto i = static_cast<size_t>(s);
    const auto k = static_cast<size_t>(e);
    const std::string_view value = file.sections[i].values[k];
    const size_t begin = file.Offset(value);
    element.keys.push_back({std::string(file.sections[i].keys[k]), file.sectionLines[i].entries[k],
                            begin, begin + value.size()});
}

// Notes the entry that counts for key, if the section has one.
void Note(const SkinIniFile& file, int32_t s, SkinKey key, SkinElement& element) {
    NoteEntry(file, s, file.FindEntry(s, KeyName(key)), element);
}

// Where a drop about key is reported: the key's line, or the header's when it is absent.
int32_t LineOf(const SkinIniFile& file, int32_t s, SkinKey key) {
    const int32_t e = file.FindEntry(s, KeyName(key));
    return e < 0 ? HeaderLine(file, s)
                 : file.sectionLines[static_cast<size_t>(s)].entries[static_cast<size_t>(e)];
}

void Begin(const SkinIniFile& file, int32_t s, SkinElement& element) {
    element.section = s;
    element.line = HeaderLine(file, s);
    element.keys.clear();
    element.placedBy = {-1, -1, -1};
}

LoadDrop BitmapDrop(const SkinIniFile& file, int32_t s, SectionKind kind, SkinKey key,
                    std::string_view name, const BmpResult& result) {
    LoadDrop drop = MakeDrop(kind, s, LineOf(file, s, key), DropCause::Bitmap, key);
    drop.file = name;
    drop.status = result.status;
    drop.reason = result.reason;
    return drop;
}

void NotePlacementKeys(const SkinIniFile& file, int32_t s, int32_t o, SkinElement& element) {
    Note(file, s, kPosKeyIds[static_cast<size_t>(o)], element);
    Note(file, s, kSizeKeyIds[static_cast<size_t>(o)], element);
}

// Places the element in every orientation as its section's keys say, and notes those keys.
void ReadPlacement(const SkinIniFile& file, int32_t s, bool carries, SkinElement& element) {
    const KeyPlacement placed = PlaceByKeys(ReadPlacementPairs(file, s), carries);
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        const Rect& r = placed.rects[static_cast<size_t>(o)];
        element.SetPlacement(o, r.left, r.top, r.Width(), r.Height());
        if (s >= 0) NotePlacementKeys(file, s, o, element);
    }
    element.placedBy = placed.placedBy;
}

} // namespace

void ReadCarriedPlacement(const SkinIniFile& file, int32_t s, SkinElement& element) {
    ReadPlacement(file, s, true, element);
}

bool ReadImageSection(const SkinIniFile& file, int32_t s, SkinImage& image,
                      std::string_view defaultFileName, const LoadContext& context,
                      SectionKind kind) {
    if (s < 0) return false;
    Begin(file, s, image);
    const std::string name = file.GetString(s, KeyName(SkinKey::File), defaultFileName);
    Note(file, s, SkinKey::File, image);
    if (name.empty()) {
        context.Drop(MakeDrop(kind, s, HeaderLine(file, s), DropCause::MissingKey, SkinKey::File));
        return false;
    }
    BmpResult failed;
    if (!image.LoadBitmap(name, context, &failed)) {
        context.Drop(BitmapDrop(file, s, kind, SkinKey::File, name, failed));
        return false;
    }
    image.file = name;
    image.type = file.GetInt(s, KeyName(SkinKey::Type), 255);
    Note(file, s, SkinKey::Type, image);
    image.border = file.GetInt(s, KeyName(SkinKey::Border), 0);
    Note(file, s, SkinKey::Border, image);
    ReadCarriedPlacement(file, s, image);
    image.hasTransparentColor =
        file.GetColor(s, KeyName(SkinKey::TranspColor), image.transparentColor) ? 1 : 0;
    Note(file, s, SkinKey::TranspColor, image);
    return true;
}

bool ReadButtonSection(const SkinIniFile& file, int32_t s, SkinButton& button,
                       const LoadContext& context) {
    if (s < 0) return false;
    Begin(file, s, button);
    const std::string up = file.GetString(s, KeyName(SkinKey::FileUp), "");
    Note(file, s, SkinKey::FileUp, button);
    const std::string down = file.GetString(s, KeyName(SkinKey::FileDown), "");
    Note(file, s, SkinKey::FileDown, button);
    // Both missing names are told, though the first ends the reading.
    for (const auto& [name, key] : {std::pair{&up, SkinKey::FileUp}, {&down, SkinKey::FileDown}}) {
        if (name->empty())
            context.Drop(
                MakeDrop(SectionKind::Button, s, HeaderLine(file, s), DropCause::MissingKey, key));
    }
    if (up.empty() || down.empty()) return false;
    std::array<BmpResult, 2> failed;
    if (!button.LoadBitmaps(up, down, context, &failed)) {
        for (size_t i = 0; i < 2; ++i) {
            if (failed[i].status != BmpStatus::Ok)
                context.Drop(BitmapDrop(file, s, SectionKind::Button,
                                        i == 0 ? SkinKey::FileUp : SkinKey::FileDown,
                                        i == 0 ? up : down, failed[i]));
        }
        return false;
    }
    button.fileUp = up;
    button.fileDown = down;
    button.type = file.GetInt(s, KeyName(SkinKey::Type), 255);
    Note(file, s, SkinKey::Type, button);
    button.id = file.GetInt(s, KeyName(SkinKey::Id), -1);
    Note(file, s, SkinKey::Id, button);
    ReadCarriedPlacement(file, s, button);
    button.hasTransparentColor =
        file.GetColor(s, KeyName(SkinKey::TranspColor), button.transparentColor) ? 1 : 0;
    Note(file, s, SkinKey::TranspColor, button);
    return true;
}

bool ReadLabelSection(const SkinIniFile& file, int32_t s, SkinLabel& label,
                      const LoadContext& context) {
    if (s < 0) return false;
    Begin(file, s, label);
    std::vector<std::string> names;
    Note(file, s, SkinKey::Fields, label);
    if (file.GetList(s, KeyName(SkinKey::Fields), names) == 0) {
        const bool present = file.FindEntry(s, KeyName(SkinKey::Fields)) >= 0;
        context.Drop(MakeDrop(SectionKind::Label, s, LineOf(file, s, SkinKey::Fields),
                              present ? DropCause::NoItems : DropCause::MissingKey,
                              SkinKey::Fields));
        return false;
    }
    label.type = file.GetInt(s, KeyName(SkinKey::Type), 255);
    Note(file, s, SkinKey::Type, label);
    label.horAlign = file.GetInt(s, KeyName(SkinKey::HorAlign), 0);
    Note(file, s, SkinKey::HorAlign, label);
    label.vertAlign = file.GetInt(s, KeyName(SkinKey::VertAlign), 0);
    Note(file, s, SkinKey::VertAlign, label);
    // Labels have no natural size: an orientation without its position is not drawn.
    ReadPlacement(file, s, false, label);
    // "font%d" and "color%d" number every item of the list, caller field or not.
    const std::vector<int32_t> fonts =
        file.FindNumberedEntries(s, kFieldFontKeys.prefix, names.size());
    const std::vector<int32_t> colors =
        file.FindNumberedEntries(s, kFieldColorKeys.prefix, names.size());
    const IniSection& section = file.sections[static_cast<size_t>(s)];
    const auto value = [&](int32_t e) {
        return e < 0 ? std::string_view{} : section.values[static_cast<size_t>(e)];
    };
    for (size_t i = 0; i < names.size(); ++i) {
        const std::optional<int32_t> id = FindCallerField(names[i]);
        if (!id) continue; // its font and colour keys are not read either
        FontSpec f;
        ParseFontSpec(value(fonts[i]), f.size, f.face, f.bold, f.italic);
        NoteEntry(file, s, fonts[i], label);
        ParseColor(value(colors[i]), f.color);
        NoteEntry(file, s, colors[i], label);
        label.AddField(*id, f);
    }
    return true;
}

} // namespace pindrel
