#include "skin/skin.h"

#include "ini/skin_ini_file.h"

namespace pindrel {

Skin::Skin() = default;

Skin::~Skin() {
    Clear();
}

bool Skin::Load(std::string_view path) {
    SkinIniFile file;
    if (!file.Load(path)) {
        Clear();
        photoRect.line = 0; // the rectangle stays, but no longer comes from a file
        photoRect.section = -1;
        return false;
    }
    Clear();

    file.GetColor(file.FindSection("Background Color", 0), "color", backgroundColor);
    const auto headerLine = [&file](int32_t s) {
        return s >= 0 && static_cast<size_t>(s) < file.sectionLines.size()
                   ? file.sectionLines[static_cast<size_t>(s)].header
                   : 0;
    };
    const int32_t background = file.FindSection("Background Image", 0);
    ReadImageSection(file, background, backgroundImage, "bgr.bmp");
    backgroundImage.line = headerLine(background);
    backgroundImage.section = background;
    const int32_t border = file.FindSection("Border Image", 0);
    ReadImageSection(file, border, borderImage, "border.bmp");
    borderImage.line = headerLine(border);
    borderImage.section = border;

    const int32_t photo = file.FindSection("Photo Rect", 0);
    ReadCarriedPlacement(file, photo, photoRect);
    photoRect.line = headerLine(photo);
    photoRect.section = photo;

    uint64_t bitmapBytes = backgroundImage.loadBytes + borderImage.loadBytes;
    const auto fits = [&](uint64_t bytes) {
        bitmapBytes += bytes;
        return bitmapBytes <= maxBitmapBytes;
    };
    // Each walk is linear: FindSection resumes after the previous hit. Failed reads count too.
    for (int32_t i = file.FindSection("Image", 0); i >= 0 && bitmapBytes <= maxBitmapBytes;
         i = file.FindSection("Image", i + 1)) {
        SkinImage image;
        const bool read = ReadImageSection(file, i, image, "");
        image.line = headerLine(i);
        image.section = i;
        if (fits(image.loadBytes) && read) images.push_back(std::move(image));
    }
    for (int32_t i = file.FindSection("Button", 0); i >= 0 && bitmapBytes <= maxBitmapBytes;
         i = file.FindSection("Button", i + 1)) {
        SkinButton button;
        const bool read = ReadButtonSection(file, i, button);
        button.line = headerLine(i);
        button.section = i;
        if (fits(button.loadBytes) && read) {
            button.firesOnPress = button.id == 3 ? 1 : 0;
            buttons.push_back(std::move(button));
        }
    }
    for (int32_t i = file.FindSection("Label", 0); i >= 0; i = file.FindSection("Label", i + 1)) {
        SkinLabel label;
        label.line = headerLine(i);
        label.section = i;
        if (ReadLabelSection(file, i, label)) labels.push_back(std::move(label));
    }
    return true;
}

void Skin::Clear() {
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

void Skin::SetOrientation(int32_t index) {
    if (index >= 0 && index < kOrientationCount) orientation = index;
}

} // namespace pindrel
