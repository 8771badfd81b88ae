#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pindrel {

// The line ending a skin file uses: its first line's, CR LF when it has no line end yet.
std::string_view SkinNewline(std::span<const uint8_t> bytes);

// The skin file with whole sections added at its end, every byte before them kept: a last line
// without its end gets one, and a blank line stands before the new sections. A stand-in for the
// editing engine's own adding of sections, which it should give way to.
std::vector<uint8_t> AppendSections(std::span<const uint8_t> bytes, std::string_view sections);

} // namespace pindrel
