#pragma once

#include <cstdint>
#include <string_view>

#include "render/color.h"
#include "render/font.h"
#include "render/geometry.h"
#include "render/pixel_view.h"

namespace pindrel {

enum class TextAlign { Left, Center, Right };

struct TextFormat {
    TextAlign align = TextAlign::Left;
    bool noClip = false; // draw beyond the rectangle too (still only on the target)
};

// Draws text word-wrapped to rect's width, as LayoutText breaks it: the first line's top at
// rect.top, each line one font cell below the last, placed against the left edge, centred or
// against the right edge. Glyphs are anti-aliased and blended in color over the pixels beneath;
// nothing else is painted. Unless format.noClip, nothing is drawn outside rect. Returns the
// height of the text, as MeasureText gives it, however much of it was visible.
int32_t DrawText(PixelView target, Font& font, std::string_view text, const Rect& rect,
                 TextFormat format, Color color);

} // namespace pindrel
