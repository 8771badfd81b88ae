#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pindrel {

// What a label asks of a font, in the platform's terms: height < 0 asks for a character (em)
// height of -height pixels, height > 0 for a cell height (ascent + descent), 0 for a default.
struct FontRequest {
    std::string face;
    int32_t height = 0;
    int32_t weight = 400; // 700 for bold
    bool italic = false;
};

class Font; // defined with the text engine
std::unique_ptr<Font> CreateFont(const FontRequest& request);

} // namespace pindrel
