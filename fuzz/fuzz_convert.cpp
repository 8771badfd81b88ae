// Arbitrary bytes read as a picture to convert; whatever is read flattens, and every bitmap
// written from it decodes back to the same pixels.
#include <algorithm>
#include <cstdlib>

#include "render/bmp_decoder.h"
#include "render/bmp_encoder.h"
#include "render/picture_flatten.h"
#include "render/picture_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    const ImportResult r = ImportPicture(std::span<const uint8_t>(data, size));
    if (!r.picture) return 0;
    const FlattenResult flat =
        FlattenPicture(*r.picture, {Color::FromRgb(255, 0, 255), Color::FromRgb(1, 2, 3)});
    // Writing is checked on pictures that take little time to write.
    if (!flat.image || r.picture->rgba.size() > (size_t{1} << 18)) return 0;
    for (const BmpEncoding e : {BmpEncoding::Rgb24, BmpEncoding::Palette8, BmpEncoding::Rle8}) {
        const BmpEncodeResult encoded = EncodeBmp(*flat.image, e);
        if (encoded.bytes.empty()) continue; // too many colours for a palette
        const BmpResult back = LoadBmp(encoded.bytes);
        if (!back.image || !std::ranges::equal(back.image->Bytes(), flat.image->Bytes()))
            std::abort();
    }
    return 0;
}
