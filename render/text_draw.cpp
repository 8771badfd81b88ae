#include "render/text_draw.h"

#include <algorithm>
#include <vector>

#include "render/text_decode.h"
#include "render/text_layout.h"

namespace pindrel {

namespace {

// Blends one glyph with its bitmap's top-left corner at (x, y), inside clip only.
void BlendGlyph(PixelView target, const Glyph& g, int64_t x, int64_t y, const Rect& clip,
                Color color) {
    const int64_t x0 = std::max<int64_t>(x, clip.left);
    const int64_t y0 = std::max<int64_t>(y, clip.top);
    const int64_t x1 = std::min<int64_t>(x + g.width, clip.right);
    const int64_t y1 = std::min<int64_t>(y + g.height, clip.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    const unsigned sb = color.B(), sg = color.G(), sr = color.R();
    for (int64_t py = y0; py < y1; ++py) {
        const uint8_t* cov = g.coverage.data() + (py - y) * g.width + (x0 - x);
        uint8_t* d = target.Row(static_cast<int32_t>(py)) + x0 * 3;
        for (int64_t px = x0; px < x1; ++px, ++cov, d += 3) {
            const unsigned a = *cov;
            if (a == 0) continue;
            if (a == 255) {
                d[0] = static_cast<uint8_t>(sb);
                d[1] = static_cast<uint8_t>(sg);
                d[2] = static_cast<uint8_t>(sr);
                continue;
            }
            const unsigned na = 255 - a;
            d[0] = static_cast<uint8_t>((sb * a + d[0] * na + 127) / 255);
            d[1] = static_cast<uint8_t>((sg * a + d[1] * na + 127) / 255);
            d[2] = static_cast<uint8_t>((sr * a + d[2] * na + 127) / 255);
        }
    }
}

void DrawLine(PixelView target, Font& font, std::string_view text, int64_t penX, int64_t baseline,
              const Rect& clip, Color color) {
    const int64_t inkLeft = font.GetMetrics().inkLeft;
    for (size_t p = 0; p < text.size();) {
        // Advances never go backwards, so nothing further along can reach into the clip.
        if (penX - inkLeft >= clip.right) break;
        const DecodedChar d = DecodeChar(text, p);
        p += d.length;
        const Glyph& g = font.GetGlyph(d.codepoint);
        if (!g.coverage.empty())
            BlendGlyph(target, g, penX + g.left, baseline - g.top, clip, color);
        penX += g.advance;
    }
}

} // namespace

int32_t DrawText(PixelView target, Font& font, std::string_view text, const Rect& rect,
                 TextFormat format, Color color) {
    // Reused between calls: labels are drawn many times a frame.
    thread_local std::vector<TextLine> lines;
    lines.clear();
    if (lines.capacity() > 4096) lines.shrink_to_fit();
    const int32_t width = rect.Width();
    const int32_t height = TextHeight(LayoutText(font, text, width, &lines), font.Height());

    const Rect bounds{0, 0, target.width, target.height};
    Rect clip;
    if (target.Empty()) return height;
    if (format.noClip) {
        clip = bounds;
    } else if (!IntersectRect(rect, bounds, &clip)) {
        return height;
    }

    const Font::Metrics& m = font.GetMetrics();
    const int64_t lineHeight = font.Height();
    for (size_t i = 0; i < lines.size(); ++i) {
        const int64_t top = rect.top + static_cast<int64_t>(i) * lineHeight;
        if (top - m.inkAbove >= clip.bottom) break;
        if (top + lineHeight + m.inkBelow <= clip.top) continue;
        const TextLine& line = lines[i];
        int64_t x = rect.left;
        if (format.align == TextAlign::Center) x += (int64_t{width} - line.width) / 2;
        if (format.align == TextAlign::Right) x = int64_t{rect.right} - line.width;
        DrawLine(target, font, text.substr(line.begin, line.end - line.begin), x, top + m.ascent,
                 clip, color);
    }
    return height;
}

} // namespace pindrel
