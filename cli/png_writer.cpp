#include "cli/png_writer.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "cli/output_file.h"

namespace pindrel::cli {

namespace {

// Where the encoded bytes go: a stream, or a string in memory.
struct Sink {
    FILE* file = nullptr;
    std::string* bytes = nullptr;
};

void OnPngError(png_structp png, png_const_charp message) {
    if (auto* error = static_cast<std::string*>(png_get_error_ptr(png))) *error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, size_t size) {
    const auto* sink = static_cast<const Sink*>(png_get_io_ptr(png));
    if (sink->bytes) {
        sink->bytes->append(reinterpret_cast<const char*>(data), size);
    } else if (std::fwrite(data, 1, size, sink->file) != size) {
        png_error(png, std::strerror(errno));
    }
}

void OnPngFlush(png_structp) {}

// libpng reports errors by longjmp, so this frame holds nothing with a destructor.
bool Encode(Sink* sink, int32_t width, int32_t height, png_bytepp rows, std::string* error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, sink, OnPngWrite, OnPngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png); // the pictures are stored blue, green, red
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool EncodeInto(Sink sink, ConstPixelView picture, std::string* error) {
    if (picture.Empty()) {
        *error = "empty picture";
        return false;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(picture.height));
    for (int32_t y = 0; y < picture.height; ++y) {
        // libpng copies each row before transforming it, so the pixels are only read.
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(picture.Row(y));
    }
    error->clear();
    if (!Encode(&sink, picture.width, picture.height, rows.data(), error)) {
        if (error->empty()) *error = "cannot encode PNG";
        return false;
    }
    return true;
}

} // namespace

bool WritePng(std::string_view path, ConstPixelView picture, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    if (picture.Empty()) {
        *error = "empty picture";
        return false;
    }
    return WriteOutputFile(
        path,
        [picture](FILE* out, std::string* e) {
            return EncodeInto({out, nullptr}, picture, e);
        },
        error);
}

std::optional<std::string> EncodePng(ConstPixelView picture, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    std::string bytes;
    if (!EncodeInto({nullptr, &bytes}, picture, error)) return std::nullopt;
    return bytes;
}

} // namespace pindrel::cli
