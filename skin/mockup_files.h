#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/mockup_import.h"

namespace pindrel {

// A file's path in the folder of the skin file at skinPath.
std::string BesideSkin(std::string_view skinPath, std::string_view file);
// Whether anything, a dangling link included, has that name.
bool PathTaken(std::string_view path);

// Writes the pictures as bitmaps beside the skin file, each atomically. *created learns the
// files that were not there before. On a failure the files created are removed again and
// *error says which file failed and why.
bool WriteMockupBitmaps(std::string_view skinPath, std::span<const MockupBitmap> bitmaps,
                        std::vector<std::string>* created, std::string* error);
// Removes the files, as far as it can: an import's that failed later on.
void RemoveFiles(const std::vector<std::string>& paths);

} // namespace pindrel
