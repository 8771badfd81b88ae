#pragma once

#include <memory>
#include <vector>

#include "render/font.h"
#include "skin/font_spec.h"

namespace pindrel {

// The screen's vertical dots per inch for font heights: 0 until a front end sets it.
extern int ScreenDpiY;

// Fonts made for label fields, one per distinct FontSpec (colour included), kept for the owning
// skin's whole life. Grows only at the end; lookup is a linear walk.
class FontCache {
public:
    FontCache();
    ~FontCache();
    FontCache(FontCache&&) noexcept;
    FontCache& operator=(FontCache&&) noexcept;

    // The font for fontSpec, made on first use. Owned by the cache.
    Font& GetFont(const FontSpec& fontSpec);
    size_t Count() const { return keys.size(); }

    std::vector<FontSpec> keys;
    std::vector<std::unique_ptr<Font>> fonts; // parallel to keys
};

// What a FontSpec asks of the font engine: the em height from points and ScreenDpiY (96 when
// unset), weight 700 or 400, the face cut to 31 characters.
FontRequest MakeFontRequest(const FontSpec& fontSpec);

} // namespace pindrel
