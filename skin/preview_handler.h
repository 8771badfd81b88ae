#pragma once

#include <cstdint>

#include "render/canvas.h"
#include "render/geometry.h"
#include "skin/screen_request.h"

namespace pindrel {

// The window a skin is previewed in, as the skin's button simulation sees it.
class PreviewSurface {
public:
    virtual ~PreviewSurface() = default;
    virtual Size ClientSize() const = 0;
    // Marks r as needing paint, without erasing, and paints it before returning.
    virtual void InvalidateAndRepaint(const Rect& r) = 0;
    // A button's command: its id, low 16 bits. Synchronous.
    virtual void SendCommand(uint16_t id) = 0;
};

// Where a finished preview goes: a window's paint, a PNG file.
class PaintDevice {
public:
    virtual ~PaintDevice() = default;
    // Shows the canvas composed for request at (0, 0).
    virtual void Present(const Canvas& canvas, const ScreenRequest& request) = 0;
};

// Receives the preview window's paint and mouse events.
class PreviewHandler {
public:
    virtual ~PreviewHandler() = default;
    virtual void PaintPreview(PaintDevice& dc, PreviewSurface& window) = 0;
    virtual void PreviewMouseDown(PreviewSurface& window, int32_t x, int32_t y) = 0;
    virtual void PreviewMouseUp(PreviewSurface& window, int32_t x, int32_t y) = 0;
    virtual void PreviewMouseMove(PreviewSurface& window, int32_t x, int32_t y) = 0;
};

} // namespace pindrel
