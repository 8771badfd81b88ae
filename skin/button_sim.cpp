#include "skin/skin.h"

namespace pindrel {

// The call-type mask is not consulted: a hidden button still takes presses.
bool Skin::HitTest(const SkinButton& button, Point p) const {
    return button.loaded && button.rects[static_cast<size_t>(orientation)].Contains(p);
}

void Skin::HandleMouseDown(PreviewSurface& window, Point p) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        SkinButton& b = buttons[i];
        if (!HitTest(b, p)) continue;
        if (b.pressed) return;
        if (b.firesOnPress) {
            window.SendCommand(static_cast<uint16_t>(b.id));
        } else {
            b.tracking = true;
        }
        // The command may have reloaded the skin under us.
        if (i < buttons.size()) {
            buttons[i].pressed = true;
            RedrawButton(static_cast<int32_t>(i), window);
        }
        return;
    }
}

void Skin::HandleMouseUp(PreviewSurface& window, Point p) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        SkinButton& b = buttons[i];
        if (b.pressed && !b.firesOnPress) {
            if (HitTest(b, p)) window.SendCommand(static_cast<uint16_t>(b.id));
            if (i >= buttons.size()) return;
            buttons[i].pressed = false;
            RedrawButton(static_cast<int32_t>(i), window);
        }
        if (i < buttons.size()) buttons[i].tracking = false;
    }
}

void Skin::HandleMouseMove(PreviewSurface& window, Point p) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        SkinButton& b = buttons[i];
        if (!b.tracking || b.firesOnPress) continue;
        const bool hit = HitTest(b, p);
        if (b.pressed && !hit) {
            b.pressed = false;
            RedrawButton(static_cast<int32_t>(i), window);
        } else if (!b.pressed && hit) {
            b.pressed = true;
            RedrawButton(static_cast<int32_t>(i), window);
        }
    }
}

void Skin::RedrawButton(int32_t index, PreviewSurface& window) {
    if (index < 0 || static_cast<size_t>(index) >= buttons.size()) return;
    const SkinButton& b = buttons[static_cast<size_t>(index)];
    window.InvalidateAndRepaint(b.loaded ? b.rects[static_cast<size_t>(orientation)] : Rect{});
}

} // namespace pindrel
