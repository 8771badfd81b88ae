#pragma once

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/font.h"
#include "skin/font_spec.h"

namespace pindrel {

// The screen's vertical dots per inch, read once by the designer for its previews: 0 until then.
extern int ScreenDpiY;

// Fonts a cache holds at most. A skin can name any number of faces and sizes, and each font
// takes memory for its face and glyphs; skins for a 320-pixel screen use a handful.
inline constexpr size_t kMaxCachedFonts = 64;

// Fonts made for label fields, one entry per distinct FontSpec (colour included) and resolution,
// kept for the owning skin's whole life. Entries that ask the same of the font engine (they differ
// only in colour, or their sizes come to the same pixel height) share one font. A cache that would
// make more than kMaxCachedFonts fonts drops every entry first and starts afresh.
class FontCache {
public:
    FontCache();
    ~FontCache();
    FontCache(FontCache&&) noexcept;
    FontCache& operator=(FontCache&&) noexcept;

    // The font for fontSpec at dpi dots per inch (96 for 0 or less), made on first use. Owned by
    // the cache; valid until the next call.
    Font& GetFont(const FontSpec& fontSpec, int32_t dpi);
    // Entries, one per distinct FontSpec.
    size_t Count() const { return index_.size(); }
    // Fonts made, at most kMaxCachedFonts.
    size_t FontCount() const { return fonts_.size(); }
    // The files of every font made so far, dropped ones included, sorted and without repeats:
    // what the pictures drawn with this cache depend on. Fonts without a file are left out.
    std::vector<std::string> FontFiles() const { return {files_.begin(), files_.end()}; }

private:
    struct Key {
        FontSpec fontSpec;
        int32_t dpi = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    struct RequestHash {
        size_t operator()(const FontRequest& request) const;
    };

    std::unordered_map<Key, Font*, KeyHash> index_; // into fonts_
    std::unordered_map<FontRequest, std::unique_ptr<Font>, RequestHash> fonts_;
    std::set<std::string> files_;
};

// What a FontSpec asks of the font engine at dpi dots per inch (96 for 0 or less): the em height
// from points, weight 700 or 400, the face cut to 31 characters.
FontRequest MakeFontRequest(const FontSpec& fontSpec, int32_t dpi);

} // namespace pindrel
