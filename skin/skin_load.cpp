#include "skin/skin_load.h"

#include <filesystem>

#include "skin/bitmap_cache.h"

namespace pindrel {

BmpResult LoadContext::Decode(std::string_view name) const {
    std::string path(name);
    if (!folder.empty() && !std::filesystem::path(path).is_absolute())
        path = (std::filesystem::path(folder) / path).string();
    return bitmaps ? bitmaps->Load(path) : LoadBmp(path);
}

void LoadContext::Drop(LoadDrop drop) const {
    if (report) report->drops.push_back(std::move(drop));
}

} // namespace pindrel
