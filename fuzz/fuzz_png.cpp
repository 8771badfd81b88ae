// Arbitrary bytes read as a snapshot's screen picture, then compared with a screen.
#include <cstddef>
#include <cstdint>
#include <span>

#include "cli/png_decoder.h"
#include "render/picture_diff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    const auto picture = cli::DecodePng(std::span<const uint8_t>(data, size), nullptr);
    if (!picture) return 0;
    const Canvas screen(240, 320);
    const PictureDiff d = ComparePictures(picture->View(), screen.View(), 1);
    volatile int64_t sink = d.changed + DiffPicture(picture->View(), screen.View()).Width();
    (void)sink;
    return 0;
}
