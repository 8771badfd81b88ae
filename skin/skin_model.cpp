#include "skin/skin_model.h"

#include "ini/skin_ini_file.h"
#include "skin/skin_format.h"

namespace pindrel {

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

} // namespace pindrel
