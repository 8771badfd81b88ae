#include "skin/mockup_pixels.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "render/picture_flatten.h"
#include "skin/mockup_import.h"

namespace pindrel {

namespace {

uint32_t Pack(const uint8_t* p) {
    return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

// Packed colours blended channel by channel, as the converter blends.
uint32_t Over(uint32_t c, uint32_t a, uint32_t b) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= uint32_t{BlendOver((c >> shift) & 0xFF, a, (b >> shift) & 0xFF)} << shift;
    return out;
}

void Store(PixelView view, int32_t x, int32_t y, uint32_t rgb) {
    uint8_t* d = view.Row(y) + static_cast<size_t>(x) * 3;
    d[0] = static_cast<uint8_t>(rgb);
    d[1] = static_cast<uint8_t>(rgb >> 8);
    d[2] = static_cast<uint8_t>(rgb >> 16);
}

} // namespace

const uint8_t* PlacedLayer::PixelAt(int32_t x, int32_t y) const {
    const RgbaPicture& p = layer->picture;
    const int64_t px = int64_t{x} - layer->x, py = int64_t{y} - layer->y;
    if (px < 0 || py < 0 || px >= p.width || py >= p.height) return nullptr;
    return p.Pixel(static_cast<int32_t>(px), static_cast<int32_t>(py));
}

uint8_t PlacedLayer::AlphaAt(int32_t x, int32_t y) const {
    const uint8_t* p = PixelAt(x, y);
    return p ? CombineAlpha(p[3], opacity) : 0;
}

Rect PlacedLayer::Bounds(Size canvas) const {
    const RgbaPicture& p = layer->picture;
    const int32_t x0 = static_cast<int32_t>(std::max<int64_t>(0, layer->x));
    const int32_t y0 = static_cast<int32_t>(std::max<int64_t>(0, layer->y));
    const int32_t x1 =
        static_cast<int32_t>(std::min<int64_t>(canvas.width, int64_t{layer->x} + p.width));
    const int32_t y1 =
        static_cast<int32_t>(std::min<int64_t>(canvas.height, int64_t{layer->y} + p.height));
    Rect r{x1, y1, x0, y0};
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            if (AlphaAt(x, y) == 0) continue;
            r.left = std::min(r.left, x);
            r.right = std::max(r.right, x + 1);
            r.top = std::min(r.top, y);
            r.bottom = std::max(r.bottom, y + 1);
        }
    }
    return r.IsEmpty() ? Rect{} : r;
}

Backdrop MakeBackdrop(Size canvas, const PlacedLayer* background) {
    Backdrop b;
    b.width = canvas.width;
    b.height = canvas.height;
    b.rgb.assign(static_cast<size_t>(canvas.width) * static_cast<size_t>(canvas.height), 0xFFFFFF);
    if (!background) return b;
    for (int32_t y = 0; y < canvas.height; ++y) {
        for (int32_t x = 0; x < canvas.width; ++x) {
            const uint8_t* p = background->PixelAt(x, y);
            if (!p) continue;
            uint32_t& d = b.rgb[static_cast<size_t>(y) * static_cast<size_t>(b.width) +
                                static_cast<size_t>(x)];
            d = Over(Pack(p), CombineAlpha(p[3], background->opacity), d);
        }
    }
    return b;
}

Composed Compose(const PlacedLayer& layer, const Rect& r, const Backdrop& backdrop) {
    Composed c;
    c.rect = r;
    c.rgb.reserve(static_cast<size_t>(r.Width()) * static_cast<size_t>(r.Height()));
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            const uint8_t* p = layer.PixelAt(x, y);
            const uint32_t a = p ? CombineAlpha(p[3], layer.opacity) : 0;
            if (a == 0) {
                c.rgb.push_back(kClear);
                c.anyClear = true;
            } else {
                c.rgb.push_back(a == 255 ? Pack(p) : Over(Pack(p), a, backdrop.At(x, y)));
            }
        }
    }
    return c;
}

Color ChooseKey(std::span<const Composed* const> pictures) {
    std::unordered_set<uint32_t> used;
    for (const Composed* c : pictures) {
        for (const uint32_t v : c->rgb) {
            if (v != kClear) used.insert(v);
        }
    }
    uint32_t key =
        (uint32_t{kMockupKey.R()} << 16) | (uint32_t{kMockupKey.G()} << 8) | kMockupKey.B();
    // A picture of n pixels rules out at most n colours.
    while (used.count(key) != 0)
        key = (key + 1) & 0xFFFFFF;
    return Color::FromRgb(static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8),
                          static_cast<uint8_t>(key));
}

DibImage ToPicture(const Composed& composed, Color key) {
    const Rect& r = composed.rect;
    DibImage image = *DibImage::Create(r.Width(), r.Height());
    const PixelView view = image.MutableView();
    const uint32_t k = (uint32_t{key.R()} << 16) | (uint32_t{key.G()} << 8) | key.B();
    size_t i = 0;
    for (int32_t y = 0; y < view.height; ++y) {
        for (int32_t x = 0; x < view.width; ++x, ++i) {
            const uint32_t v = composed.rgb[i];
            Store(view, x, y, v == kClear ? k : v);
        }
    }
    return image;
}

DibImage BackdropPicture(const Backdrop& backdrop, const Rect& r) {
    DibImage image = *DibImage::Create(r.Width(), r.Height());
    const PixelView view = image.MutableView();
    for (int32_t y = 0; y < view.height; ++y) {
        for (int32_t x = 0; x < view.width; ++x)
            Store(view, x, y, backdrop.At(r.left + x, r.top + y));
    }
    return image;
}

std::optional<Color> CommonOpaqueColor(const PlacedLayer& layer, const Rect& r) {
    std::unordered_map<uint32_t, size_t> counts;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            const uint8_t* p = layer.PixelAt(x, y);
            if (p && CombineAlpha(p[3], layer.opacity) == 255) ++counts[Pack(p)];
        }
    }
    if (counts.empty()) return std::nullopt;
    // The smallest value among the most frequent, so that the answer does not depend on the
    // map's order.
    uint32_t v = 0;
    size_t most = 0;
    for (const auto& [value, count] : counts) {
        if (count > most || (count == most && value < v)) {
            v = value;
            most = count;
        }
    }
    return Color::FromRgb(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v));
}

} // namespace pindrel
