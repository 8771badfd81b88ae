#include "cli/png_reader.h"

#include <png.h>

namespace pindrel::test {

size_t PngPicture::Count(Color c) const {
    size_t n = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            n += Pixel(x, y) == c ? 1 : 0;
    }
    return n;
}

std::optional<PngPicture> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    PngPicture picture;
    picture.width = static_cast<int32_t>(image.width);
    picture.height = static_cast<int32_t>(image.height);
    // The file's own format: colour, no alpha, not 16-bit (linear), no colour map.
    picture.rgb8 = image.format == PNG_FORMAT_RGB;
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return picture;
}

} // namespace pindrel::test
