#include "render/picture_import.h"

#include <algorithm>
#include <array>
#include <new>

#include "render/picture_import_internal.h"

namespace pindrel {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) {
    return bytes.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), bytes.begin());
}

} // namespace

ImportResult ImportPicture(std::span<const uint8_t> bytes) {
    static constexpr std::array<uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static constexpr std::array<uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
    static constexpr std::array<uint8_t, 2> kBmp = {'B', 'M'};
    try {
        if (StartsWith(bytes, kPng)) return import::ImportPng(bytes);
        if (StartsWith(bytes, kJpeg)) return import::ImportJpeg(bytes);
        if (StartsWith(bytes, kBmp)) return import::ImportBmp(bytes);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "out of memory"};
    }
    return {std::nullopt, "neither a PNG, a JPEG nor a BMP file"};
}

} // namespace pindrel
