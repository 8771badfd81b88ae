#include <algorithm>
#include <limits>

#include "render/text_draw.h"
#include "render/text_layout.h"
#include "skin/draw_internal.h"

namespace pindrel {

namespace {

int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

// The fields stand one below the other in list order, each in its own font and colour; an empty
// field takes no room; the block is placed as a whole by vertAlign, each line by horAlign.
void ScreenPainter::DrawLabel(const SkinLabel& label) {
    const Rect& r = RectOf(label);
    if (!ShownFor(label.type, request.callType) || label.fieldIds.empty() || r.Width() <= 0 ||
        r.Height() <= 0 || !OnCanvas(r)) {
        return;
    }
    const size_t count = std::min(label.fieldIds.size(), label.fonts.size());
    const auto textOf = [&](size_t i) -> const std::string& {
        static const std::string kNone;
        const auto id = static_cast<size_t>(label.fieldIds[i]);
        return id < request.fieldTexts.size() ? request.fieldTexts[id] : kNone;
    };

    int64_t total = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::string& text = textOf(i);
        if (text.empty()) continue;
        total += MeasureText(fonts.GetFont(label.fonts[i], request.dpi), text, r.Width());
    }

    TextFormat format;
    format.align = label.horAlign == 1   ? TextAlign::Right
                   : label.horAlign == 2 ? TextAlign::Center
                                         : TextAlign::Left;
    int64_t y = r.top;
    if (label.vertAlign == 1) {
        y = int64_t{r.bottom} - total; // may stand above the label: it is drawn there
    } else if (label.vertAlign == 2) {
        y = std::max<int64_t>(r.top + (int64_t{r.bottom} - r.top - total + 1) / 2, r.top);
    }

    for (size_t i = 0; i < count; ++i) {
        const std::string& text = textOf(i);
        if (text.empty()) continue;
        const FontSpec& fontSpec = label.fonts[i];
        // Right-aligned italics would lose their overhang at the right edge.
        format.noClip = label.horAlign == 1 && fontSpec.italic;
        const Rect box{r.left, ClampToInt32(y), r.right, r.bottom};
        y += DrawText(canvas, fonts.GetFont(fontSpec, request.dpi), text, box, format,
                      fontSpec.color);
    }
}

} // namespace pindrel
