// Arbitrary bytes read as an OpenRaster mock-up: refused with a reason, or a document within the
// limits. Seeds are whole zips; the fuzzer mutates both the zip and the XML and PNGs inside.
#include "fuzz_layered.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pindrel::fuzz::CheckDocument(pindrel::ReadOra(std::span<const uint8_t>(data, size)));
    return 0;
}
