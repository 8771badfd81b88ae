#include "render/canvas.h"

#include <algorithm>
#include <cstring>

namespace pindrel {

Canvas::Canvas(int32_t width, int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      stride_((3 * std::max(width, 0) + 3) & ~3),
      pixels_(static_cast<size_t>(stride_) * static_cast<size_t>(height_), 0) {}

void FillRect(PixelView target, const Rect& r, Color c) {
    Rect clip;
    if (target.Empty() || !IntersectRect(r, {0, 0, target.width, target.height}, &clip)) return;
    const uint8_t bgr[3] = {c.B(), c.G(), c.R()};
    for (int32_t y = clip.top; y < clip.bottom; ++y) {
        uint8_t* p = target.Row(y) + static_cast<ptrdiff_t>(clip.left) * 3;
        for (int32_t x = clip.left; x < clip.right; ++x, p += 3)
            std::memcpy(p, bgr, 3);
    }
}

namespace {

// Clips a block copy against both pictures; false when nothing is left. 64-bit arithmetic, so
// skin coordinates near the 32-bit limits cannot overflow.
struct Block {
    int32_t dx, dy, sx, sy, w, h;
};

bool ClipBlock(Block& b, int32_t tw, int32_t th, int32_t sw, int32_t sh) {
    int64_t dx = b.dx, dy = b.dy, sx = b.sx, sy = b.sy, w = b.w, h = b.h;
    if (w <= 0 || h <= 0) return false;
    const auto cutLeading = [](int64_t& d, int64_t& s, int64_t& n) {
        const int64_t cut = std::max({int64_t{0}, -d, -s});
        d += cut;
        s += cut;
        n -= cut;
    };
    cutLeading(dx, sx, w);
    cutLeading(dy, sy, h);
    w = std::min({w, int64_t{tw} - dx, int64_t{sw} - sx});
    h = std::min({h, int64_t{th} - dy, int64_t{sh} - sy});
    if (w <= 0 || h <= 0) return false;
    b = {static_cast<int32_t>(dx), static_cast<int32_t>(dy), static_cast<int32_t>(sx),
         static_cast<int32_t>(sy), static_cast<int32_t>(w),  static_cast<int32_t>(h)};
    return true;
}

} // namespace

void CopyPixels(PixelView target, int32_t dx, int32_t dy, ConstPixelView source, int32_t sx,
                int32_t sy, int32_t w, int32_t h) {
    if (target.Empty() || source.Empty()) return;
    Block b{dx, dy, sx, sy, w, h};
    if (!ClipBlock(b, target.width, target.height, source.width, source.height)) return;
    for (int32_t j = 0; j < b.h; ++j) {
        std::memmove(target.Row(b.dy + j) + static_cast<ptrdiff_t>(b.dx) * 3,
                     source.Row(b.sy + j) + static_cast<ptrdiff_t>(b.sx) * 3,
                     static_cast<size_t>(b.w) * 3);
    }
}

void CopyPixelsKeyed(PixelView target, int32_t dx, int32_t dy, ConstPixelView source, int32_t sx,
                     int32_t sy, int32_t w, int32_t h, Color key) {
    if (target.Empty() || source.Empty()) return;
    Block b{dx, dy, sx, sy, w, h};
    if (!ClipBlock(b, target.width, target.height, source.width, source.height)) return;
    const uint8_t kb = key.B(), kg = key.G(), kr = key.R();
    for (int32_t j = 0; j < b.h; ++j) {
        uint8_t* d = target.Row(b.dy + j) + static_cast<ptrdiff_t>(b.dx) * 3;
        const uint8_t* s = source.Row(b.sy + j) + static_cast<ptrdiff_t>(b.sx) * 3;
        for (int32_t i = 0; i < b.w; ++i, d += 3, s += 3) {
            if (s[0] == kb && s[1] == kg && s[2] == kr) continue;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

void DrawOutline(PixelView target, const Rect& r, Color c) {
    if (r.IsEmpty()) return;
    const int32_t lastX = r.right - 1, lastY = r.bottom - 1;
    FillRect(target, {r.left, r.top, r.right, r.top + 1}, c);
    FillRect(target, {r.left, lastY, r.right, r.bottom}, c);
    FillRect(target, {r.left, r.top, r.left + 1, r.bottom}, c);
    FillRect(target, {lastX, r.top, r.right, r.bottom}, c);
}

void DrawDashedOutline(PixelView target, const Rect& r, Color c, int32_t dash) {
    if (r.IsEmpty() || dash <= 0) return;
    const auto on = [dash](int64_t along) { return (along / dash) % 2 == 0; };
    const int64_t x0 = std::max<int64_t>(r.left, 0), x1 = std::min<int64_t>(r.right, target.width);
    const int64_t y0 = std::max<int64_t>(r.top, 0), y1 = std::min<int64_t>(r.bottom, target.height);
    for (const int64_t y : {int64_t{r.top}, int64_t{r.bottom} - 1}) {
        if (y < 0 || y >= target.height) continue;
        for (int64_t x = x0; x < x1; ++x)
            if (on(x - r.left))
                target.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), c);
    }
    for (const int64_t x : {int64_t{r.left}, int64_t{r.right} - 1}) {
        if (x < 0 || x >= target.width) continue;
        for (int64_t y = y0; y < y1; ++y)
            if (on(y - r.top)) target.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), c);
    }
}

} // namespace pindrel
