#pragma once

#include <cstddef>
#include <cstdint>

#include "render/color.h"

namespace pindrel {

// A window onto 24-bit blue-green-red pixels. Row(0) is the top row; a negative stride walks a
// bottom-up picture top-down, so drawing code never thinks about row order.
struct ConstPixelView {
    const uint8_t* row0 = nullptr;
    ptrdiff_t stride = 0;
    int32_t width = 0;
    int32_t height = 0;

    const uint8_t* Row(int32_t y) const { return row0 + static_cast<ptrdiff_t>(y) * stride; }
    Color Pixel(int32_t x, int32_t y) const {
        const uint8_t* p = Row(y) + static_cast<ptrdiff_t>(x) * 3;
        return Color::FromRgb(p[2], p[1], p[0]);
    }
    bool Empty() const { return row0 == nullptr || width <= 0 || height <= 0; }
};

struct PixelView {
    uint8_t* row0 = nullptr;
    ptrdiff_t stride = 0;
    int32_t width = 0;
    int32_t height = 0;

    uint8_t* Row(int32_t y) const { return row0 + static_cast<ptrdiff_t>(y) * stride; }
    Color Pixel(int32_t x, int32_t y) const { return ConstPixelView(*this).Pixel(x, y); }
    void SetPixel(int32_t x, int32_t y, Color c) const {
        uint8_t* p = Row(y) + static_cast<ptrdiff_t>(x) * 3;
        p[0] = c.B();
        p[1] = c.G();
        p[2] = c.R();
    }
    bool Empty() const { return row0 == nullptr || width <= 0 || height <= 0; }
    operator ConstPixelView() const { return {row0, stride, width, height}; }
};

} // namespace pindrel
