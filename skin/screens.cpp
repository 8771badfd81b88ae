#include "skin/screens.h"

namespace pindrel {

namespace {

size_t CallTypeIndex(CallType t) {
    for (size_t i = 0; i < kCallTypes.size(); ++i) {
        if (kCallTypes[i] == t) return i;
    }
    return 0;
}

} // namespace

std::string ScreenName(Screen screen) {
    const auto o = static_cast<size_t>(screen.orientation);
    std::string name(kOrientationKeywords[o < kOrientationKeywords.size() ? o : 0]);
    name += '-';
    name += kCallTypeKeywords[CallTypeIndex(screen.callType)];
    return name;
}

Canvas RenderScreen(SampleSkin& skin, Screen screen, const Overlays& overlays) {
    skin.SetOrientation(screen.orientation);
    skin.callType = screen.callType;
    return RenderOverlaid(skin, kScreenSizes[static_cast<size_t>(screen.orientation)], overlays);
}

} // namespace pindrel
