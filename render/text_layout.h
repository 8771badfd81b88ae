#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/font.h"

namespace pindrel {

// One line of laid-out text: the bytes text[begin, end) that it shows, and their width in pixels.
// Spaces at a wrapped break and the line-end characters belong to no line.
struct TextLine {
    size_t begin = 0;
    size_t end = 0;
    int64_t width = 0;
};

// Breaks text into lines for a rectangle `width` pixels wide:
// - CR, LF and the pair CR LF each end a line; a line end at the very end of the text adds no
//   empty line after it;
// - otherwise a line breaks at spaces, before the word that would cross the right edge; a word
//   wider than the width stays whole on a line of its own;
// - the spaces at a wrapped break are dropped, so they count neither for the line that ends
//   there nor for the next one (nor for the alignment of either);
// - the text ends at its first NUL byte, as a C string would.
// Appends the lines to *lines when it is given, and returns how many there are.
size_t LayoutText(Font& font, std::string_view text, int32_t width,
                  std::vector<TextLine>* lines = nullptr);

// The height of the word-wrapped text: lines x the font's cell height (no leading), saturated
// at INT32_MAX. Draws nothing.
int32_t MeasureText(Font& font, std::string_view text, int32_t width);

// lines x line height as a drawn or measured height, saturated at INT32_MAX.
int32_t TextHeight(size_t lines, int32_t lineHeight);

} // namespace pindrel
