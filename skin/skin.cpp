#include "skin/skin.h"

#include "ini/skin_ini_file.h"
#include "skin/skin_format.h"

namespace pindrel {

Skin::Skin() = default;

Skin::~Skin() {
    Clear();
}

bool Skin::Load(std::string_view path) {
    SkinIniFile file;
    if (!file.Load(path)) {
        Clear();
        // The rectangle stays, but no longer comes from a file.
        photoRect.ForgetSource();
        return false;
    }
    Load(file, {});
    return true;
}

void Skin::SetOrientation(int32_t index) {
    if (index >= 0 && index < kOrientationCount) orientation = index;
}

} // namespace pindrel
