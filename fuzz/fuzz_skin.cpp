// An arbitrary skin file beside fixed bitmaps: load it and walk the whole model.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pindrel::fuzz::EnterSkinFolder();
    pindrel::fuzz::FuzzSkin skin;
    if (!pindrel::fuzz::LoadSkinFromBytes(skin, data, size)) return 0;
    int64_t sum = skin.backgroundColor.Value();
    for (const auto& image : skin.images)
        sum += image.rects[0].Width() + image.type;
    for (const auto& button : skin.buttons)
        sum += button.rects[2].Height() + button.firesOnPress;
    for (const auto& label : skin.labels) {
        for (size_t i = 0; i < label.fieldIds.size(); ++i)
            sum += label.fonts[i].size;
    }
    volatile int64_t sink = sum;
    (void)sink;
    return 0;
}
