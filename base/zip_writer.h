#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pindrel {

// One entry of a zip archive. A folder's name ends in "/" and it holds no data.
struct ZipEntry {
    std::string name;
    std::span<const uint8_t> data;
};

struct ZipResult {
    std::vector<uint8_t> bytes; // the whole archive; empty on failure
    std::string error;          // why it failed
};

// An archive of the entries in the order given, deflated, each stamped with one fixed time
// (1980-01-01 00:00, the earliest a zip can hold) and fixed Unix modes (0644 for files, 0755
// for folders), so that the same entries always give the same bytes. Built in memory, to be
// written whole or not at all. Names are stored as given: bytes that are UTF-8 are marked so.
// At least one entry; names are unique.
ZipResult WriteZip(std::span<const ZipEntry> entries);

} // namespace pindrel
