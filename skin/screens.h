#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "render/canvas.h"
#include "skin/call_type.h"
#include "skin/overlays.h"
#include "skin/sample_skin.h"

namespace pindrel {

// One screen a skin describes: an orientation under a call type.
struct Screen {
    Orientation orientation = Portrait;
    CallType callType = CallType::UnknownCaller;
    friend constexpr bool operator==(const Screen&, const Screen&) = default;
};

inline constexpr size_t kScreenCount = kOrientationCount * kCallTypes.size();

// Every screen, orientation by orientation, each in the order of kCallTypes.
inline constexpr std::array<Screen, kScreenCount> kAllScreens = [] {
    std::array<Screen, kScreenCount> screens{};
    size_t i = 0;
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        for (const CallType t : kCallTypes)
            screens[i++] = {static_cast<Orientation>(o), t};
    }
    return screens;
}();

// "ORIENTATION-CALLTYPE" in the keywords of both, for instance "landscape-photo".
std::string ScreenName(Screen screen);

// The screen at its orientation's size, with the author's overlays when asked for. Leaves the
// skin at the screen's orientation and call type.
Canvas RenderScreen(SampleSkin& skin, Screen screen, const Overlays& overlays = {});

} // namespace pindrel
