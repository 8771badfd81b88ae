#pragma once

#include <string>
#include <string_view>

#include "render/pixel_view.h"

namespace pindrel::cli {

// Writes the picture as an 8-bit RGB PNG without alpha, top row first, as WriteOutputFile
// writes a file. On failure returns false and puts a short reason in *error.
bool WritePng(std::string_view path, ConstPixelView picture, std::string* error);

} // namespace pindrel::cli
