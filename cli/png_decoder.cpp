#include "cli/png_decoder.h"

#include <cerrno>
#include <cstring>

#include <png.h>

#include "base/read_file.h"

namespace pindrel::cli {

namespace {

// A PNG of kMaxReadPngSide squared compresses to far less; anything bigger is not ours.
constexpr uint64_t kMaxPngFileBytes = 64ull << 20;

std::string ReadProblem(const ReadFileResult& read, std::string_view path) {
    switch (read.status) {
    case ReadFileStatus::NotRegular:
        return "not a regular file";
    case ReadFileStatus::TooLarge:
        return "too large for a screen picture";
    default: {
        const std::string_view detail = OpenFailureDetail(path, read.error);
        if (!detail.empty()) return std::string(detail);
        return read.error == ENOENT ? "no such file" : std::strerror(read.error);
    }
    }
}

} // namespace

std::optional<Canvas> ReadPng(std::string_view path, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    const ReadFileResult read = ReadRegularFile(path, kMaxPngFileBytes);
    if (read.status != ReadFileStatus::Ok) {
        *error = ReadProblem(read, path);
        return std::nullopt;
    }
    return DecodePng(read.bytes, error);
}

std::optional<Canvas> DecodePng(std::span<const uint8_t> bytes, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        *error = std::string("not a PNG picture: ") + image.message;
        return std::nullopt;
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxReadPngSide ||
        image.height > kMaxReadPngSide) {
        *error = "a picture of " + std::to_string(image.width) + " x " +
                 std::to_string(image.height) + " pixels is no screen";
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGR; // the canvas's byte order
    Canvas canvas(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
    // 8-bit components, so the stride in components is the canvas's stride in bytes.
    if (!png_image_finish_read(&image, nullptr, canvas.Data(), canvas.Stride(), nullptr)) {
        *error = std::string("broken PNG picture: ") + image.message;
        png_image_free(&image);
        return std::nullopt;
    }
    return canvas;
}

} // namespace pindrel::cli
