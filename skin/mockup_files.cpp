#include "skin/mockup_files.h"

#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"

namespace pindrel {

namespace fs = std::filesystem;

std::string BesideSkin(std::string_view skinPath, std::string_view file) {
    const fs::path folder = fs::path(skinPath).parent_path();
    return (folder.empty() ? fs::path(file) : folder / fs::path(file)).string();
}

bool PathTaken(std::string_view path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(fs::path(path), ec));
}

bool WriteMockupBitmaps(std::string_view skinPath, std::span<const MockupBitmap> bitmaps,
                        std::vector<std::string>* created, std::string* error) {
    std::vector<std::string> made;
    for (const MockupBitmap& b : bitmaps) {
        const std::string path = BesideSkin(skinPath, b.file);
        const bool existed = PathTaken(path);
        std::string why;
        if (WriteBytesAtomically(path, EncodeMockupBitmap(*b.picture), &why) !=
            AtomicWriteStatus::Written) {
            RemoveFiles(made);
            *error = path + ": " + why;
            return false;
        }
        if (!existed) made.push_back(path);
    }
    if (created) created->insert(created->end(), made.begin(), made.end());
    return true;
}

void RemoveFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code ec;
        fs::remove(fs::path(path), ec);
    }
}

} // namespace pindrel
