#pragma once

#include <cstdint>
#include <string>

#include <optional>
#include <vector>

#include "render/geometry.h"
#include "skin/call_type.h"
#include "skin/skin_edit.h"

namespace pindrel {

class IniFile;
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

// The elements an author can place whose rectangles hold p in the skin's orientation, topmost
// first: those drawn under call type t in the order they are drawn over one another (labels,
// the photo rectangle, buttons, images), then those t hides, in the same order. Labels and the
// photo count by their rectangles.
std::vector<PlacedElement> ElementsUnder(const Skin& skin, Point p, CallType t);

// An element's rectangle in the skin's orientation; nothing when the skin has no such element.
std::optional<Rect> ElementRect(const Skin& skin, const PlacedElement& element);

// Whether the element is drawn under call type t (loaded, in its mask, a label with fields; the
// photo rectangle only for a contact with picture).
bool ShownUnder(const Skin& skin, const PlacedElement& element, CallType t);

// The section a 1-based line of the file belongs to: the last whose header stands at or before
// it; -1 before the first header.
int32_t SectionAtLine(const IniFile& file, int32_t line);

// The loaded element read from section s; nothing when none was (a section that did not load,
// or one of no element's kind).
std::optional<PlacedElement> ElementOfSection(const Skin& skin, int32_t s);

} // namespace pindrel
