#pragma once

#include <string>
#include <string_view>

#include "render/pixel_view.h"

namespace pindrel::cli {

// Writes the picture as an 8-bit RGB PNG without alpha, top row first. The file appears under
// its name only when it is complete: it is written beside it under a temporary name and renamed
// into place, so a failure leaves no PNG (and keeps an older one), and a file replaced keeps its
// permissions. A symbolic link keeps pointing at the new file; a device or pipe (/dev/stdout) is
// written directly, and "-" is standard output. On failure returns false and puts a short
// reason in *error.
bool WritePng(std::string_view path, ConstPixelView picture, std::string* error);

} // namespace pindrel::cli
