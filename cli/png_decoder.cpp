#include "cli/png_decoder.h"

#include <cerrno>
#include <cstring>

#include "base/read_file.h"
#include "render/picture_flatten.h"
#include "render/picture_import.h"

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
    // The converter's reader: one reader of other tools' pictures in the program.
    const ImportResult imported = ImportPicture(bytes);
    if (!imported.picture) {
        *error = imported.reason;
        return std::nullopt;
    }
    const RgbaPicture& p = *imported.picture;
    if (p.width > kMaxReadPngSide || p.height > kMaxReadPngSide) {
        *error = "a picture of " + std::to_string(p.width) + " x " + std::to_string(p.height) +
                 " pixels is no screen";
        return std::nullopt;
    }
    FlattenOptions overBlack;
    overBlack.background = Color::FromRgb(0, 0, 0);
    const FlattenResult flat = FlattenPicture(p, overBlack);
    if (!flat.image) {
        *error = "picture too large";
        return std::nullopt;
    }
    Canvas canvas(p.width, p.height);
    CopyPixels(canvas.View(), 0, 0, flat.image->View(), 0, 0, p.width, p.height);
    return canvas;
}

} // namespace pindrel::cli
