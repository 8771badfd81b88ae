#include "app/align_helper.h"

#include <algorithm>
#include <limits>

#include "skin/call_type.h"
#include "skin/skin_format.h"

namespace pindrel {

int32_t ReadAlignValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

AlignWrite SnapAlign(AlignAction action, Size screen, const AlignValues& v) {
    // Differences wrap like the 32-bit arithmetic the values are typed for; halving truncates
    // toward zero, so (240 - 301) / 2 is -30.
    switch (action) {
    case AlignAction::Left:
        return {true, 0};
    case AlignAction::Top:
        return {false, 0};
    case AlignAction::Right:
        return {true, WrapSub(screen.width, v.xSize)};
    case AlignAction::CentreHorizontally:
        return {true, WrapSub(screen.width, v.xSize) / 2};
    case AlignAction::Bottom:
        return {false, WrapSub(screen.height, v.ySize)};
    case AlignAction::CentreVertically:
        return {false, WrapSub(screen.height, v.ySize) / 2};
    }
    return {};
}

Rect AlignRectangle(const AlignValues& v) {
    return Rect::FromXYWH(v.xPos, v.yPos, v.xSize, v.ySize);
}

int32_t StepUpDown(int32_t value, int32_t delta, int32_t min, int32_t max) {
    const int64_t stepped = int64_t{value} + delta;
    return static_cast<int32_t>(std::clamp<int64_t>(stepped, min, std::max(min, max)));
}

std::string FormatAlignValue(int32_t value) {
    return std::to_string(value);
}

std::string AlignKeysText(int32_t orientation, const AlignValues& v) {
    const size_t o =
        orientation >= 0 && orientation < kOrientationCount ? static_cast<size_t>(orientation) : 0;
    const auto pair = [](int32_t a, int32_t b) {
        return FormatAlignValue(a) + ',' + FormatAlignValue(b);
    };
    return std::string(kPosKeys[o]) + '=' + pair(v.xPos, v.yPos) + '\n' +
           std::string(kSizeKeys[o]) + '=' + pair(v.xSize, v.ySize);
}

} // namespace pindrel
