#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/canvas.h"
#include "render/color.h"
#include "render/geometry.h"
#include "render/pixel_view.h"
#include "skin/call_type.h"
#include "skin/font_cache.h"
#include "skin/preview_handler.h"
#include "skin/screen_request.h"
#include "skin/skin_element.h"
#include "skin/skin_model.h"

namespace pindrel {

class SkinIniFile;

// A skin document with the preview's view state. Its owner supplies the caller data and the
// call type being previewed.
class Skin : public SkinModel {
public:
    Skin();
    virtual ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // The text caller field `field` shows now; empty for unknown ids.
    virtual std::string GetFieldText(int32_t field) = 0;
    // The call type being previewed; *photo receives the caller's picture (empty for none).
    virtual CallType GetCallType(ConstPixelView* photo) = 0;

    // Replaces the content with the skin file at path. False, leaving the skin cleared, when the
    // file cannot be read. Bitmap names resolve against the current directory.
    bool Load(std::string_view path);
    using SkinModel::Load;

    // Drawing
    // Composes the screen at the window's client size and presents it on dc.
    void DrawPreview(PaintDevice& dc, const PreviewSurface& window);
    // The screen the preview shows now, at size: the skin's orientation, pressed buttons and
    // align rectangle, the owner's call type, caller texts and photo, and ScreenDpiY.
    ScreenRequest PreviewRequest(Size size);

    // Preview window
    // 0, 1 and 2 are stored; anything else leaves the orientation as it is.
    void SetOrientation(int32_t index);
    bool HitTest(const SkinButton& button, Point p) const;
    void HandleMouseDown(PreviewSurface& window, Point p);
    void HandleMouseUp(PreviewSurface& window, Point p);
    void HandleMouseMove(PreviewSurface& window, Point p);
    void RedrawButton(int32_t index, PreviewSurface& window);

    FontCache fontCache;
    int32_t orientation = Portrait;
    bool showAlignRect = false;
    Rect alignRect;
};

} // namespace pindrel
