// Arbitrary bytes read as snapshot.json; what reads is written again and must read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/snapshot_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel::cli;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto snapshot = ParseSnapshot(text, nullptr);
    if (!snapshot) return 0;
    const auto again = ParseSnapshot(FormatSnapshot(*snapshot), nullptr);
    if (!again || !(*again == *snapshot)) std::abort();
    return 0;
}
