// Shared by the layered-picture fuzz targets: what every read document must satisfy.
#pragma once

#include <cstdlib>

#include "render/layered_image.h"

namespace pindrel::fuzz {

inline void CheckLayers(const std::vector<Layer>& layers, size_t depth, size_t& count) {
    if (depth > kMaxLayerDepth) std::abort();
    for (const Layer& l : layers) {
        if (++count > kMaxLayers) std::abort();
        const RgbaPicture& p = l.picture;
        if (p.rgba.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height) * 4)
            std::abort();
        CheckLayers(l.children, depth + 1, count);
    }
}

// A document within the limits, whose pictures hold what their sizes say; flattening it works.
inline void CheckDocument(const LayeredResult& r) {
    if (!r.image) {
        if (r.reason.empty()) std::abort();
        return;
    }
    if (r.image->width < 1 || r.image->height < 1 || r.image->width > kMaxLayeredSide ||
        r.image->height > kMaxLayeredSide)
        std::abort();
    size_t count = 0;
    CheckLayers(r.image->layers, 0, count);
    if (static_cast<uint64_t>(r.image->width) * static_cast<uint64_t>(r.image->height) <= 1u << 20)
        FlattenLayers(*r.image);
}

} // namespace pindrel::fuzz
