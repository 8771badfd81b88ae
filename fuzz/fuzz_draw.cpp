// An arbitrary skin (fixed bitmaps beside it) drawn in every orientation and call type, with
// sample texts cut from the input, and asked what lies under a few pixels.
#include "fuzz_support.h"
#include "render/bmp_decoder.h"
#include "skin/draw_screen.h"
#include "skin/element_at.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    fuzz::EnterSkinFolder();
    static const std::vector<uint8_t> photoBytes = test::PatternBmp24(240, 200, 9);
    static const BmpResult photo = LoadBmp(photoBytes);
    fuzz::FuzzSkin skin;
    if (!fuzz::LoadSkinFromBytes(skin, data, size)) return 0;
    // Sample texts from the input's tail, so odd bytes reach the text engine too.
    const std::string tail(reinterpret_cast<const char*>(data) + size / 2, size - size / 2);
    skin.info.name = tail.substr(0, 40);
    skin.info.company = tail.size() > 40 ? tail.substr(40, 80) : "";
    skin.photo = photo.image->View();
    skin.showAlignRect = size % 2 == 0;
    skin.alignRect = {-5, 10, 300, 400};
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        skin.SetOrientation(o);
        for (const CallType t : kCallTypes) {
            skin.callType = t;
            (void)DrawScreen(skin, skin.PreviewRequest(kScreenSizes[static_cast<size_t>(o)]),
                             skin.fontCache);
            // What the designer says about the pixel under the pointer.
            for (const Point p : {Point{0, 0}, Point{120, 160}, Point{239, 319}})
                (void)DescribeElement(skin, ElementAt(skin, p, t));
        }
    }
    return 0;
}
