#pragma once

#include <cstdint>
#include <string>

#include "render/color.h"

namespace pindrel {

// The look of one label field.
struct FontSpec {
    std::string face = "Tahoma";
    int32_t size = 9; // points
    int32_t bold = 0;
    int32_t italic = 0;
    Color color; // black
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

} // namespace pindrel
