#pragma once

#include <cstdint>
#include <span>

#include "render/dib_image.h"
#include "render/picture_import.h"

namespace pindrel::import {

// Whether a picture of that size stays within the limits of a decoded bitmap, so that it can
// become one.
inline bool FitsLimits(uint64_t width, uint64_t height) {
    if (width < 1 || height < 1 || width > kMaxDibSide || height > kMaxDibSide) return false;
    return static_cast<uint64_t>(DibImage::StrideFor(static_cast<int32_t>(width))) * height <=
           kMaxDibBytes;
}

// The readers of each format; the bytes start with the format's signature.
ImportResult ImportPng(std::span<const uint8_t> bytes);
ImportResult ImportJpeg(std::span<const uint8_t> bytes);
ImportResult ImportBmp(std::span<const uint8_t> bytes);

} // namespace pindrel::import
