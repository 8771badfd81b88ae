#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "render/picture_import_internal.h"

namespace pindrel::import {

namespace {

// A progressive file of thousands of tiny scans takes minutes to decode; real ones have a few.
constexpr int kMaxScans = 500;
constexpr long kMaxWorkMemory = long{512} << 20;

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is one to the whole
    jmp_buf jump;
    char text[JMSG_LENGTH_MAX] = "cannot decode JPEG";
};

void OnError(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    e->base.format_message(cinfo, e->text);
    std::longjmp(e->jump, 1);
}

// Warnings (a truncated file, a bad marker) leave the rest of the picture grey: still a picture.
void OnMessage(j_common_ptr, int) {}

void OnProgress(j_common_ptr cinfo) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(e->text, sizeof e->text, "more than %d scans", kMaxScans);
        std::longjmp(e->jump, 1);
    }
}

struct Decompress {
    jpeg_decompress_struct cinfo{};
    ErrorManager error;
    jpeg_progress_mgr progress{};
    bool created = false;
    ~Decompress() {
        if (created) jpeg_destroy_decompress(&cinfo);
    }
};

// libjpeg reports errors by longjmp, so these two frames hold nothing with a destructor.

bool ReadHeader(Decompress& d, std::span<const uint8_t> bytes) {
    d.cinfo.err = jpeg_std_error(&d.error.base);
    d.error.base.error_exit = OnError;
    d.error.base.emit_message = OnMessage;
    if (setjmp(d.error.jump)) return false;
    jpeg_create_decompress(&d.cinfo);
    d.created = true;
    d.cinfo.mem->max_memory_to_use = kMaxWorkMemory;
    d.progress.progress_monitor = OnProgress;
    d.cinfo.progress = &d.progress;
    jpeg_mem_src(&d.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    if (d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK) {
        std::snprintf(d.error.text, sizeof d.error.text, "a CMYK JPEG; save it as RGB");
        return false;
    }
    d.cinfo.out_color_space = JCS_EXT_RGBA;
    return true;
}

bool ReadRows(Decompress& d, std::vector<uint8_t>& rgba) {
    if (setjmp(d.error.jump)) return false;
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_components != 4 || d.cinfo.output_width != d.cinfo.image_width ||
        d.cinfo.output_height != d.cinfo.image_height)
        return false;
    const size_t stride = size_t{d.cinfo.output_width} * 4;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = rgba.data() + d.cinfo.output_scanline * stride;
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) break;
    }
    return true;
}

} // namespace

ImportResult ImportJpeg(std::span<const uint8_t> bytes) {
    Decompress d;
    if (!ReadHeader(d, bytes)) return {std::nullopt, d.error.text};
    if (!FitsLimits(d.cinfo.image_width, d.cinfo.image_height))
        return {std::nullopt, "picture too large"};
    RgbaPicture picture;
    picture.width = static_cast<int32_t>(d.cinfo.image_width);
    picture.height = static_cast<int32_t>(d.cinfo.image_height);
    // Rows the file does not hold stay opaque black.
    picture.rgba.assign(size_t{d.cinfo.image_width} * d.cinfo.image_height * 4, 0);
    for (size_t i = 3; i < picture.rgba.size(); i += 4)
        picture.rgba[i] = 255;
    if (!ReadRows(d, picture.rgba)) return {std::nullopt, d.error.text};
    return {std::move(picture), {}};
}

} // namespace pindrel::import
