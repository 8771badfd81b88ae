// Arbitrary bytes decoded as a bitmap, then scaled at several sizes partly off a small canvas.
#include <cstddef>
#include <cstdint>
#include <span>

#include "render/bmp_decoder.h"
#include "render/canvas.h"
#include "render/scale_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    const BmpResult r = LoadBmp(std::span<const uint8_t>(data, size));
    if (!r.image) return 0;
    const ConstPixelView source = r.image->View();
    Canvas canvas(48, 40);
    const int32_t kPlaces[][4] = {
        {0, 0, 1, 1},
        {-3, -2, 17, 9},
        {5, 7, 61, 45},
        {-7, 30, source.width / 3 + 1, source.height * 2},
        {0, 0, source.width, source.height},
    };
    for (const auto& p : kPlaces)
        ScaleBitmap(canvas.View(), source, p[0], p[1], p[2], p[3]);
    return 0;
}
