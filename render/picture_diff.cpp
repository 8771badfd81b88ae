#include "render/picture_diff.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pindrel {

namespace {

// The sizes of both pictures, laid over each other, and how far they reach together.
struct Overlay {
    Size expected;
    Size actual;
    int32_t width = 0;
    int32_t height = 0;
};

Size Extent(ConstPixelView picture) {
    if (picture.Empty()) return {};
    return {picture.width, picture.height};
}

Overlay Lay(ConstPixelView expected, ConstPixelView actual) {
    const Size e = Extent(expected);
    const Size a = Extent(actual);
    return {e, a, std::max(e.width, a.width), std::max(e.height, a.height)};
}

bool On(Size s, int32_t x, int32_t y) {
    return x < s.width && y < s.height;
}

bool Differs(const uint8_t* a, const uint8_t* b, int32_t tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(int32_t{a[i]} - int32_t{b[i]}) > tolerance) return true;
    }
    return false;
}

// A pixel on neither picture (a corner when the sizes cross) is no change.
bool Changed(ConstPixelView expected, ConstPixelView actual, const Overlay& o, int32_t x, int32_t y,
             int32_t tolerance) {
    const bool onExpected = On(o.expected, x, y);
    if (onExpected != On(o.actual, x, y)) return true;
    if (!onExpected) return false;
    return Differs(expected.Row(y) + ptrdiff_t{x} * 3, actual.Row(y) + ptrdiff_t{x} * 3, tolerance);
}

// Light enough that the loud colour stands out, dark enough that shapes stay visible.
uint8_t Grey(const uint8_t* bgr) {
    const int32_t luma = (bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77) >> 8;
    return static_cast<uint8_t>(128 + luma / 2);
}

} // namespace

PictureDiff ComparePictures(ConstPixelView expected, ConstPixelView actual, int32_t tolerance) {
    tolerance = std::max(tolerance, 0);
    const Overlay o = Lay(expected, actual);
    PictureDiff diff;
    diff.sizeDiffers = o.expected != o.actual;
    Rect box{o.width, o.height, 0, 0};
    for (int32_t y = 0; y < o.height; ++y) {
        // Most rows of a screen compared with its snapshot are the same to the byte.
        if (!diff.sizeDiffers && y < o.expected.height &&
            std::memcmp(expected.Row(y), actual.Row(y), size_t{3} * size_t(o.width)) == 0)
            continue;
        for (int32_t x = 0; x < o.width; ++x) {
            if (!Changed(expected, actual, o, x, y, tolerance)) continue;
            ++diff.changed;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    }
    if (diff.changed > 0) diff.box = box;
    return diff;
}

Canvas DiffPicture(ConstPixelView expected, ConstPixelView actual, int32_t tolerance) {
    tolerance = std::max(tolerance, 0);
    const Overlay o = Lay(expected, actual);
    Canvas picture(o.width, o.height);
    const PixelView view = picture.View();
    for (int32_t y = 0; y < o.height; ++y) {
        for (int32_t x = 0; x < o.width; ++x) {
            if (Changed(expected, actual, o, x, y, tolerance)) {
                view.SetPixel(x, y, kDiffColor);
                continue;
            }
            const uint8_t g = On(o.expected, x, y) ? Grey(expected.Row(y) + ptrdiff_t{x} * 3) : 255;
            view.SetPixel(x, y, Color::FromRgb(g, g, g));
        }
    }
    return picture;
}

} // namespace pindrel
