#include "render/picture_flatten.h"

namespace pindrel {

FlattenResult FlattenPicture(const RgbaPicture& picture, const FlattenOptions& options) {
    FlattenResult result;
    result.image = DibImage::Create(picture.width, picture.height);
    if (!result.image) return result;
    const PixelView view = result.image->MutableView();
    const Color bg = options.background;
    for (int32_t y = 0; y < view.height; ++y) {
        uint8_t* dst = view.Row(y);
        for (int32_t x = 0; x < view.width; ++x, dst += 3) {
            const uint8_t* p = picture.Pixel(x, y);
            Color c;
            if (options.key && p[3] < 128) {
                c = *options.key;
            } else {
                c = Color::FromRgb(BlendOver(p[0], p[3], bg.R()), BlendOver(p[1], p[3], bg.G()),
                                   BlendOver(p[2], p[3], bg.B()));
                if (options.key && c == *options.key) ++result.opaqueKeyPixels;
            }
            dst[0] = c.B();
            dst[1] = c.G();
            dst[2] = c.R();
        }
    }
    return result;
}

} // namespace pindrel
