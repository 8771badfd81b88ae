#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/geometry.h"
#include "render/pixel_view.h"
#include "skin/call_type.h"
#include "skin/field_text.h"
#include "skin/font_spec.h"

namespace pindrel {

// One screen a skin describes: an orientation under a call type.
struct Screen {
    Orientation orientation = Portrait;
    CallType callType = CallType::UnknownCaller;
    friend constexpr bool operator==(const Screen&, const Screen&) = default;
};

// Everything a drawing of a skin depends on besides the skin itself.
struct ScreenRequest {
    Orientation orientation = Portrait;
    // The canvas: the orientation's screen, or the window's client area.
    Size size = kScreenSizes[0];
    CallType callType = CallType::UnknownCaller;
    // What each caller field shows, by id: the call type's texts of the caller data, the time.
    std::array<std::string, kCallerFieldNames.size()> fieldTexts;
    ConstPixelView photo; // the caller's picture; empty draws none
    // By button index: drawn with its down picture. Buttons beyond its end are up.
    std::vector<bool> heldButtons;
    std::optional<Rect> alignRect;
    bool colorKeys = true; // transparent colours key out; off, every picture is drawn opaque
    int32_t dpi = kDefaultDpi;

    bool Held(size_t button) const { return button < heldButtons.size() && heldButtons[button]; }
};

// The texts of the nine caller fields under call type t.
std::array<std::string, kCallerFieldNames.size()> FieldTexts(CallType t, const CallerInfo& info,
                                                             std::string_view timeText);

// A screen of sample data at its orientation's size, with no buttons held and no align rectangle.
ScreenRequest SampleRequest(Screen screen, const CallerInfo& info, std::string_view timeText,
                            ConstPixelView photo, int32_t dpi);

} // namespace pindrel
