#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pindrel {

// A change to a file's bytes: [offset, offset + length) becomes text; a length of 0 inserts.
struct ByteEdit {
    size_t offset = 0;
    size_t length = 0;
    std::string text;
};

// The bytes with the edits made. Edits must not overlap; edits at one offset keep their order.
std::vector<uint8_t> ApplyEdits(std::span<const uint8_t> bytes, std::vector<ByteEdit> edits);

// The edits inside a value read as a pair (x,y or width,height) that make it read (a, b). Only
// numbers that differ are rewritten, so the text around them (spaces, a sign's absence, " ; note"
// or ",junk" after the second number) stays; a value of fewer than two items gets the missing
// ones. Offsets count from the value's start.
std::vector<ByteEdit> PairValueEdits(std::string_view value, int32_t a, int32_t b);

} // namespace pindrel
