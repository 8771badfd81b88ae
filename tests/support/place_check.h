#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "render/geometry.h"
#include "skin/skin.h"
#include "skin/skin_edit.h"

namespace pindrel::test {

// What tells `after` from `before` with the element's rectangle in that orientation set to rect;
// empty when nothing does. Every element's data counts except the lines of section headers,
// which inserted lines shift.
std::string ModelDifference(const Skin& before, const Skin& after, const PlacedElement& element,
                            int32_t orientation, const Rect& rect);

// What tells `after` from `before` other than rewritten or inserted position and size lines of
// section `section` (its index in the file; -1 for a "Photo Rect" section added at the end) and
// the single line breaks of inserted lines; empty when nothing does. Every other line, and every
// run of line breaks, must stay byte for byte.
std::string LineDifference(std::span<const uint8_t> before, std::span<const uint8_t> after,
                           int32_t section);

// The rectangle that a placement asks of the element: a width or height of 0 is the picture's
// own for images and buttons.
Rect PlacedRect(const Skin& skin, const PlacedElement& element, const Placement& placement);

// Both checks for one edit, `after` being loaded from afterBytes and `before` from beforeBytes.
std::string PlaceDifference(std::span<const uint8_t> beforeBytes, const Skin& before,
                            std::span<const uint8_t> afterBytes, const Skin& after,
                            const PlacedElement& element, const Placement& placement);

} // namespace pindrel::test
