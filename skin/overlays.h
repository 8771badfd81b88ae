#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/color.h"
#include "skin/call_type.h"

namespace pindrel {

class Skin;

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

// The same screen drawn with every transparent colour ignored: where it differs from the screen,
// a keyed-out pixel lets what lies beneath show.
Canvas RenderUnkeyed(Skin& skin, Size size);

// Draws the overlays on a copy of a composed screen: canvas is the screen of skin's orientation
// as drawn under call type t, unkeyed the same without transparent colours (for keys only).
void DrawOverlays(PixelView canvas, const Skin& skin, CallType t, const Overlays& which,
                  ConstPixelView unkeyed = {});

// skin's screen at size, with the overlays over it when any are asked for.
Canvas RenderOverlaid(Skin& skin, Size size, const Overlays& which);

// The header lines of the elements wholly off the screen (or empty) in skin's orientation.
std::vector<int32_t> OffScreenElementLines(const Skin& skin, Size screen);

// "outlines", "keys" or both as "outlines,keys"; nothing for anything else.
std::optional<Overlays> ParseOverlays(std::string_view text);

} // namespace pindrel
