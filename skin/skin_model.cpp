#include "skin/skin_model.h"

#include <algorithm>
#include <type_traits>

#include "ini/skin_ini_file.h"
#include "skin/skin_format.h"

namespace pindrel {

static_assert(std::is_nothrow_move_constructible_v<SkinImage> &&
              std::is_nothrow_move_constructible_v<SkinButton> &&
              std::is_nothrow_move_constructible_v<SkinLabel>);

void SkinModel::Load(const SkinIniFile& file, const LoadContext& context) {
    Clear();

    file.GetColor(file.FindSection(SectionName(SectionKind::BackgroundColor), 0),
                  KeyName(SkinKey::Color), backgroundColor);
    const auto readSkinImage = [&](SectionKind kind, SkinImage& image) {
        const int32_t s = file.FindSection(SectionName(kind), 0);
        ReadImageSection(file, s, image, Section(kind).defaultFile, context, kind);
    };
    readSkinImage(SectionKind::BackgroundImage, backgroundImage);
    readSkinImage(SectionKind::BorderImage, borderImage);

    const int32_t photo = file.FindSection(SectionName(SectionKind::PhotoRect), 0);
    photoRect.ForgetSource();
    if (photo >= 0) {
        photoRect.section = photo;
        photoRect.line = file.sectionLines[static_cast<size_t>(photo)].header;
    }
    ReadCarriedPlacement(file, photo, photoRect);

    uint64_t bitmapBytes = backgroundImage.loadBytes + borderImage.loadBytes;
    // Failed reads count too. The element that goes past the budget is the last one looked at.
    const auto fits = [&](const SkinElement& element, SectionKind kind, uint64_t bytes) {
        bitmapBytes += bytes;
        if (bitmapBytes <= maxBitmapBytes) return true;
        context.Drop(MakeDrop(kind, element.section, element.line, DropCause::Budget));
        return false;
    };
    // Each walk is linear: FindSection resumes after the previous hit.
    const std::string_view imageName = SectionName(SectionKind::Image);
    for (int32_t i = file.FindSection(imageName, 0); i >= 0 && bitmapBytes <= maxBitmapBytes;
         i = file.FindSection(imageName, i + 1)) {
        SkinImage image;
        const bool read = ReadImageSection(file, i, image, "", context);
        if (fits(image, SectionKind::Image, image.loadBytes) && read)
            images.push_back(std::move(image));
    }
    const std::string_view buttonName = SectionName(SectionKind::Button);
    for (int32_t i = file.FindSection(buttonName, 0); i >= 0 && bitmapBytes <= maxBitmapBytes;
         i = file.FindSection(buttonName, i + 1)) {
        SkinButton button;
        const bool read = ReadButtonSection(file, i, button, context);
        if (fits(button, SectionKind::Button, button.loadBytes) && read) {
            button.firesOnPress = button.id == 3;
            buttons.push_back(std::move(button));
        }
    }
    const std::string_view labelName = SectionName(SectionKind::Label);
    for (int32_t i = file.FindSection(labelName, 0); i >= 0;
         i = file.FindSection(labelName, i + 1)) {
        SkinLabel label;
        if (ReadLabelSection(file, i, label, context)) labels.push_back(std::move(label));
    }
}

void SkinModel::Clear() {
    backgroundColor = kWhite;
    backgroundImage.Unload();
    borderImage.Unload();
    for (SkinButton& b : buttons)
        b.Unload();
    buttons.clear();
    for (SkinLabel& l : labels)
        l.Empty();
    labels.clear();
    for (SkinImage& i : images)
        i.Unload();
    images.clear();
}

namespace {

// The element of list read from section s; nothing when none was.
template <class List> auto* FindBySection(List& list, int32_t s) {
    const auto it = std::lower_bound(list.begin(), list.end(), s,
                                     [](const auto& e, int32_t v) { return e.section < v; });
    return it != list.end() && it->section == s ? &*it : nullptr;
}

// The new element in place of the old, when it still loads with pictures of the same weight.
template <class Element, class Read>
bool Replace(Element& old, const LoadContext& context, Read read) {
    Element fresh;
    LoadContext quiet = context;
    quiet.report = nullptr;
    if (!read(fresh, quiet) || fresh.loadBytes != old.loadBytes) return false;
    old = std::move(fresh);
    return true;
}

} // namespace

bool SkinModel::ReloadElement(const SkinIniFile& file, int32_t s, const LoadContext& context) {
    if (s < 0 || static_cast<size_t>(s) >= file.sections.size()) return false;
    bool done = false;
    if (SkinImage* image = FindBySection(images, s)) {
        done = Replace(*image, context, [&](SkinImage& e, const LoadContext& c) {
            return ReadImageSection(file, s, e, "", c);
        });
    } else if (SkinButton* button = FindBySection(buttons, s)) {
        done = Replace(*button, context, [&](SkinButton& e, const LoadContext& c) {
            if (!ReadButtonSection(file, s, e, c)) return false;
            e.firesOnPress = e.id == 3;
            return true;
        });
    } else if (SkinLabel* label = FindBySection(labels, s)) {
        SkinLabel fresh;
        if (!ReadLabelSection(file, s, fresh, {})) return false;
        *label = std::move(fresh);
        done = true;
    }
    if (!done) return false;
    // Lines may have come or gone in section s: every header after it moved with them.
    const auto follow = [&](SkinElement& e) {
        if (e.section >= 0 && static_cast<size_t>(e.section) < file.sectionLines.size())
            e.line = file.sectionLines[static_cast<size_t>(e.section)].header;
    };
    for (SkinImage& i : images)
        follow(i);
    for (SkinButton& b : buttons)
        follow(b);
    for (SkinLabel& l : labels)
        follow(l);
    follow(backgroundImage);
    follow(borderImage);
    follow(photoRect);
    return true;
}

} // namespace pindrel
