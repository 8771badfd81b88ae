#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "render/canvas.h"
#include "skin/call_type.h"
#include "skin/overlays.h"
#include "skin/sample_skin.h"
#include "skin/screen_request.h"

namespace pindrel {

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

// The screen of the skin's sample data at its orientation's size, with the author's overlays when
// asked for. Changes nothing but the skin's font cache.
Canvas RenderScreen(SampleSkin& skin, Screen screen, const Overlays& overlays = {});

} // namespace pindrel
