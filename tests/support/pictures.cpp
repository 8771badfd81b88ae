#include "support/pictures.h"

#include "support/bmp_writer.h"

namespace pindrel::test {

std::vector<uint8_t> Bmp24(int32_t width, int32_t height,
                           const std::function<Color(int32_t x, int32_t y)>& pixel) {
    std::vector<uint32_t> values;
    values.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t row = 0; row < height; ++row) { // file order: bottom row first
        for (int32_t x = 0; x < width; ++x) {
            const Color c = pixel(x, height - 1 - row);
            values.push_back((uint32_t{c.R()} << 16) | (uint32_t{c.G()} << 8) | c.B());
        }
    }
    BmpFile f;
    f.width = width;
    f.height = height;
    f.pixels = PackRows(24, width, values);
    return WriteBmp(f);
}

std::vector<uint8_t> SolidBmp24(int32_t width, int32_t height, Color color) {
    return Bmp24(width, height, [color](int32_t, int32_t) { return color; });
}

std::vector<uint8_t> PatternBmp24(int32_t width, int32_t height, uint8_t seed) {
    return Bmp24(width, height, [seed, height](int32_t x, int32_t y) {
        const int32_t row = height - 1 - y; // the pattern counts rows in file order
        return Color::FromRgb((x + row) % 7 == 0 ? 255 : 0, static_cast<uint8_t>(seed * 3 + row),
                              static_cast<uint8_t>(seed + x));
    });
}

DibImage Picture(int32_t width, int32_t height,
                 const std::function<Color(int32_t x, int32_t y)>& pixel) {
    DibImage image = *DibImage::Create(width, height);
    const PixelView v = image.MutableView();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            v.SetPixel(x, y, pixel(x, y));
    }
    return image;
}

} // namespace pindrel::test
