// Bitmaps of every usual header for the converter. Headers the skin decoder refuses are
// rewritten as the 40-byte header it reads, so that both give the same colours for the same
// pixels; the alpha the skin decoder drops is read here from the same rows.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "render/bmp_decoder.h"
#include "render/bmp_internal.h"
#include "render/byte_reader.h"
#include "render/picture_import_internal.h"

namespace pindrel::import {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kCompressionJpeg = 4;
constexpr uint32_t kCompressionPng = 5;
constexpr uint32_t kCompressionAlphaBitFields = 6;

struct Header {
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::array<uint32_t, 3> rgbMasks{};
    uint32_t alphaMask = 0;
    size_t tableOffset = 0; // where the colour table starts in the file

    bool HasBitFields() const {
        return (compression == kCompressionBitFields ||
                compression == kCompressionAlphaBitFields) &&
               (bitCount == 16 || bitCount == 32);
    }
};

// Reads the headers from the size field on; an empty result, or why the file is refused.
std::string ReadHeader(std::span<const uint8_t> file, Header& h) {
    ByteReader in(file);
    in.Skip(10);
    h.pixelOffset = in.ReadU32();
    h.headerSize = in.ReadU32();
    switch (h.headerSize) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 108:
    case 124:
        break;
    default:
        return "unsupported header size " + std::to_string(h.headerSize);
    }
    if (!in.Has(h.headerSize - 4)) return "truncated header";
    if (h.headerSize == 12) return {}; // the skin decoder reads it as it is
    bmp::ReadInfoFields(in, h);
    h.tableOffset = kFileHeaderSize + h.headerSize;
    if (h.headerSize == kInfoHeaderSize && h.HasBitFields()) {
        // The masks follow a 40-byte header: three, or four with alpha.
        const size_t n = h.compression == kCompressionAlphaBitFields ? 4 : 3;
        if (!in.Has(n * 4)) return "truncated colour masks";
        h.tableOffset += n * 4;
    } else if (!h.HasBitFields()) {
        return {};
    }
    for (uint32_t& m : h.rgbMasks)
        m = in.ReadU32();
    if (h.headerSize != 52) h.alphaMask = in.ReadU32();
    if (h.compression == kCompressionBitFields && h.headerSize == kInfoHeaderSize) h.alphaMask = 0;
    return {};
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The same bitmap with a 40-byte header (and the three masks after it for bit fields).
std::vector<uint8_t> WithInfoHeader(std::span<const uint8_t> file, const Header& h) {
    const bool fields = h.HasBitFields();
    uint32_t tableBytes = 0;
    if (!fields && h.bitCount <= 8) {
        const uint32_t n = 1u << h.bitCount;
        tableBytes = 4 * (h.colorsUsed != 0 && h.colorsUsed <= n ? h.colorsUsed : n);
    }
    const size_t tableStart = std::min(h.tableOffset, file.size());
    tableBytes = static_cast<uint32_t>(std::min<size_t>(tableBytes, file.size() - tableStart));
    const auto pixels = file.subspan(std::min<size_t>(h.pixelOffset, file.size()));

    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + 12 + tableBytes + pixels.size());
    const uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + (fields ? 12 : 0) + tableBytes;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(pixelOffset + pixels.size()));
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(h.width));
    Put32(out, static_cast<uint32_t>(h.height));
    Put16(out, 1);
    Put16(out, h.bitCount);
    Put32(out, fields ? kCompressionBitFields : h.compression);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, h.colorsUsed);
    Put32(out, 0);
    if (fields) {
        for (const uint32_t m : h.rgbMasks)
            Put32(out, m);
    }
    out.insert(out.end(), file.begin() + static_cast<ptrdiff_t>(tableStart),
               file.begin() + static_cast<ptrdiff_t>(tableStart + tableBytes));
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// The alpha mask of the pixels, if they have one. In 32 bits without bit fields the fourth byte
// is alpha for some writers and padding for others.
uint32_t AlphaMask(const Header& h) {
    if (h.bitCount == 32 && h.compression == kCompressionNone) return 0xFF000000u;
    return h.HasBitFields() ? h.alphaMask : 0;
}

// Fills the alpha of an RGBA picture from uncompressed 16- or 32-bit rows. All-zero alpha is
// padding in files that say nothing of alpha, and would hide the picture: it stays opaque.
void ReadAlpha(std::span<const uint8_t> file, const Header& h, RgbaPicture& picture) {
    const uint32_t mask = AlphaMask(h);
    if (mask == 0) return;
    const bmp::Channel alpha(mask);
    const size_t bytesPerPixel = h.bitCount / 8;
    const size_t stride = (static_cast<size_t>(picture.width) * h.bitCount + 31) / 32 * 4;
    const auto data = file.subspan(std::min<size_t>(h.pixelOffset, file.size()));
    std::vector<uint8_t> values(static_cast<size_t>(picture.width) * picture.height, 0);
    bool any = false;
    for (int32_t k = 0; k < picture.height; ++k) {
        const size_t offset = static_cast<size_t>(k) * stride;
        const int32_t y = h.height < 0 ? k : picture.height - 1 - k;
        uint8_t* row = values.data() + static_cast<size_t>(y) * picture.width;
        for (int32_t x = 0; x < picture.width; ++x) {
            const size_t at = offset + static_cast<size_t>(x) * bytesPerPixel;
            if (at + bytesPerPixel > data.size()) break; // missing bytes read as zero
            uint32_t v = 0;
            for (size_t b = bytesPerPixel; b-- > 0;)
                v = (v << 8) | data[at + b];
            row[x] = static_cast<uint8_t>(alpha(v));
            any = any || row[x] != 0;
        }
    }
    if (!any) return;
    for (size_t i = 0; i < values.size(); ++i)
        picture.rgba[i * 4 + 3] = values[i];
}

} // namespace

ImportResult ImportBmp(std::span<const uint8_t> bytes) {
    Header h;
    if (!ByteReader(bytes).Has(kFileHeaderSize + 4)) return {std::nullopt, "truncated file header"};
    if (std::string why = ReadHeader(bytes, h); !why.empty()) return {std::nullopt, why};
    if (h.compression == kCompressionJpeg || h.compression == kCompressionPng)
        return {std::nullopt, "a BMP holding a JPEG or PNG picture"};

    const bool rewrite = h.headerSize > kInfoHeaderSize || h.HasBitFields();
    const BmpResult decoded = rewrite ? LoadBmp(WithInfoHeader(bytes, h)) : LoadBmp(bytes);
    if (!decoded.image) return {std::nullopt, std::string(decoded.reason)};

    const ConstPixelView view = decoded.image->View();
    RgbaPicture picture;
    picture.width = view.width;
    picture.height = view.height;
    picture.rgba.resize(static_cast<size_t>(view.width) * view.height * 4);
    uint8_t* out = picture.rgba.data();
    for (int32_t y = 0; y < view.height; ++y) {
        const uint8_t* src = view.Row(y);
        for (int32_t x = 0; x < view.width; ++x, src += 3, out += 4) {
            out[0] = src[2];
            out[1] = src[1];
            out[2] = src[0];
            out[3] = 255;
        }
    }
    if (h.headerSize != 12 && (h.bitCount == 16 || h.bitCount == 32)) ReadAlpha(bytes, h, picture);
    return {std::move(picture), {}};
}

} // namespace pindrel::import
