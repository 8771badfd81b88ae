#pragma once

#include <cstdint>
#include <vector>

#include "render/color.h"
#include "render/dib_image.h"
#include "skin/skin_element.h"
#include "skin/skin_load.h"

namespace pindrel {

class SkinIniFile;

// The bitmap files one skin load reads and the pictures it decodes, together: a full-screen
// picture and its file take about half a MiB, so this holds thousands of them, and a picture of
// the decoder's largest size with its file.
inline constexpr uint64_t kMaxSkinBitmapBytes = 4 * kMaxDibBytes;

// What a skin file describes once loaded: the colour and pictures behind everything, the photo
// rectangle, and the images, buttons and labels in file order, each with where it came from.
// Screens are drawn from it by DrawScreen, which only reads it.
struct SkinModel {
    // Replaces the content with what a skin file already read holds; pictures come as the
    // context says, and its report hears what is left out. Once the bitmap files read and the
    // pictures decoded come to more than maxBitmapBytes, the element that went beyond and every
    // image and button after it are left out.
    void Load(const SkinIniFile& file, const LoadContext& context);
    // Drops the loaded content; keeps photoRect.
    void Clear();
    // Loads again only the element read from section s of file, a text that differs from the
    // one loaded in keys of that section alone: what a key's change costs in a skin of
    // thousands of sections. The lines of the other elements follow the file. False, changing
    // nothing, when that cannot be: s gives no loaded element, or one that no longer loads or
    // reads pictures of another size; the whole file is to be loaded then.
    bool ReloadElement(const SkinIniFile& file, int32_t s, const LoadContext& context);

    Color backgroundColor = kWhite;
    SkinImage backgroundImage;
    SkinImage borderImage;
    SkinElement photoRect;
    std::vector<SkinButton> buttons;
    std::vector<SkinImage> images;
    std::vector<SkinLabel> labels;
    // A bitmap of a few bytes can declare a picture of hundreds of MiB, a bitmap file can be
    // huge, and a skin can name either any number of times.
    uint64_t maxBitmapBytes = kMaxSkinBitmapBytes;
};

} // namespace pindrel
