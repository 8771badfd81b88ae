#pragma once

#include <algorithm>
#include <cstdint>

namespace pindrel {

// Skin numbers are arbitrary 32-bit values; sums and differences wrap as two's complement
// instead of overflowing.
constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
constexpr int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// (left, top, right, bottom); right and bottom lie just outside the rectangle.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // x + width and y + height wrap, as the platform's 32-bit arithmetic did.
    static constexpr Rect FromXYWH(int32_t x, int32_t y, int32_t w, int32_t h) {
        return {x, y, WrapAdd(x, w), WrapAdd(y, h)};
    }
    constexpr int32_t Width() const { return WrapSub(right, left); }
    constexpr int32_t Height() const { return WrapSub(bottom, top); }
    // Empty unless it covers at least one pixel.
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// True when both rectangles share at least one pixel; the shared part goes to *out.
constexpr bool IntersectRect(const Rect& a, const Rect& b, Rect* out = nullptr) {
    if (a.IsEmpty() || b.IsEmpty()) return false;
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return false;
    if (out) *out = r;
    return true;
}

} // namespace pindrel
