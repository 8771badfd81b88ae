#include "skin/font_cache.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace pindrel {

int ScreenDpiY = 0;

FontCache::FontCache() = default;
FontCache::~FontCache() = default;
FontCache::FontCache(FontCache&&) noexcept = default;
FontCache& FontCache::operator=(FontCache&&) noexcept = default;

FontRequest MakeFontRequest(const FontSpec& fontSpec, int32_t dpi) {
    if (dpi <= 0) dpi = kDefaultDpi;
    // size x dpi is an integer product; only the scaling by 1/72 is floating point.
    const double em = static_cast<double>(int64_t{fontSpec.size} * int64_t{dpi}) * (1.0 / 72) + 0.5;
    // Truncated toward zero and negated: a character height. A negative size thus asks for a
    // cell height, and 0 for the default, as the platform reads them.
    const double limit = kMaxFontPixels;
    const auto pixels = static_cast<int32_t>(std::trunc(std::clamp(em, -limit, limit)));
    FontRequest request;
    request.face = fontSpec.face.substr(0, kMaxFaceNameBytes);
    request.height = -pixels;
    request.weight = fontSpec.bold ? 700 : 400;
    request.italic = fontSpec.italic;
    return request;
}

size_t FontCache::KeyHash::operator()(const Key& key) const {
    const FontSpec& f = key.fontSpec;
    size_t h = std::hash<std::string>()(f.face);
    for (const uint32_t v :
         {static_cast<uint32_t>(f.size), static_cast<uint32_t>(f.bold),
          static_cast<uint32_t>(f.italic), f.color.Value(), static_cast<uint32_t>(key.dpi)})
        h = h * 31 + v;
    return h;
}

size_t FontCache::RequestHash::operator()(const FontRequest& r) const {
    size_t h = std::hash<std::string>()(r.face);
    for (const uint32_t v : {static_cast<uint32_t>(r.height), static_cast<uint32_t>(r.weight),
                             static_cast<uint32_t>(r.italic)})
        h = h * 31 + v;
    return h;
}

Font& FontCache::GetFont(const FontSpec& fontSpec, int32_t dpi) {
    Key key{fontSpec, dpi > 0 ? dpi : kDefaultDpi};
    if (const auto it = index_.find(key); it != index_.end()) return *it->second;
    FontRequest request = MakeFontRequest(fontSpec, key.dpi);
    auto made = fonts_.find(request);
    if (made == fonts_.end()) {
        if (fonts_.size() >= kMaxCachedFonts) {
            index_.clear();
            fonts_.clear();
        }
        std::unique_ptr<Font> font = CreateFont(request);
        if (!font->Path().empty()) files_.insert(font->Path());
        made = fonts_.emplace(std::move(request), std::move(font)).first;
    }
    Font& font = *made->second;
    index_.emplace(std::move(key), &font);
    return font;
}

} // namespace pindrel
