#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/geometry.h"

namespace pindrel {

class Skin;

// The elements whose rectangles can be edited: a loaded image, button or label (by its index
// in the skin's list), or the photo rectangle.
enum class PlacedKind { Image, Button, Label, Photo };

struct PlacedElement {
    PlacedKind kind = PlacedKind::Image;
    size_t index = 0; // into images, buttons or labels; 0 for the photo
    friend bool operator==(const PlacedElement&, const PlacedElement&) = default;
};

// A new rectangle for one element in one orientation: position and size as the skin's pos and
// size keys give them. For images and buttons a width or height of 0 means the picture's own.
struct Placement {
    int32_t orientation = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
};

struct PlaceResult {
    bool ok = false;
    std::vector<uint8_t> bytes; // the edited file when ok
    std::string error;          // why not, when not ok
};

// Rewrites a skin file's bytes so that loading them gives `loaded` with exactly that element's
// rectangle in that orientation changed; every other element and orientation stays as it was
// (later orientations that took the edited one's rectangle get keys of their own). Only the
// values of the keys that count change, each as little as it must: comments, spacing, order,
// line ends, other bytes and the other sections of a name stay. A missing key is inserted after
// its section's last entry line; a missing "Photo Rect" section is added at the end. A request
// equal to the current rectangle gives the same bytes. `loaded` is the skin as loaded from
// exactly these bytes; fails when the element is not one of its loaded elements.
PlaceResult PlaceElement(std::span<const uint8_t> bytes, const Skin& loaded,
                         const PlacedElement& element, const Placement& placement);

// The element's rectangle in an orientation, as Placement (x, y, width, height); nothing when
// the skin has no such element.
std::optional<Placement> CurrentPlacement(const Skin& loaded, const PlacedElement& element,
                                          int32_t orientation);

} // namespace pindrel
