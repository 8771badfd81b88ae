// Arbitrary bytes read as a PSD mock-up: refused with a reason, or a document within the limits.
#include "fuzz_layered.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pindrel::fuzz::CheckDocument(pindrel::ReadPsd(std::span<const uint8_t>(data, size)));
    return 0;
}
