#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "render/dib_image.h"

namespace pindrel {

enum class BmpStatus : int {
    Ok = 0,
    CannotOpen = -1,     // the file cannot be opened for reading
    NotABitmap = -2,     // not a bitmap this decoder accepts
    OutOfResources = -3, // too large for the documented limits, or no memory
};

struct BmpResult {
    BmpStatus status = BmpStatus::CannotOpen;
    std::string_view reason; // short static text for messages; empty on success
    std::optional<DibImage> image;
    uint64_t fileBytes = 0; // how much of the file was read, whatever the status
};

// Decodes a .bmp file into a 24-bit bottom-up picture.
BmpResult LoadBmp(std::string_view path);
// Decodes a bitmap held in memory (a whole .bmp file's bytes).
BmpResult LoadBmp(std::span<const uint8_t> bytes);

} // namespace pindrel
