#include "skin/adapt.h"

#include "ini/skin_ini_file.h"
#include "skin/key_values.h"
#include "skin/sample_skin.h"

namespace pindrel {

namespace {

std::vector<PlacedElement> Every(const Skin& skin) {
    std::vector<PlacedElement> all;
    for (size_t i = 0; i < skin.images.size(); ++i)
        all.push_back({PlacedKind::Image, i});
    for (size_t i = 0; i < skin.buttons.size(); ++i)
        all.push_back({PlacedKind::Button, i});
    for (size_t i = 0; i < skin.labels.size(); ++i)
        all.push_back({PlacedKind::Label, i});
    all.push_back({PlacedKind::Photo, 0});
    return all;
}

// The background picture has no element of its own to place: its keys are set here, as placing
// would set them. Orientations after `to` that take their rectangle from an earlier one get keys
// of their own first, so that they show what they showed.
bool AdaptBackground(SkinIniFile& ini, const SkinImage& bg, const AdaptRequest& request,
                     AdaptResult& result) {
    const Rect r = bg.rects[static_cast<size_t>(request.from)];
    if (r.IsEmpty() || bg.section < 0) return true;
    const Rect target =
        AdaptRect(r, kScreenSizes[static_cast<size_t>(request.from)],
                  kScreenSizes[static_cast<size_t>(request.to)], request.rule, false);
    const auto set = [&](int32_t o, const Rect& rect) {
        const auto i = static_cast<size_t>(o);
        for (const auto& [key, value] : {std::pair{kPosKeys[i], PairValue(rect.left, rect.top)},
                                         {kSizeKeys[i], PairValue(rect.Width(), rect.Height())}}) {
            EditResult r2 = SetKey(ini, bg.section, key, value);
            if (!r2.ok) {
                result.error = r2.error;
                return false;
            }
            ini = std::move(r2.file);
        }
        return true;
    };
    for (int32_t o = request.to + 1; o < kOrientationCount; ++o)
        if (bg.placedBy[static_cast<size_t>(o)] != o && !set(o, bg.rects[static_cast<size_t>(o)]))
            return false;
    if (!set(request.to, target)) return false;
    result.background = target;
    return true;
}

} // namespace

AdaptResult AdaptSkin(std::span<const uint8_t> bytes, const LoadContext& context,
                      const AdaptRequest& request) {
    AdaptResult result;
    if (request.from < 0 || request.from >= kOrientationCount || request.to < 0 ||
        request.to >= kOrientationCount) {
        result.error = "no such orientation";
        return result;
    }
    SkinIniFile ini;
    ini.Parse(bytes);
    SampleSkin skin;
    skin.Load(ini, context);
    const Size from = kScreenSizes[static_cast<size_t>(request.from)];
    const Size to = kScreenSizes[static_cast<size_t>(request.to)];
    // Every rectangle comes from the skin as it was, before any is set.
    std::vector<std::pair<PlacedElement, Placement>> plan;
    for (const PlacedElement& e : request.every ? Every(skin) : request.elements) {
        const std::optional<Placement> now = CurrentPlacement(skin, e, request.from);
        if (!now) {
            result.error = "no such element";
            return result;
        }
        const Rect r = Rect::FromXYWH(now->x, now->y, now->width, now->height);
        if (r.IsEmpty()) continue;
        const bool stretches = e.kind == PlacedKind::Label || e.kind == PlacedKind::Photo;
        const Rect target = AdaptRect(r, from, to, request.rule, stretches);
        plan.emplace_back(
            e, Placement{request.to, target.left, target.top, target.Width(), target.Height()});
        result.placed.emplace_back(e, target);
    }
    // Each element is set in the text the one before left, with that text's parse.
    for (size_t i = 0; i < plan.size(); ++i) {
        if (i > 0) skin.Load(ini, context);
        EditResult placed = PlaceElement(ini, skin, plan[i].first, plan[i].second);
        if (!placed.ok) {
            result.error = placed.error;
            result.placed.clear();
            return result;
        }
        ini = std::move(placed.file);
    }
    if ((request.every || request.background) && skin.backgroundImage.loaded) {
        if (!plan.empty()) skin.Load(ini, context);
        if (!AdaptBackground(ini, skin.backgroundImage, request, result)) return result;
    }
    result.ok = true;
    result.bytes.assign(ini.Bytes().begin(), ini.Bytes().end());
    return result;
}

} // namespace pindrel
