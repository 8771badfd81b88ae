#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "render/picture_import_internal.h"

namespace pindrel::import {

namespace {

// Ancillary chunks (profiles, text) beyond this are dropped rather than held.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{8} << 20;

struct Source {
    std::span<const uint8_t> bytes;
    size_t pos = 0;
    char error[96] = "cannot decode PNG"; // no allocation in a function that longjmps
};

void ReadBytes(png_structp png, png_bytep out, size_t n) {
    auto* src = static_cast<Source*>(png_get_io_ptr(png));
    if (src->bytes.size() - src->pos < n) png_error(png, "truncated PNG");
    std::memcpy(out, src->bytes.data() + src->pos, n);
    src->pos += n;
}

// libpng's words for a bad header ("Invalid IHDR data", "IHDR: CRC error") name a chunk the
// user never heard of.
void OnError(png_structp png, png_const_charp message) {
    auto* src = static_cast<Source*>(png_get_error_ptr(png));
    if (std::strstr(message, "IHDR") != nullptr)
        std::snprintf(src->error, sizeof src->error,
                      "damaged PNG header: its size, depth or colour type is impossible");
    else
        std::snprintf(src->error, sizeof src->error, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct ReadStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStruct() { png_destroy_read_struct(&png, &info, nullptr); }
};

// libpng reports errors by longjmp, so these two frames hold nothing with a destructor.

// Reads the header and asks for 8-bit RGBA rows whatever the file holds.
bool ReadInfo(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, kMaxDibSide, kMaxDibSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_benign_errors(png, 1);
    png_read_info(png, info);
    // Palettes become RGB, low gray depths 8 bits and tRNS an alpha channel, all before 16-bit
    // channels lose their low byte, so transparent colours compare at full depth.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    const png_byte type = png_get_color_type(png, info);
    if ((type & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    return png_get_channels(png, info) == 4 && png_get_bit_depth(png, info) == 8 &&
           png_get_rowbytes(png, info) == size_t{*width} * 4;
}

bool ReadRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

} // namespace

ImportResult ImportPng(std::span<const uint8_t> bytes) {
    // libpng refuses a size beyond its limits only as "invalid IHDR data".
    const auto be32 = [&](size_t at) {
        return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
               (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
    };
    if (bytes.size() >= 24 && be32(12) == 0x49484452 && be32(16) != 0 && be32(20) != 0 &&
        !FitsLimits(be32(16), be32(20)))
        return {std::nullopt, "picture too large"};
    Source src{bytes};
    ReadStruct s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, OnError, OnWarning);
    if (!s.png) return {std::nullopt, "out of memory"};
    s.info = png_create_info_struct(s.png);
    if (!s.info) return {std::nullopt, "out of memory"};
    png_set_read_fn(s.png, &src, ReadBytes);

    png_uint_32 width = 0, height = 0;
    if (!ReadInfo(s.png, s.info, &width, &height)) return {std::nullopt, src.error};
    if (!FitsLimits(width, height)) return {std::nullopt, "picture too large"};
    RgbaPicture picture;
    picture.width = static_cast<int32_t>(width);
    picture.height = static_cast<int32_t>(height);
    picture.rgba.resize(size_t{width} * height * 4);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = picture.rgba.data() + size_t{y} * width * 4;
    if (!ReadRows(s.png, rows.data())) return {std::nullopt, src.error};
    return {std::move(picture), {}};
}

} // namespace pindrel::import
