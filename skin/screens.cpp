#include "skin/screens.h"

namespace pindrel {

std::string ScreenName(Screen screen) {
    const auto o = static_cast<size_t>(screen.orientation);
    std::string name(kOrientationKeywords[o < kOrientationKeywords.size() ? o : 0]);
    name += '-';
    name += kCallTypeKeywords[CallTypeIndex(screen.callType)];
    return name;
}

Canvas RenderScreen(SampleSkin& skin, Screen screen, const Overlays& overlays) {
    return DrawScreenOverlaid(skin, skin.Request(screen), skin.fontCache, overlays);
}

} // namespace pindrel
