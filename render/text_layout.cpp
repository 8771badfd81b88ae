#include "render/text_layout.h"

#include <limits>

#include "render/text_decode.h"

namespace pindrel {

namespace {

// Lays out one paragraph, the bytes between two line ends, and returns its line count (at least
// one: an empty paragraph is an empty line).
size_t BreakParagraph(Font& font, std::string_view text, size_t begin, size_t end, int64_t width,
                      std::vector<TextLine>* lines) {
    const int64_t spaceAdvance = font.GetGlyph(U' ').advance;
    size_t count = 0;
    const auto emit = [&](size_t b, size_t e, int64_t w) {
        ++count;
        if (lines) lines->push_back({b, e, w});
    };

    size_t lineBegin = begin;
    size_t lineEnd = begin;
    int64_t lineWidth = 0;
    bool hasWord = false;
    size_t p = begin;
    while (p < end) {
        int64_t spaceWidth = 0;
        for (; p < end && text[p] == ' '; ++p)
            spaceWidth += spaceAdvance;
        if (p == end) {
            // Spaces closing the paragraph stay on its last line only while they fit; past the
            // edge they are a break with nothing after it.
            if (!hasWord || lineWidth + spaceWidth <= width) {
                lineEnd = p;
                lineWidth += spaceWidth;
            }
            break;
        }
        const size_t wordBegin = p;
        int64_t wordWidth = 0;
        while (p < end && text[p] != ' ') {
            const DecodedChar d = DecodeChar(text, p);
            wordWidth += font.GetGlyph(d.codepoint).advance;
            p += d.length;
        }
        if (hasWord && lineWidth + spaceWidth + wordWidth > width) {
            emit(lineBegin, lineEnd, lineWidth);
            lineBegin = wordBegin;
            lineWidth = wordWidth;
        } else {
            lineWidth += spaceWidth + wordWidth;
        }
        hasWord = true;
        lineEnd = p;
    }
    emit(lineBegin, lineEnd, lineWidth);
    return count;
}

} // namespace

size_t LayoutText(Font& font, std::string_view text, int32_t width, std::vector<TextLine>* lines) {
    text = text.substr(0, text.find('\0'));
    size_t count = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t paragraphEnd = text.find_first_of("\r\n", pos);
        if (paragraphEnd == std::string_view::npos) paragraphEnd = text.size();
        count += BreakParagraph(font, text, pos, paragraphEnd, width, lines);
        pos = paragraphEnd;
        if (pos < text.size()) {
            const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
            pos += crlf ? 2 : 1;
        }
    }
    return count;
}

int32_t TextHeight(size_t lines, int32_t lineHeight) {
    constexpr auto kMax = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    if (lineHeight <= 0) return 0;
    const auto h = static_cast<uint64_t>(lineHeight);
    if (lines > kMax / h) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(lines * h);
}

int32_t MeasureText(Font& font, std::string_view text, int32_t width) {
    return TextHeight(LayoutText(font, text, width), font.Height());
}

} // namespace pindrel
