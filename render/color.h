#pragma once

#include <cstdint>

namespace pindrel {

// A 24-bit colour stored as 0x00BBGGRR: red in the low byte, as skins and the platform use it.
class Color {
public:
    constexpr Color() = default;
    constexpr explicit Color(uint32_t bbggrr) : value_(bbggrr & 0xFFFFFFu) {}
    static constexpr Color FromRgb(uint8_t r, uint8_t g, uint8_t b) {
        return Color(uint32_t{r} | (uint32_t{g} << 8) | (uint32_t{b} << 16));
    }
    constexpr uint8_t R() const { return static_cast<uint8_t>(value_); }
    constexpr uint8_t G() const { return static_cast<uint8_t>(value_ >> 8); }
    constexpr uint8_t B() const { return static_cast<uint8_t>(value_ >> 16); }
    constexpr uint32_t Value() const { return value_; }
    friend constexpr bool operator==(Color, Color) = default;

private:
    uint32_t value_ = 0;
};

inline constexpr Color kWhite = Color(0xFFFFFF);
inline constexpr Color kBlack = Color(0);

} // namespace pindrel
