#include "render/text_decode.h"

#include <array>

namespace pindrel {

namespace {

constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(uint8_t b) {
    return (b & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

char32_t Windows1252ToUnicode(uint8_t b) {
    if (b >= 0x80 && b < 0xA0) return kCp1252High[b - 0x80];
    return b;
}

DecodedChar DecodeMultiByte(std::string_view text, size_t pos) {
    const auto lead = static_cast<uint8_t>(text[pos]);
    const DecodedChar stray{Windows1252ToUnicode(lead), 1};
    // Lead bytes C0, C1 and F5..FF never start a well-formed sequence.
    uint32_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return stray;
    }
    constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000}; // below: overlong
    const char32_t minimum = kMinimum[length];
    char32_t c = lead & (0x7Fu >> length);
    if (text.size() - pos < length) return stray;
    for (uint32_t i = 1; i < length; ++i) {
        const auto b = static_cast<uint8_t>(text[pos + i]);
        if (!IsContinuation(b)) return stray;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return stray;
    return {c, length};
}

std::string ToWellFormedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const DecodedChar d = DecodeChar(text, pos);
        AppendUtf8(out, d.codepoint);
        pos += d.length;
    }
    return out;
}

} // namespace pindrel
