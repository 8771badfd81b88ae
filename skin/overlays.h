#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/color.h"
#include "skin/call_type.h"
#include "skin/font_cache.h"
#include "skin/screen_request.h"
#include "skin/skin_model.h"

namespace pindrel {

// What is drawn over a screen for its author's eyes only, and never into the screen itself.
struct Overlays {
    // Every element's rectangle in the orientation shown, a ring on its boundary pixels in the
    // colour of its kind; dashed where the call type hides it.
    bool outlines = false;
    // Pixels a transparent colour keyed out, tinted; elements whose transparent colour cannot
    // act, because they are drawn resized, hatched.
    bool keys = false;
    bool Any() const { return outlines || keys; }
    friend bool operator==(const Overlays&, const Overlays&) = default;
};

inline constexpr Color kBackgroundImageOutline = Color::FromRgb(255, 255, 0);
inline constexpr Color kImageOutline = Color::FromRgb(0, 230, 0);
inline constexpr Color kButtonOutline = Color::FromRgb(255, 128, 0);
inline constexpr Color kPhotoOutline = Color::FromRgb(0, 255, 255);
inline constexpr Color kLabelOutline = Color::FromRgb(255, 0, 255);
inline constexpr Color kKeyTint = Color::FromRgb(255, 0, 255);
inline constexpr Color kKeyHatch = Color::FromRgb(255, 64, 0);
// Pixels drawn and left out along a dashed outline.
inline constexpr int32_t kOutlineDash = 3;

// Draws the overlays on a copy of a composed screen: canvas is skin's screen as drawn for
// request, unkeyed the same drawn with colour keys off (for keys only): where the two differ, a
// keyed-out pixel lets what lies beneath show.
void DrawOverlays(PixelView canvas, const SkinModel& skin, const ScreenRequest& request,
                  const Overlays& which, ConstPixelView unkeyed = {});

// The same, drawing the unkeyed screen itself when the keys are asked for.
void DrawOverlaysOn(PixelView canvas, const SkinModel& skin, const ScreenRequest& request,
                    FontCache& fonts, const Overlays& which);

// skin's screen for request, with the overlays over it when any are asked for.
Canvas DrawScreenOverlaid(const SkinModel& skin, const ScreenRequest& request, FontCache& fonts,
                          const Overlays& which);

// The header lines of the elements wholly off the screen (or empty) in an orientation.
std::vector<int32_t> OffScreenElementLines(const SkinModel& skin, Orientation orientation,
                                           Size screen);

// "outlines", "keys" or both as "outlines,keys"; nothing for anything else.
std::optional<Overlays> ParseOverlays(std::string_view text);

} // namespace pindrel
