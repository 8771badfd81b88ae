#include "skin/draw_screen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/scale_bitmap.h"
#include "skin/draw_internal.h"

namespace pindrel {

namespace {

constexpr Color kAlignRectColor = Color::FromRgb(255, 0, 0);

// A straight copy whose destination may lie anywhere in 64-bit space: only what reaches the
// canvas is handed on, so skin coordinates near the 32-bit limits cannot overflow.
void Blit(PixelView canvas, int64_t dx, int64_t dy, ConstPixelView source, int32_t sx, int32_t sy,
          int64_t w, int64_t h) {
    if (dx >= canvas.width || dy >= canvas.height || dx + w <= 0 || dy + h <= 0) return;
    if (dx < 0) {
        sx = static_cast<int32_t>(std::clamp<int64_t>(sx - dx, INT32_MIN, INT32_MAX));
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy = static_cast<int32_t>(std::clamp<int64_t>(sy - dy, INT32_MIN, INT32_MAX));
        h += dy;
        dy = 0;
    }
    w = std::min<int64_t>(w, canvas.width - dx);
    h = std::min<int64_t>(h, canvas.height - dy);
    CopyPixels(canvas, static_cast<int32_t>(dx), static_cast<int32_t>(dy), source, sx, sy,
               static_cast<int32_t>(w), static_cast<int32_t>(h));
}

// Double to int as the x86 conversion does it: out-of-range values give INT32_MIN, which the
// scaler then ignores as a non-positive size.
int32_t TruncateToInt(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

} // namespace

Canvas DrawScreen(const SkinModel& skin, const ScreenRequest& request, FontCache& fonts) {
    Canvas canvas(request.size.width, request.size.height);
    ScreenPainter painter{skin, request, fonts, canvas.View()};
    FillRect(painter.canvas, canvas.Bounds(), skin.backgroundColor);
    painter.DrawImage(skin.backgroundImage);
    for (const SkinImage& image : skin.images)
        painter.DrawImage(image);
    for (size_t i = 0; i < skin.buttons.size(); ++i)
        painter.DrawButton(i);
    if (request.callType == CallType::ContactWithPicture) painter.DrawPhoto();
    for (const SkinLabel& label : skin.labels)
        painter.DrawLabel(label);
    if (request.alignRect) DrawOutline(painter.canvas, *request.alignRect, kAlignRectColor);
    return canvas;
}

void ScreenPainter::DrawImage(const SkinImage& image) {
    const Rect& r = RectOf(image);
    if (!image.bitmap || !ShownFor(image.type, request.callType) || !OnCanvas(r)) return;
    const bool keyed = image.hasTransparentColor && request.colorKeys;
    DrawBitmap(image.bitmap->View(), {image.width, image.height}, r, image.border != 0, false,
               keyed ? &image.transparentColor : nullptr);
}

void ScreenPainter::DrawButton(size_t index) {
    const SkinButton& button = skin.buttons[index];
    const Rect& r = RectOf(button);
    if (!button.loaded || !button.upBitmap || !button.downBitmap ||
        !ShownFor(button.type, request.callType) || !OnCanvas(r)) {
        return;
    }
    // Both pictures are placed with the up picture's size.
    const DibImage& picture = request.Held(index) ? *button.downBitmap : *button.upBitmap;
    const bool keyed = button.hasTransparentColor && request.colorKeys;
    DrawBitmap(picture.View(), {button.width, button.height}, r, false, false,
               keyed ? &button.transparentColor : nullptr);
}

void ScreenPainter::DrawPhoto() {
    const ConstPixelView photo = request.photo;
    const Rect& r = RectOf(skin.photoRect);
    if (photo.Empty() || !OnCanvas(r)) return;
    DrawBitmap(photo, {photo.width, photo.height}, r, true, true, nullptr);
}

void ScreenPainter::DrawBitmap(ConstPixelView picture, Size pictureSize, const Rect& r, bool frame,
                               bool fit, const Color* key) {
    const int32_t w = r.Width(), h = r.Height();
    Rect drawn = r;
    if (w == pictureSize.width && h == pictureSize.height) {
        if (key) {
            CopyPixelsKeyed(canvas, r.left, r.top, picture, 0, 0, w, h, *key);
        } else {
            CopyPixels(canvas, r.left, r.top, picture, 0, 0, w, h);
        }
    } else if (fit) {
        if (pictureSize.width <= 0 || pictureSize.height <= 0) return;
        const double s = std::min(static_cast<double>(w) / pictureSize.width,
                                  static_cast<double>(h) / pictureSize.height);
        const int32_t fw = TruncateToInt(pictureSize.width * s);
        const int32_t fh = TruncateToInt(pictureSize.height * s);
        const int32_t x = WrapAdd(r.left, WrapSub(w, fw) / 2);
        const int32_t y = WrapAdd(r.top, WrapSub(h, fh) / 2);
        ScaleBitmap(canvas, picture, x, y, fw, fh);
        drawn = Rect::FromXYWH(x, y, fw, fh);
    } else {
        ScaleBitmap(canvas, picture, r.left, r.top, w, h);
    }
    if (frame && skin.borderImage.loaded && skin.borderImage.bitmap) DrawBorderFrame(drawn);
}

// Frame pieces from a 3 x 3 grid of u x u cells of the border picture, all outside d; edges are
// tiled, the last tile cut. Only tiles that can reach the canvas are visited.
void ScreenPainter::DrawBorderFrame(const Rect& d) {
    const ConstPixelView src = skin.borderImage.bitmap->View();
    const int32_t bw = src.width, bh = src.height;
    const int32_t u = bw / 3;
    if (u < 1) return;
    const int64_t x = d.left, y = d.top, x2 = d.right, y2 = d.bottom;

    Blit(canvas, x - u, y - u, src, 0, 0, u, u);
    Blit(canvas, x2, y - u, src, bw - u, 0, u, u);
    Blit(canvas, x2, y2, src, bw - u, bh - u, u, u);
    Blit(canvas, x - u, y2, src, 0, bh - u, u, u);

    // Tiles k along a side of length len from start; first and last index that reach [0, limit).
    const auto tiles = [u](int64_t start, int64_t len, int64_t limit, auto&& draw) {
        if (len <= 0) return;
        const int64_t first = start >= 0 ? 0 : (-start) / u;
        for (int64_t k = first; k * u < len && start + k * u < limit; ++k) {
            draw(start + k * u, std::min<int64_t>(u, len - k * u));
        }
    };
    tiles(x, x2 - x, canvas.width,
          [&](int64_t px, int64_t n) { Blit(canvas, px, y - u, src, u, 0, n, u); });
    tiles(y, y2 - y, canvas.height,
          [&](int64_t py, int64_t n) { Blit(canvas, x2, py, src, bw - u, u, u, n); });
    tiles(x, x2 - x, canvas.width,
          [&](int64_t px, int64_t n) { Blit(canvas, px, y2, src, u, bh - u, n, u); });
    tiles(y, y2 - y, canvas.height,
          [&](int64_t py, int64_t n) { Blit(canvas, x - u, py, src, 0, u, u, n); });
}

} // namespace pindrel
