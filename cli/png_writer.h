#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "render/pixel_view.h"

namespace pindrel::cli {

// Writes the picture as an 8-bit RGB PNG without alpha, top row first, through
// WriteOutputFile (complete or not at all; "-" is standard output). The same picture
// always gives the same bytes: nothing like a time is stored. On failure returns false and puts
// a short reason in *error.
bool WritePng(std::string_view path, ConstPixelView picture, std::string* error);

// The bytes WritePng writes; nothing, with a reason, when the picture cannot be encoded.
std::optional<std::string> EncodePng(ConstPixelView picture, std::string* error);

} // namespace pindrel::cli
