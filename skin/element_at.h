#pragma once

#include <cstdint>
#include <string>

#include "render/geometry.h"
#include "skin/call_type.h"

namespace pindrel {

class Skin;

enum class ElementKind { BackgroundColor, BackgroundImage, Image, Button, Photo, Label };

struct ElementHit {
    ElementKind kind = ElementKind::BackgroundColor;
    int32_t index = -1; // into the skin's images, buttons or labels
    int32_t line = 0;   // the header line of the element's section; 0 when there is none
    friend bool operator==(const ElementHit&, const ElementHit&) = default;
};

// The topmost element whose rectangle holds p on the screen as drawn now (the skin's orientation,
// call type t): labels, then the photo, buttons and images, each kind in reverse file order, then
// the background picture, and the background colour beneath everything. Elements that are not
// drawn (not loaded, hidden under t, labels without fields or size) are passed over.
ElementHit ElementAt(const Skin& skin, Point p, CallType t);

// "Button 7 (answer_up.bmp), line 158", "Label name, phone, line 211", "Background colour"...
std::string DescribeElement(const Skin& skin, const ElementHit& hit);

} // namespace pindrel
