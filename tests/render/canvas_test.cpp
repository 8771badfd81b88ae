#include "render/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

namespace pindrel {
namespace {

constexpr Color kBackground = Color::FromRgb(10, 20, 30);
constexpr Color kInk = Color::FromRgb(200, 100, 50);

// A colour that tells where a source pixel came from.
Color SourceColor(int32_t x, int32_t y) {
    return Color::FromRgb(static_cast<uint8_t>(x + 1), static_cast<uint8_t>(y + 1), 77);
}

Canvas Filled(int32_t w, int32_t h, Color c) {
    Canvas canvas(w, h);
    FillRect(canvas.View(), canvas.Bounds(), c);
    return canvas;
}

Canvas Numbered(int32_t w, int32_t h) {
    Canvas canvas(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            canvas.View().SetPixel(x, y, SourceColor(x, y));
    return canvas;
}

// Compares every pixel with what `expected` says it should be, reporting the first few misses.
void ExpectPixels(const Canvas& canvas, const std::function<Color(int32_t, int32_t)>& expected) {
    int misses = 0;
    for (int32_t y = 0; y < canvas.Height(); ++y)
        for (int32_t x = 0; x < canvas.Width(); ++x) {
            const Color want = expected(x, y);
            const Color got = canvas.Pixel(x, y);
            if (got != want && ++misses <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): got 0x" << std::hex
                              << got.Value() << ", want 0x" << want.Value();
        }
}

bool Within(int64_t v, int64_t lo, int64_t hi) {
    return v >= lo && v < hi;
}

TEST(Canvas, NegativeSizeIsEmptyAndRowsArePadded) {
    EXPECT_EQ(Canvas(-3, 5).GetSize(), (Size{0, 5}));
    EXPECT_TRUE(Canvas(-3, 5).View().Empty());
    EXPECT_EQ(Canvas(5, 1).Stride(), 16);
    EXPECT_EQ(Canvas(4, 1).Stride(), 12);
}

TEST(FillRect, SetsOnlyThePixelsOfTheRectangleOnTheCanvas) {
    struct Case {
        std::string name;
        Rect r;
    } const cases[] = {
        {"inside", {2, 1, 5, 4}},
        {"over the left and top edges", {-3, -2, 2, 2}},
        {"over the right and bottom edges", {6, 4, 20, 20}},
        {"larger than the canvas", {-100, -100, 100, 100}},
        {"the 32-bit extremes", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
        {"wholly to the right", {8, 0, 12, 6}},
        {"wholly above", {0, -5, 8, 0}},
        {"zero width", {3, 0, 3, 6}},
        {"inverted", {5, 4, 2, 1}},
        {"near the positive limit", {INT32_MAX - 1, 0, INT32_MAX, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas = Filled(8, 6, kBackground);
        FillRect(canvas.View(), c.r, kInk);
        ExpectPixels(canvas, [&](int32_t x, int32_t y) {
            return Within(x, c.r.left, c.r.right) && Within(y, c.r.top, c.r.bottom) ? kInk
                                                                                    : kBackground;
        });
    }
}

struct CopyCase {
    std::string name;
    int32_t dx, dy, sx, sy, w, h;
};

// Copies a 5 x 4 numbered source into an 8 x 6 target. The expectation is worked out pixel by
// pixel: a target pixel takes the source pixel it maps to when that lies in the block and on
// the source.
const CopyCase kCopyCases[] = {
    {"whole source inside", 1, 1, 0, 0, 5, 4},
    {"part of the source", 2, 0, 1, 2, 3, 2},
    {"destination over the left and top edges", -2, -1, 0, 0, 5, 4},
    {"destination over the right and bottom edges", 6, 4, 0, 0, 5, 4},
    {"source origin left of and above the source", 0, 0, -2, -1, 5, 4},
    {"block larger than the source", 0, 0, 0, 0, 100, 100},
    {"block larger than both, offset", 3, 2, 1, 1, INT32_MAX, INT32_MAX},
    {"huge negative destination", INT32_MIN, INT32_MIN, 0, 0, 5, 4},
    {"huge positive destination", INT32_MAX, INT32_MAX, 0, 0, INT32_MAX, INT32_MAX},
    {"huge negative source with huge block", 0, 0, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
    {"huge positive source", 0, 0, INT32_MAX, 0, 5, 4},
    {"zero width", 1, 1, 0, 0, 0, 4},
    {"negative height", 1, 1, 0, 0, 5, -4},
    {"destination wholly outside", 8, 0, 0, 0, 5, 4},
};

Color ExpectedCopy(const CopyCase& c, const Canvas& source, int32_t x, int32_t y, Color under) {
    const int64_t i = int64_t{x} - c.dx, j = int64_t{y} - c.dy;
    if (!Within(i, 0, c.w) || !Within(j, 0, c.h)) return under;
    const int64_t srcX = c.sx + i, srcY = c.sy + j;
    if (!Within(srcX, 0, source.Width()) || !Within(srcY, 0, source.Height())) return under;
    return source.Pixel(static_cast<int32_t>(srcX), static_cast<int32_t>(srcY));
}

TEST(CopyPixels, CopiesOnlyPixelsOnBothPictures) {
    const Canvas source = Numbered(5, 4);
    for (const CopyCase& c : kCopyCases) {
        SCOPED_TRACE(c.name);
        Canvas target = Filled(8, 6, kBackground);
        CopyPixels(target.View(), c.dx, c.dy, source.View(), c.sx, c.sy, c.w, c.h);
        ExpectPixels(target, [&](int32_t x, int32_t y) {
            return ExpectedCopy(c, source, x, y, kBackground);
        });
    }
}

TEST(CopyPixels, ReadsABottomUpSourceTopRowFirst) {
    // A bottom-up picture seen through a view with a negative stride, as decoded bitmaps are.
    const Canvas stored = Numbered(3, 4);
    const ConstPixelView flipped{stored.Data() + static_cast<ptrdiff_t>(3) * stored.Stride(),
                                 -static_cast<ptrdiff_t>(stored.Stride()), 3, 4};
    Canvas target = Filled(3, 4, kBackground);
    CopyPixels(target.View(), 0, 0, flipped, 0, 0, 3, 4);
    ExpectPixels(target, [](int32_t x, int32_t y) { return SourceColor(x, 3 - y); });
}

TEST(CopyPixelsKeyed, LeavesKeyColouredPixelsUnchanged) {
    Canvas source = Numbered(5, 4);
    const Color key = Color::FromRgb(255, 0, 255);
    const auto isKeyed = [](int32_t x, int32_t y) { return (x + y) % 3 == 0; };
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x)
            if (isKeyed(x, y)) source.View().SetPixel(x, y, key);
    // A pixel that differs from the key in one channel only is copied.
    source.View().SetPixel(1, 0, Color::FromRgb(255, 1, 255));

    for (const CopyCase& c : kCopyCases) {
        SCOPED_TRACE(c.name);
        Canvas target = Filled(8, 6, kBackground);
        CopyPixelsKeyed(target.View(), c.dx, c.dy, source.View(), c.sx, c.sy, c.w, c.h, key);
        ExpectPixels(target, [&](int32_t x, int32_t y) {
            const Color copied = ExpectedCopy(c, source, x, y, kBackground);
            return copied == key ? kBackground : copied;
        });
    }
}

TEST(DrawOutline, DrawsTheOnePixelBorderAsTheRectangleOperationDoes) {
    struct Case {
        std::string name;
        Rect r;
    } const cases[] = {
        {"align rectangle 0,0 100x100", {0, 0, 100, 100}},
        {"inside", {10, 20, 50, 40}},
        {"one pixel", {5, 5, 6, 6}},
        {"two by two", {5, 5, 7, 7}},
        {"one pixel wide", {5, 5, 6, 30}},
        {"over the top-left corner", {-5, -5, 5, 5}},
        {"over the bottom-right corner", {110, 110, 130, 130}},
        {"larger than the canvas", {-1, -1, 121, 121}},
        {"the 32-bit extremes", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}},
        {"zero width", {10, 10, 10, 50}},
        {"zero height", {10, 10, 50, 10}},
        {"inverted", {50, 50, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas = Filled(120, 120, kBackground);
        DrawOutline(canvas.View(), c.r, kInk);
        const bool empty = c.r.IsEmpty();
        ExpectPixels(canvas, [&](int32_t x, int32_t y) {
            const bool inside = Within(x, c.r.left, c.r.right) && Within(y, c.r.top, c.r.bottom);
            const bool edge = int64_t{x} == c.r.left || int64_t{x} == int64_t{c.r.right} - 1 ||
                              int64_t{y} == c.r.top || int64_t{y} == int64_t{c.r.bottom} - 1;
            return !empty && inside && edge ? kInk : kBackground;
        });
    }
}

TEST(DrawOutline, AlignRectangleExample) {
    Canvas canvas = Filled(240, 320, kWhite);
    const Color red = Color::FromRgb(255, 0, 0);
    DrawOutline(canvas.View(), {0, 0, 100, 100}, red);
    for (int32_t i = 0; i < 100; ++i) {
        EXPECT_EQ(canvas.Pixel(0, i), red);
        EXPECT_EQ(canvas.Pixel(99, i), red);
        EXPECT_EQ(canvas.Pixel(i, 0), red);
        EXPECT_EQ(canvas.Pixel(i, 99), red);
    }
    EXPECT_EQ(canvas.Pixel(1, 1), kWhite);
    EXPECT_EQ(canvas.Pixel(98, 98), kWhite);
    EXPECT_EQ(canvas.Pixel(100, 50), kWhite);
    EXPECT_EQ(canvas.Pixel(50, 100), kWhite);
}

} // namespace
} // namespace pindrel
