#include "support/png_file.h"

#include <cstdlib>

#include <png.h>

namespace pindrel::test {

namespace {

void Append(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void Flush(png_structp) {}

// Samples of one row packed as PNG stores them: most significant bits first, 16 bits big-endian.
std::vector<uint8_t> PackRow(const PngFile& f, int32_t y) {
    const size_t n = static_cast<size_t>(f.width) * PngChannels(f.colorType);
    std::vector<uint8_t> row((n * f.bitDepth + 7) / 8, 0);
    for (size_t i = 0; i < n; ++i) {
        const uint16_t v = f.samples[static_cast<size_t>(y) * n + i];
        if (f.bitDepth == 16) {
            row[2 * i] = static_cast<uint8_t>(v >> 8);
            row[2 * i + 1] = static_cast<uint8_t>(v);
        } else {
            const size_t bit = i * f.bitDepth;
            row[bit / 8] |= static_cast<uint8_t>(v << (8 - f.bitDepth - bit % 8));
        }
    }
    return row;
}

} // namespace

int PngChannels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

std::vector<uint8_t> WritePngFile(const PngFile& f) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!png || !info) std::abort();
    if (setjmp(png_jmpbuf(png))) std::abort(); // a test's own mistake
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(f.width), static_cast<png_uint_32>(f.height),
                 f.bitDepth, f.colorType, f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!f.paletteRgb.empty()) {
        std::vector<png_color> palette(f.paletteRgb.size() / 3);
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = {f.paletteRgb[3 * i], f.paletteRgb[3 * i + 1], f.paletteRgb[3 * i + 2]};
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!f.paletteAlpha.empty())
        png_set_tRNS(png, info, f.paletteAlpha.data(), static_cast<int>(f.paletteAlpha.size()),
                     nullptr);
    if (f.transparent) {
        const std::vector<uint16_t>& t = *f.transparent;
        png_color_16 c{};
        if (t.size() == 1) c.gray = t[0];
        if (t.size() == 3) c = {0, t[0], t[1], t[2], 0};
        png_set_tRNS(png, info, nullptr, 0, &c);
    }
    png_write_info(png, info);
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (int32_t y = 0; y < f.height; ++y)
        rows.push_back(PackRow(f, y));
    for (auto& r : rows)
        pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace pindrel::test
