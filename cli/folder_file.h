#pragma once

#include <string>
#include <string_view>

#include "render/pixel_view.h"

namespace pindrel::cli {

// Writes a file that the tool itself names inside a folder (a screen, a diff picture,
// snapshot.json) whole or not at all, through a temporary file beside it that is renamed into
// place. Such folders are often someone else's, so whatever stands under the name — a symbolic
// link, a pipe — is replaced, never written through; a regular file keeps its permissions. False,
// with a short reason in *error, on failure.
bool WriteFolderFile(const std::string& path, std::string_view bytes, std::string* error);

// The picture as a PNG file, the same way; false, with a message, on failure.
bool WriteFolderPngOrSay(const std::string& path, ConstPixelView picture);

} // namespace pindrel::cli
