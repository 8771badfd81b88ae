#pragma once

#include "render/color.h"
#include "render/geometry.h"
#include "render/pixel_view.h"
#include "skin/font_cache.h"
#include "skin/screen_request.h"
#include "skin/skin_model.h"

namespace pindrel {

// One drawing of a screen, shared by the files that compose it.
struct ScreenPainter {
    const SkinModel& skin;
    const ScreenRequest& request;
    FontCache& fonts;
    PixelView canvas;

    const Rect& RectOf(const SkinElement& element) const {
        return element.rects[static_cast<size_t>(request.orientation)];
    }
    bool OnCanvas(const Rect& r) const {
        return IntersectRect(r, {0, 0, canvas.width, canvas.height});
    }

    void DrawImage(const SkinImage& image);
    void DrawButton(size_t index);
    void DrawPhoto();
    // Draws picture (of pictureSize) into r: a straight or colour-keyed copy at exact size,
    // else resized (fitted and centred with fit), framed from the border picture with frame.
    void DrawBitmap(ConstPixelView picture, Size pictureSize, const Rect& r, bool frame, bool fit,
                    const Color* key);
    void DrawBorderFrame(const Rect& d);
    void DrawLabel(const SkinLabel& label);
};

} // namespace pindrel
