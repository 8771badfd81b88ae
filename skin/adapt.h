#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/adapt_rule.h"
#include "skin/skin_edit.h"
#include "skin/skin_load.h"

namespace pindrel {

struct AdaptRequest {
    int32_t from = 0; // orientations
    int32_t to = 1;
    AdaptRule rule = AdaptRule::Anchor;
    // Every element, the background image included; or only those named.
    bool every = true;
    std::vector<PlacedElement> elements;
    bool background = false;
};

struct AdaptResult {
    bool ok = false;
    std::vector<uint8_t> bytes; // the edited skin when ok
    std::string error;
    // The elements set, each with its new rectangle in `to`; the background image's apart.
    std::vector<std::pair<PlacedElement, Rect>> placed;
    std::optional<Rect> background;
};

// The skin's text with each element's rectangle in `to` set from its rectangle in `from` by the
// rule: the background image, images, buttons, labels and the photo rectangle, or those asked
// for; labels and the photo stretch where they span the screen. Elements whose `from` rectangle is
// empty are left alone, and every element keeps what its other orientations show, as PlaceElement
// keeps it. Pictures are found as the context says, for their natural sizes.
AdaptResult AdaptSkin(std::span<const uint8_t> bytes, const LoadContext& context,
                      const AdaptRequest& request);

} // namespace pindrel
