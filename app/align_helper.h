#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/geometry.h"

namespace pindrel {

// The range of the align helper's up-down controls.
inline constexpr int32_t kAlignStepMin = 0;
inline constexpr int32_t kAlignStepMax = 320;

// The four align values as their edits hold them.
struct AlignValues {
    int32_t xPos = 0;
    int32_t yPos = 0;
    int32_t xSize = 0;
    int32_t ySize = 0;
};

enum class AlignAction { Left, Top, CentreHorizontally, Right, CentreVertically, Bottom };

// What an align button writes: a new X pos (or, when !xPos, a new Y pos).
struct AlignWrite {
    bool xPos = true;
    int32_t value = 0;
    friend constexpr bool operator==(const AlignWrite&, const AlignWrite&) = default;
};

// An edit's text as a number: leading white space, an optional sign, then digits up to the first
// non-digit. Empty or non-numeric text reads as 0; values beyond 32 bits saturate.
int32_t ReadAlignValue(std::string_view text);

// The snap of one align button against a screen of the given size. Positions are not clamped,
// so a size larger than the screen gives a negative position.
AlignWrite SnapAlign(AlignAction action, Size screen, const AlignValues& v);

// (x, y, x + width, y + height) of the align rectangle.
Rect AlignRectangle(const AlignValues& v);

// One up-down step (delta +1 or -1) from the edit's number, kept within min..max whatever the
// edit held.
int32_t StepUpDown(int32_t value, int32_t delta, int32_t min, int32_t max);

// Plain decimal, with a minus sign when negative.
std::string FormatAlignValue(int32_t value);

// The align rectangle as the skin keys of an orientation (0..2; others count as portrait), one
// per line: "posP=70,110" and "sizeP=100,100".
std::string AlignKeysText(int32_t orientation, const AlignValues& v);

} // namespace pindrel
