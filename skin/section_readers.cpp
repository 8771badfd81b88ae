#include <string>
#include <string_view>
#include <vector>

#include "ini/skin_ini_file.h"
#include "skin/skin_element.h"
#include "skin/skin_format.h"

namespace pindrel {

void ReadCarriedPlacement(const SkinIniFile& file, int32_t s, SkinElement& element) {
    Rect r{};
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        file.GetRect(s, kPosKeys[static_cast<size_t>(o)], kSizeKeys[static_cast<size_t>(o)], r);
        element.SetPlacement(o, r.left, r.top, r.Width(), r.Height());
    }
}

bool ReadImageSection(const SkinIniFile& file, int32_t s, SkinImage& image,
                      std::string_view defaultFileName) {
    if (s < 0) return false;
    const std::string name = file.GetString(s, "file", defaultFileName);
    if (name.empty() || !image.LoadBitmap(name)) return false;
    image.file = name;
    image.type = file.GetInt(s, "type", 255);
    image.border = file.GetInt(s, "border", 0);
    ReadCarriedPlacement(file, s, image);
    image.hasTransparentColor = file.GetColor(s, "transp_color", image.transparentColor) ? 1 : 0;
    return true;
}

bool ReadButtonSection(const SkinIniFile& file, int32_t s, SkinButton& button) {
    if (s < 0) return false;
    const std::string up = file.GetString(s, "file_up", "");
    if (up.empty()) return false;
    const std::string down = file.GetString(s, "file_down", "");
    if (down.empty()) return false;
    if (!button.LoadBitmaps(up, down)) return false;
    button.fileUp = up;
    button.fileDown = down;
    button.type = file.GetInt(s, "type", 255);
    button.id = file.GetInt(s, "id", -1);
    ReadCarriedPlacement(file, s, button);
    button.hasTransparentColor = file.GetColor(s, "transp_color", button.transparentColor) ? 1 : 0;
    return true;
}

bool ReadLabelSection(const SkinIniFile& file, int32_t s, SkinLabel& label) {
    if (s < 0) return false;
    std::vector<std::string> names;
    if (file.GetList(s, "fields", names) == 0) return false;
    label.type = file.GetInt(s, "type", 255);
    label.horAlign = file.GetInt(s, "hor_align", 0);
    label.vertAlign = file.GetInt(s, "vert_align", 0);
    // Labels have no natural size: an orientation without its position is not drawn.
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        Rect r{};
        file.GetRect(s, kPosKeys[static_cast<size_t>(o)], kSizeKeys[static_cast<size_t>(o)], r);
        label.SetPlacement(o, r.left, r.top, r.Width(), r.Height());
    }
    // "font%d" and "color%d" number every item of the list, caller field or not.
    const std::vector<std::string_view> fonts = file.FindNumberedValues(s, "font", names.size());
    const std::vector<std::string_view> colors = file.FindNumberedValues(s, "color", names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::optional<int32_t> id = FindCallerField(names[i]);
        if (!id) continue; // its font and colour keys are not read either
        FontSpec f;
        ParseFontSpec(fonts[i], f.size, f.face, f.bold, f.italic);
        ParseColor(colors[i], f.color);
        label.AddField(*id, f);
    }
    return true;
}

} // namespace pindrel
