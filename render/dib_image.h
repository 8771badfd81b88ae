#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "render/pixel_view.h"

namespace pindrel {

// Limits for any decoded picture; far above what a skin for a 320-pixel screen ever holds.
inline constexpr int32_t kMaxDibSide = 65535;
inline constexpr uint64_t kMaxDibBytes = uint64_t{256} << 20;

// A decoded picture: 24-bit blue-green-red pixels, rows padded to 4 bytes with zeros, stored
// bottom row first. Move-only; the element that holds it owns it.
class DibImage {
public:
    // An all-black picture, or nothing when the size is out of range (side 1..kMaxDibSide, pixel
    // data at most kMaxDibBytes).
    static std::optional<DibImage> Create(int32_t width, int32_t height);
    static constexpr int32_t StrideFor(int32_t width) { return (3 * width + 3) & ~3; }

    DibImage(DibImage&&) noexcept = default;
    DibImage& operator=(DibImage&&) noexcept = default;
    DibImage& operator=(const DibImage&) = delete;
    ~DibImage() = default;

    // An explicit copy, for keeping a picture and handing out its likeness.
    DibImage Clone() const { return DibImage(*this); }

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }

    // Memory row k: row 0 is the bottom row of the picture.
    uint8_t* MemoryRow(int32_t k) { return pixels_.data() + static_cast<size_t>(k) * stride_; }
    const uint8_t* MemoryRow(int32_t k) const {
        return pixels_.data() + static_cast<size_t>(k) * stride_;
    }
    std::span<const uint8_t> Bytes() const { return pixels_; }

    // Top-down views of the picture.
    ConstPixelView View() const;
    PixelView MutableView();

private:
    DibImage(int32_t width, int32_t height);
    DibImage(const DibImage&) = default;

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> pixels_;
};

} // namespace pindrel
