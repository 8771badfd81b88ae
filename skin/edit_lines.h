#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "skin/value_edit.h"

namespace pindrel {

class SkinIniFile;

// Where lines and sections stand in a skin file's bytes, for the editing engine. A line ends at
// its line break: CR LF, or a lone CR or LF; the last line may have none.

constexpr bool IsLineBreak(uint8_t c) {
    return c == '\r' || c == '\n';
}
// The line break at p: CR LF, CR or LF.
std::string_view BreakAt(std::span<const uint8_t> bytes, size_t p);
// The last line break before p, as the file writes it there; LF in a file of one line.
std::string_view BreakBefore(std::span<const uint8_t> bytes, size_t p);
// Where the line holding offset p starts.
size_t LineStart(std::span<const uint8_t> bytes, size_t p);
// Where the line holding offset p ends: its line break, or the end of the file.
size_t LineEnd(std::span<const uint8_t> bytes, size_t p);
// The start of the next line: past the line break of the line holding p.
size_t NextLine(std::span<const uint8_t> bytes, size_t p);

// A section in the file's bytes. Comment lines directly above its header belong to it; its body
// runs from the header to its last entry line, and the blank lines after that come with it when
// it is removed or moved.
struct SectionSpan {
    size_t lead = 0;   // its first comment line directly above the header, else the header
    size_t header = 0; // the header line
    size_t body = 0;   // the end of its last entry line (of the header when it has none), before
                       // that line's break
    size_t end = 0;    // past that break and the blank lines after it
};
SectionSpan FindSectionSpan(const SkinIniFile& file, int32_t s);

// The edit that inserts lines (each without its final break) after the line that ends at
// lineEnd, before its break or at the end of the file. Each new line ends as that line does; a
// last line without a break gets one, and the file keeps ending as it did.
ByteEdit InsertLinesAfter(std::span<const uint8_t> bytes, size_t lineEnd,
                          std::span<const std::string> lines);
// The edit that appends lines at the end of the file, with its last line break; a last line
// without a break gets one, and the file keeps ending as it did.
ByteEdit AppendLines(std::span<const uint8_t> bytes, std::span<const std::string> lines);

} // namespace pindrel
