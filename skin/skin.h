#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/color.h"
#include "render/geometry.h"
#include "render/pixel_view.h"
#include "skin/call_type.h"
#include "skin/font_cache.h"
#include "skin/preview_handler.h"
#include "skin/skin_element.h"

namespace pindrel {

class SkinIniFile;

// The bitmap files one skin load reads and the pictures it decodes, together: a full-screen
// picture and its file take about half a MiB, so this holds thousands of them, and a picture of
// the decoder's largest size with its file.
inline constexpr uint64_t kMaxSkinBitmapBytes = 4 * kMaxDibBytes;

// A skin document with the preview's view state. Its owner supplies the caller data and the
// call type being previewed.
class Skin {
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
    // file cannot be read. Bitmap names resolve against the current directory. Once the bitmap
    // files read and the pictures decoded come to more than maxBitmapBytes, the element that
    // went beyond and every image and button after it are left out.
    bool Load(std::string_view path);
    // Replaces the content with what a skin file already read holds; pictures come as the
    // context says, and its report hears what is left out.
    void Load(const SkinIniFile& file, const LoadContext& context);
    // Drops the loaded content; keeps photoRect, orientation, the align state and the fonts.
    void Clear();

    // Drawing
    // Composes the screen at the window's client size and presents it on dc.
    void DrawPreview(PaintDevice& dc, const PreviewSurface& window);
    // Composes the screen on a fresh canvas of the given size.
    Canvas RenderPreview(Size size);
    void DrawImage(PixelView canvas, const SkinImage& image, CallType t);
    void DrawButton(PixelView canvas, const SkinButton& button, CallType t);
    void DrawPhoto(PixelView canvas, ConstPixelView photo);
    // Draws picture (of pictureSize) into r: a straight or colour-keyed copy at exact size,
    // else resized (fitted and centred with fit), framed from borderImage with frame.
    void DrawBitmap(PixelView canvas, ConstPixelView picture, Size pictureSize, const Rect& r,
                    bool frame, bool fit, const Color* key);
    void DrawLabel(PixelView canvas, const SkinLabel& label, CallType t);

    // Preview window
    // 0, 1 and 2 are stored; anything else leaves the orientation as it is.
    void SetOrientation(int32_t index);
    bool HitTest(const SkinButton& button, Point p) const;
    void HandleMouseDown(PreviewSurface& window, Point p);
    void HandleMouseUp(PreviewSurface& window, Point p);
    void HandleMouseMove(PreviewSurface& window, Point p);
    void RedrawButton(int32_t index, PreviewSurface& window);

    FontCache fontCache;
    Color backgroundColor = kWhite;
    SkinImage backgroundImage;
    SkinImage borderImage;
    SkinElement photoRect;
    std::vector<SkinButton> buttons;
    std::vector<SkinImage> images;
    std::vector<SkinLabel> labels;
    int32_t orientation = Portrait;
    bool showAlignRect = false;
    Rect alignRect;
    // A bitmap of a few bytes can declare a picture of hundreds of MiB, a bitmap file can be
    // huge, and a skin can name either any number of times.
    uint64_t maxBitmapBytes = kMaxSkinBitmapBytes;

private:
    void DrawBorderFrame(PixelView canvas, const Rect& d);
};

} // namespace pindrel
