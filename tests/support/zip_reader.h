#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pindrel::test {

// One entry of a zip archive as an unpacking tool sees it.
struct ZipItem {
    std::string name;
    std::vector<uint8_t> data;
    uint32_t unixMode = 0; // the upper 16 bits of the external attributes
    int64_t mtime = 0;     // as the local time of the entry's MS-DOS date and time
    uint16_t method = 0;   // 0 stored, 8 deflated
};

// The entries in archive order, each with the data it unpacks to (as far as it does); nothing
// when the bytes are no zip.
std::vector<ZipItem> ReadZip(std::span<const uint8_t> bytes);

} // namespace pindrel::test
