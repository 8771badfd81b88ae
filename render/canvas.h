#pragma once

#include <cstdint>
#include <vector>

#include "render/color.h"
#include "render/geometry.h"
#include "render/pixel_view.h"

namespace pindrel {

// An off-screen picture, top row first, 24-bit blue-green-red with rows padded to 4 bytes: the
// memory layout of QImage::Format_BGR888, so a window can show it without a copy.
class Canvas {
public:
    Canvas() = default;
    // Sizes below 0 count as 0.
    Canvas(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    Size GetSize() const { return {width_, height_}; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    const uint8_t* Data() const { return pixels_.data(); }
    uint8_t* Data() { return pixels_.data(); }

    PixelView View() { return {pixels_.data(), stride_, width_, height_}; }
    ConstPixelView View() const { return {pixels_.data(), stride_, width_, height_}; }
    Color Pixel(int32_t x, int32_t y) const { return View().Pixel(x, y); }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> pixels_;
};

// Sets every pixel of r that lies on the target to c.
void FillRect(PixelView target, const Rect& r, Color c);

// Copies the w x h block of source at (sx, sy) to (dx, dy) of target. Only pixels that lie on
// both pictures are copied; the rest of the target stays as it was.
void CopyPixels(PixelView target, int32_t dx, int32_t dy, ConstPixelView source, int32_t sx,
                int32_t sy, int32_t w, int32_t h);

// As CopyPixels, but source pixels equal to key leave the target pixel unchanged.
void CopyPixelsKeyed(PixelView target, int32_t dx, int32_t dy, ConstPixelView source, int32_t sx,
                     int32_t sy, int32_t w, int32_t h, Color key);

// A one-pixel outline: columns left and right - 1 for rows top..bottom - 1, rows top and
// bottom - 1 for columns left..right - 1. An empty rectangle draws nothing.
void DrawOutline(PixelView target, const Rect& r, Color c);
// The same outline in dashes: along each side, runs of dash pixels drawn and dash left out,
// counted from its left or top end.
void DrawDashedOutline(PixelView target, const Rect& r, Color c, int32_t dash);

} // namespace pindrel
