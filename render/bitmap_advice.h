#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "render/color.h"

namespace pindrel {

// What a file the skin decoder refuses is, and how an author makes a bitmap of it.
struct BitmapAdvice {
    std::string problem; // "a.bmp has a 124-byte header (colour-space information), which ..."
    std::string fix;     // "save it without ... or run: pindrel-cli convert a.bmp -o a.bmp"
};

// How many of a file's first bytes the advice looks at.
inline constexpr size_t kBitmapAdviceBytes = 34;

// Advice from a file's first bytes (fewer when the file is shorter) and the name a skin gives it:
// PNG and JPEG files, whatever their names, names of PNG and JPEG files, and bitmaps with headers
// that editors write but skins cannot read. Nothing when neither tells. With the key colour the
// picture is drawn with, the command converts transparency to that colour.
std::optional<BitmapAdvice> AdviseOnBitmap(std::span<const uint8_t> head, std::string_view name,
                                           std::optional<Color> key = std::nullopt);

// The same for a file on disk; nothing when it cannot be read.
std::optional<BitmapAdvice> AdviseOnBitmapFile(std::string_view path, std::string_view name,
                                               std::optional<Color> key = std::nullopt);

} // namespace pindrel
