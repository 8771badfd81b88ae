#include "skin/skin_load.h"

#include <filesystem>

#include "ini/skin_ini_file.h"
#include "skin/bitmap_cache.h"
#include "skin/skin.h"

namespace pindrel {

BmpResult LoadContext::Decode(std::string_view name) const {
    // The system reads a name up to its first NUL byte; so does the folder's join.
    std::string path(name.substr(0, name.find('\0')));
    if (!folder.empty() && !path.empty() && !std::filesystem::path(path).is_absolute())
        path = (std::filesystem::path(folder) / path).string();
    return bitmaps ? bitmaps->Load(path) : LoadBmp(path);
}

void LoadContext::Drop(LoadDrop drop) const {
    if (report) report->drops.push_back(std::move(drop));
}

bool LoadSkinBeside(Skin& skin, std::string_view path, SkinIniFile& file, LoadContext context) {
    if (!file.Load(path)) {
        skin.Clear();
        return false;
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    context.folder = folder.empty() ? std::string(".") : folder.string();
    skin.Load(file, context);
    return true;
}

} // namespace pindrel
