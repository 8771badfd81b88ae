#pragma once

#include <cstdint>
#include <string>

#include "render/color.h"

namespace pindrel {

// Font sizes in points become pixels at this resolution unless a screen asks for another.
inline constexpr int32_t kDefaultDpi = 96;

// The look of one label field.
struct FontSpec {
    std::string face = "Tahoma";
    int32_t size = 9; // points
    bool bold = false;
    bool italic = false;
    Color color; // black
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

} // namespace pindrel
