#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "render/picture_import_internal.h"

namespace pindrel::import {

namespace {

// A progressive file can make the decoder visit every block once per scan, hundreds of times
// over, from a few hundred kilobytes. Real files have a dozen scans at most; the work is bounded
// before each scan is decoded, so that any file is read or refused within a second or two.
constexpr int kMaxScans = 64;
constexpr uint64_t kMaxScanBlocks = uint64_t{1} << 25; // blocks decoded over all scans
// The coefficients a progressive file keeps for the whole picture, and the decoder's other
// buffers; the picture it gives is bounded apart (FitsLimits).
constexpr long kMaxWorkMemory = long{256} << 20;

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is one to the whole
    jmp_buf jump;
    char text[JMSG_LENGTH_MAX + 32] = "cannot decode JPEG"; // room for a word before a message
    int scan = 0;                                           // the last scan counted in blocks
    uint64_t scanBlocks = 0;                                // blocks of the scans so far
};

[[noreturn]] void Refuse(j_common_ptr cinfo, const char* text) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(e->text, sizeof e->text, "%s", text);
    std::longjmp(e->jump, 1);
}

void OnError(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    e->base.format_message(cinfo, e->text);
    std::longjmp(e->jump, 1);
}

// Warnings are errors: a truncated or damaged file would leave rows grey, which is no picture.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return; // trace messages
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) Refuse(cinfo, "truncated JPEG");
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    char message[JMSG_LENGTH_MAX];
    e->base.format_message(cinfo, message);
    std::snprintf(e->text, sizeof e->text, "damaged JPEG: %s", message);
    std::longjmp(e->jump, 1);
}

void OnProgress(j_common_ptr cinfo) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (d->input_scan_number > kMaxScans) {
        std::snprintf(e->text, sizeof e->text, "more than %d scans", kMaxScans);
        std::longjmp(e->jump, 1);
    }
    if (d->input_scan_number == e->scan) return;
    e->scan = d->input_scan_number;
    for (int i = 0; i < d->comps_in_scan; ++i)
        e->scanBlocks +=
            uint64_t{d->cur_comp_info[i]->width_in_blocks} * d->cur_comp_info[i]->height_in_blocks;
    if (e->scanBlocks > kMaxScanBlocks) Refuse(cinfo, "too many scans for its size");
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
    // A progressive file keeps every coefficient until its last scan: refused before a byte of
    // them is allocated when they would not fit.
    if (jpeg_has_multiple_scans(&d.cinfo)) {
        uint64_t coefficients = 0;
        for (int i = 0; i < d.cinfo.num_components; ++i)
            coefficients += uint64_t{d.cinfo.comp_info[i].width_in_blocks} *
                            d.cinfo.comp_info[i].height_in_blocks * sizeof(JBLOCK);
        if (coefficients > static_cast<uint64_t>(kMaxWorkMemory))
            return {std::nullopt, "progressive JPEG too large to decode"};
    }
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
