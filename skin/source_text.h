#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pindrel {

// A skin file's bytes as text to read and edit: each line end (CR LF, CR or LF) becomes one
// '\n', every other byte sequence the character it stands for (UTF-8 where well-formed, else a
// byte's Windows-1252 character).
struct SourceText {
    std::u32string text;
    // Where the bytes of each character of text start, and one more entry: the end.
    std::vector<size_t> offsets;
};

SourceText DecodeSource(std::span<const uint8_t> bytes);

// The bytes of `edited`, a change of decoded (the decoding of bytes): the characters it keeps at
// its start and at its end keep their bytes exactly, line ends and stray bytes included; what
// lies between is written as UTF-8, each '\n' as the line end the file uses first (LF when it
// has none). Unchanged text gives the same bytes.
std::vector<uint8_t> EncodeEditedSource(std::span<const uint8_t> bytes, const SourceText& decoded,
                                        std::u32string_view edited);

} // namespace pindrel
