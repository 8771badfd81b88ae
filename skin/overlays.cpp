#include "skin/overlays.h"

#include <algorithm>
#include <array>

#include "skin/draw_screen.h"

namespace pindrel {

namespace {

Color Blend(Color a, Color b) {
    return Color::FromRgb(static_cast<uint8_t>((a.R() + b.R() + 1) / 2),
                          static_cast<uint8_t>((a.G() + b.G() + 1) / 2),
                          static_cast<uint8_t>((a.B() + b.B() + 1) / 2));
}

void Outline(PixelView canvas, const Rect& r, Color c, bool shown) {
    if (shown)
        DrawOutline(canvas, r, c);
    else
        DrawDashedOutline(canvas, r, c, kOutlineDash);
}

// Every fourth diagonal inside r.
void Hatch(PixelView canvas, const Rect& r, Color c) {
    const int64_t x0 = std::max<int64_t>(r.left, 0), x1 = std::min<int64_t>(r.right, canvas.width);
    const int64_t y0 = std::max<int64_t>(r.top, 0), y1 = std::min<int64_t>(r.bottom, canvas.height);
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x)
            if ((x - r.left + y - r.top) % 4 == 0)
                canvas.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), c);
}

bool AtNaturalSize(const Rect& r, int32_t width, int32_t height) {
    return r.Width() == width && r.Height() == height;
}

// Runs f on every image and button with its rectangle in orientation o.
template <class F> void ForEachPicture(const SkinModel& skin, size_t o, F&& f) {
    if (skin.backgroundImage.loaded)
        f(skin.backgroundImage.rects[o], skin.backgroundImage.hasTransparentColor,
          skin.backgroundImage.width, skin.backgroundImage.height);
    for (const SkinImage& i : skin.images)
        f(i.rects[o], i.hasTransparentColor, i.width, i.height);
    for (const SkinButton& b : skin.buttons)
        f(b.rects[o], b.hasTransparentColor, b.width, b.height);
}

} // namespace

void DrawOverlays(PixelView canvas, const SkinModel& skin, const ScreenRequest& request,
                  const Overlays& which, ConstPixelView unkeyed) {
    const auto o = static_cast<size_t>(request.orientation);
    const CallType t = request.callType;
    if (which.keys) {
        // Tinted where a keyed-out pixel shows what lies beneath.
        if (unkeyed.width == canvas.width && unkeyed.height == canvas.height) {
            for (int32_t y = 0; y < canvas.height; ++y)
                for (int32_t x = 0; x < canvas.width; ++x)
                    if (canvas.Pixel(x, y) != unkeyed.Pixel(x, y))
                        canvas.SetPixel(x, y, Blend(canvas.Pixel(x, y), kKeyTint));
        }
        ForEachPicture(skin, o, [&](const Rect& r, bool key, int32_t w, int32_t h) {
            if (key && !AtNaturalSize(r, w, h)) Hatch(canvas, r, kKeyHatch);
        });
    }
    if (!which.outlines) return;
    // In the order they are drawn, so a ring lies over the rings of what it is drawn over.
    if (skin.backgroundImage.loaded)
        Outline(canvas, skin.backgroundImage.rects[o], kBackgroundImageOutline,
                ShownFor(skin.backgroundImage.type, t));
    for (const SkinImage& i : skin.images)
        Outline(canvas, i.rects[o], kImageOutline, i.loaded && ShownFor(i.type, t));
    for (const SkinButton& b : skin.buttons)
        Outline(canvas, b.rects[o], kButtonOutline, b.loaded && ShownFor(b.type, t));
    Outline(canvas, skin.photoRect.rects[o], kPhotoOutline, t == CallType::ContactWithPicture);
    for (const SkinLabel& l : skin.labels)
        Outline(canvas, l.rects[o], kLabelOutline, !l.fieldIds.empty() && ShownFor(l.type, t));
}

void DrawOverlaysOn(PixelView canvas, const SkinModel& skin, const ScreenRequest& request,
                    FontCache& fonts, const Overlays& which) {
    if (!which.Any()) return;
    Canvas unkeyed;
    if (which.keys) {
        ScreenRequest opaque = request;
        opaque.colorKeys = false;
        unkeyed = DrawScreen(skin, opaque, fonts);
    }
    DrawOverlays(canvas, skin, request, which, unkeyed.View());
}

Canvas DrawScreenOverlaid(const SkinModel& skin, const ScreenRequest& request, FontCache& fonts,
                          const Overlays& which) {
    Canvas canvas = DrawScreen(skin, request, fonts);
    DrawOverlaysOn(canvas.View(), skin, request, fonts, which);
    return canvas;
}

std::vector<int32_t> OffScreenElementLines(const SkinModel& skin, Orientation orientation,
                                           Size screen) {
    const auto o = static_cast<size_t>(orientation);
    const Rect bounds{0, 0, screen.width, screen.height};
    std::vector<int32_t> lines;
    const auto check = [&](const SkinElement& e) {
        if (!IntersectRect(e.rects[o], bounds)) lines.push_back(e.line);
    };
    for (const SkinImage& i : skin.images)
        check(i);
    for (const SkinButton& b : skin.buttons)
        check(b);
    for (const SkinLabel& l : skin.labels)
        check(l);
    if (skin.photoRect.section >= 0) check(skin.photoRect);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::optional<Overlays> ParseOverlays(std::string_view text) {
    Overlays o;
    while (true) {
        const size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        if (word == "outlines")
            o.outlines = true;
        else if (word == "keys")
            o.keys = true;
        else
            return std::nullopt;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return o;
}

} // namespace pindrel
