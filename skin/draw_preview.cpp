#include "skin/draw_screen.h"
#include "skin/skin.h"

namespace pindrel {

void Skin::DrawPreview(PaintDevice& dc, const PreviewSurface& window) {
    const ScreenRequest request = PreviewRequest(window.ClientSize());
    dc.Present(DrawScreen(*this, request, fontCache), request);
}

ScreenRequest Skin::PreviewRequest(Size size) {
    ScreenRequest request;
    request.orientation = static_cast<Orientation>(orientation);
    request.size = size;
    request.callType = GetCallType(&request.photo);
    for (size_t i = 0; i < request.fieldTexts.size(); ++i)
        request.fieldTexts[i] = GetFieldText(static_cast<int32_t>(i));
    request.heldButtons.resize(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i)
        request.heldButtons[i] = buttons[i].pressed;
    if (showAlignRect) request.alignRect = alignRect;
    request.dpi = ScreenDpiY > 0 ? ScreenDpiY : kDefaultDpi;
    return request;
}

} // namespace pindrel
