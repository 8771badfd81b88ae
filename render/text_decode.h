#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pindrel {

// Texts are byte strings in UTF-8. A byte that does not start a well-formed UTF-8 sequence
// (overlong forms, surrogates and values above U+10FFFF are not well-formed) stands for its
// Windows-1252 character, so text written in the old single-byte code page still reads.
struct DecodedChar {
    char32_t codepoint = 0;
    uint32_t length = 1; // bytes consumed, 1 to 4
};

DecodedChar DecodeMultiByte(std::string_view text, size_t pos);

// Decodes the character that starts at text[pos]; pos must be below text.size().
inline DecodedChar DecodeChar(std::string_view text, size_t pos) {
    const auto b = static_cast<uint8_t>(text[pos]);
    if (b < 0x80) return {b, 1};
    return DecodeMultiByte(text, pos);
}

// The Windows-1252 character of a byte (bytes that code page leaves undefined map to U+0080
// to U+009F, as the platform's own conversion does).
char32_t Windows1252ToUnicode(uint8_t b);

// The text as well-formed UTF-8, each stray byte replaced by its Windows-1252 character.
std::string ToWellFormedUtf8(std::string_view text);

} // namespace pindrel
