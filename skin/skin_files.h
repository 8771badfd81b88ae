#pragma once

#include <cstdint>
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

// A bitmap name a section gives, and where.
struct NamedPicture {
    std::string name; // as written, or the section's default name
    int32_t section = -1;
    int32_t line = 0; // of the key, or of the header for a default name
};

// The bitmap names of the sections the loader reads, as SkinBitmapFiles gives them, but only of
// the first section of a name read once, and each with the place it is first named: the
// pictures a skin carries with it.
std::vector<NamedPicture> SkinPictureNames(const SkinIniFile& file);

} // namespace pindrel
