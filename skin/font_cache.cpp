#include "skin/font_cache.h"

#include <algorithm>
#include <cmath>

namespace pindrel {

int ScreenDpiY = 0;

FontCache::FontCache() = default;
FontCache::~FontCache() = default;
FontCache::FontCache(FontCache&&) noexcept = default;
FontCache& FontCache::operator=(FontCache&&) noexcept = default;

FontRequest MakeFontRequest(const FontSpec& fontSpec) {
    const int64_t dpi = ScreenDpiY > 0 ? ScreenDpiY : 96;
    // size x dpi is an integer product; only the scaling by 1/72 is floating point.
    const double em = static_cast<double>(int64_t{fontSpec.size} * dpi) * (1.0 / 72) + 0.5;
    // Truncated toward zero and negated: a character height. A negative size thus asks for a
    // cell height, and 0 for the default, as the platform reads them.
    const double limit = kMaxFontPixels;
    const auto pixels = static_cast<int32_t>(std::trunc(std::clamp(em, -limit, limit)));
    FontRequest request;
    request.face = fontSpec.face.substr(0, kMaxFaceNameBytes);
    request.height = -pixels;
    request.weight = fontSpec.bold ? 700 : 400;
    request.italic = fontSpec.italic != 0;
    return request;
}

Font& FontCache::GetFont(const FontSpec& fontSpec) {
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == fontSpec) return *fonts[i];
    }
    fonts.push_back(CreateFont(MakeFontRequest(fontSpec)));
    keys.push_back(fontSpec);
    return *fonts.back();
}

} // namespace pindrel
