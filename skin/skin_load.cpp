#include "skin/skin_load.h"

#include <filesystem>

#include "skin/bitmap_cache.h"

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

} // namespace pindrel
