#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ini/skin_ini_file.h"

namespace pindrel {

// Every bitmap file name the skin's picture sections give, as written, in file order and without
// repeats: the default names of background and border sections that give none, and names of
// elements the loader would drop. Tools that follow a skin's files need all of them, since a
// missing picture may appear later.
std::vector<std::string> SkinBitmapFiles(const SkinIniFile& file);

} // namespace pindrel
