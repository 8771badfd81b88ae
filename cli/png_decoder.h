#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "render/canvas.h"

namespace pindrel::cli {

// Pictures larger than this in either direction are not screens of a skin, and are not read.
inline constexpr int32_t kMaxReadPngSide = 2048;

// Reads a PNG file into a canvas (8-bit colour; any alpha is laid over black). Nothing, with a
// short reason in *error, for a file that cannot be read, is no picture, or is larger than
// kMaxReadPngSide.
std::optional<Canvas> ReadPng(std::string_view path, std::string* error);

// The same for the bytes of a PNG file.
std::optional<Canvas> DecodePng(std::span<const uint8_t> bytes, std::string* error);

} // namespace pindrel::cli
