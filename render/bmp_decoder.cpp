#include "render/bmp_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "base/read_file.h"
#include "render/bmp_internal.h"
#include "render/byte_reader.h"

namespace pindrel {

namespace {

using bmp::Palette;

// Far above any picture that fits the pixel limit, even at 32 bits with gaps in the file.
constexpr uint64_t kMaxBmpFileBytes = uint64_t{1} << 30;

constexpr uint16_t kMagicBm = 0x4D42;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;

// Every failure leaves through here, so one breakpoint catches them all.
BmpResult Fail(BmpStatus status, std::string_view reason) {
    return {status, reason, std::nullopt};
}

struct Header {
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kCompressionNone;
    uint32_t colorsUsed = 0;

    bool IsRle8() const { return bitCount == 8 && compression == kCompressionRle8; }
    bool IsRle4() const { return bitCount == 4 && compression == kCompressionRle4; }
    bool HasBitFields() const {
        return compression == kCompressionBitFields && (bitCount == 16 || bitCount == 32);
    }
};

// How one uncompressed source row becomes one 24-bit row.
class RowConverter {
public:
    RowConverter(const Header& h, const Palette& palette, std::array<uint32_t, 3> rgbMasks)
        : bitCount_(h.bitCount), fields_(h.HasBitFields()), palette_(palette) {
        if (bitCount_ == 16 || fields_) BuildByteTables(rgbMasks);
    }

    void Convert(const uint8_t* src, uint8_t* dst, int32_t width) const {
        switch (bitCount_) {
        case 1:
            return Packed<1>(src, dst, width);
        case 2:
            return Packed<2>(src, dst, width);
        case 4:
            return Packed<4>(src, dst, width);
        case 8:
            return Store(dst, width,
                         [src, pal = palette_.data()](int32_t x) { return pal[src[x]]; });
        case 16:
            return Store(dst, width, [&](int32_t x) {
                return byteColours_[0][src[2 * x]] | byteColours_[1][src[2 * x + 1]];
            });
        case 24:
            std::memcpy(dst, src, static_cast<size_t>(width) * 3);
            return;
        case 32:
            if (fields_) {
                return Store(dst, width, [&](int32_t x) {
                    const uint8_t* p = src + 4 * x;
                    return byteColours_[0][p[0]] | byteColours_[1][p[1]] | byteColours_[2][p[2]] |
                           byteColours_[3][p[3]];
                });
            }
            // Blue, green, red copied as they are; the fourth byte is dropped.
            return Store(dst, width,
                         [src](int32_t x) { return bmp::LoadLe32(src + 4 * x) & 0xFFFFFFu; });
        default:
            return;
        }
    }

private:
    // Stores width packed colours. All but the last are written as 4 bytes, the fourth landing
    // on the next pixel, which overwrites it; the last writes 3, so the row padding stays zero
    // and nothing lands past the row.
    template <typename ColourAt> static void Store(uint8_t* dst, int32_t width, ColourAt colourAt) {
        int32_t x = 0;
        for (; x + 1 < width; ++x, dst += 3)
            bmp::Store4(dst, colourAt(x));
        bmp::Store3(dst, colourAt(x));
    }

    // 1, 2 and 4 bits: several pixels a byte, the first in the high bits.
    template <int Bits> void Packed(const uint8_t* src, uint8_t* dst, int32_t width) const {
        constexpr int32_t kPerByte = 8 / Bits;
        constexpr uint32_t kMask = (1u << Bits) - 1;
        int32_t x = 0;
        // Whole bytes while another pixel follows them, so that every store here may take 4.
        for (; x + kPerByte < width; x += kPerByte, ++src)
            for (int32_t k = 1; k <= kPerByte; ++k, dst += 3)
                bmp::Store4(dst, palette_[(*src >> (8 - Bits * k)) & kMask]);
        for (int32_t k = 1; x < width; ++x, ++k, dst += 3)
            bmp::Store3(dst, palette_[(*src >> (8 - Bits * k)) & kMask]);
    }

    // Every step of a channel (mask, shifts, bit repetition) treats bits independently, so the
    // colour of a pixel is the OR of the colours its bytes give alone: one table per byte.
    void BuildByteTables(std::array<uint32_t, 3> rgbMasks) {
        const bmp::Channel red(rgbMasks[0]), green(rgbMasks[1]), blue(rgbMasks[2]);
        for (uint32_t k = 0; k < 4; ++k)
            for (uint32_t b = 0; b < 256; ++b) {
                const uint32_t p = b << (8 * k);
                byteColours_[k][b] = blue(p) | (green(p) << 8) | (red(p) << 16);
            }
    }

    uint16_t bitCount_;
    bool fields_;
    const Palette& palette_;
    std::array<std::array<uint32_t, 256>, 4> byteColours_;
};

bool IsSupportedBitCount(uint16_t bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
           bits == 32;
}

// Entries of the colour table for a bit count; colours used can only shrink it.
uint32_t ColourTableEntries(const Header& h) {
    uint32_t n = 0;
    if (h.bitCount <= 8) n = 1u << h.bitCount;
    if (h.HasBitFields()) n = 3;
    if (h.colorsUsed != 0 && h.colorsUsed <= n) n = h.colorsUsed;
    return n;
}

void DecodeRows(const Header& h, std::span<const uint8_t> data, const RowConverter& converter,
                DibImage& image) {
    const uint64_t srcStride =
        ((uint64_t{static_cast<uint32_t>(h.width)} * h.bitCount + 31) & ~uint64_t{31}) / 8;
    const bool topDown = h.height < 0;
    const PixelView view = image.MutableView();
    std::vector<uint8_t> partial; // only for rows the file holds in part or not at all
    for (int32_t k = 0; k < image.Height(); ++k) {
        // The file's first row is the bottom one, unless the height says top-down.
        uint8_t* dst = topDown ? view.Row(k) : image.MemoryRow(k);
        const uint64_t offset = uint64_t{static_cast<uint32_t>(k)} * srcStride;
        const uint8_t* src = nullptr;
        if (offset + srcStride <= data.size()) {
            src = data.data() + offset;
        } else {
            // Missing bytes read as zero; the rest of the file holds no further row.
            partial.assign(static_cast<size_t>(srcStride), 0);
            if (offset < data.size())
                std::memcpy(partial.data(), data.data() + offset, data.size() - offset);
            src = partial.data();
        }
        converter.Convert(src, dst, image.Width());
    }
}

// Reads the file header and the bitmap header; an empty result, or why the file is refused.
std::string_view ReadHeader(ByteReader& in, Header& h) {
    if (!in.Has(14)) return "truncated file header";
    if (in.ReadU16() != kMagicBm) return "not a BMP file";
    in.Skip(8); // file size, reserved
    h.pixelOffset = in.ReadU32();
    if (!in.Has(4)) return "truncated header";
    h.headerSize = in.ReadU32();
    if (h.headerSize == kCoreHeaderSize) {
        if (!in.Has(8)) return "truncated header";
        h.width = in.ReadU16();
        h.height = in.ReadU16();
        in.Skip(2); // planes
        h.bitCount = in.ReadU16();
    } else if (h.headerSize == kInfoHeaderSize) {
        if (!in.Has(36)) return "truncated header";
        bmp::ReadInfoFields(in, h);
    } else {
        return "unsupported header size";
    }
    if (!IsSupportedBitCount(h.bitCount)) return "unsupported bit count";
    if (h.compression > kCompressionBitFields) return "unsupported compression";
    // Run-length data is always stored bottom-up.
    if ((h.IsRle8() || h.IsRle4()) && h.height <= 0)
        return "run-length data with a height of 0 or less";
    return {};
}

// Reads the colour table, or the three bit-field masks (red first) that stand in its place.
std::string_view ReadColours(ByteReader& in, const Header& h, Palette& palette,
                             std::array<uint32_t, 3>& masks) {
    if (h.HasBitFields()) {
        if (!in.Has(12)) return "truncated colour masks";
        for (uint32_t& m : masks)
            m = in.ReadU32();
        return {};
    }
    const uint32_t entries = ColourTableEntries(h);
    const uint32_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    if (!in.Has(uint64_t{entries} * entrySize)) return "truncated colour table";
    for (uint32_t i = 0; i < entries; ++i) {
        const uint32_t blue = in.ReadU8(), green = in.ReadU8(), red = in.ReadU8();
        palette[i] = blue | (green << 8) | (red << 16);
        in.Skip(entrySize - 3);
    }
    return {};
}

// Checks the picture's size against the limits, before anything is allocated.
std::string_view CheckSize(const Header& h) {
    if (h.width <= 0 || h.width > kMaxDibSide) return "width out of range";
    const int64_t rows = h.height < 0 ? -int64_t{h.height} : int64_t{h.height};
    if (rows == 0 || rows > kMaxDibSide) return "height out of range";
    const auto bytes =
        static_cast<uint64_t>(DibImage::StrideFor(h.width)) * static_cast<uint64_t>(rows);
    if (bytes > kMaxDibBytes) return "picture too large";
    return {};
}

BmpResult Decode(std::span<const uint8_t> file) {
    ByteReader in(file);
    Header h;
    Palette palette{};
    std::array<uint32_t, 3> masks = {0x7C00, 0x03E0, 0x001F}; // 16 bits without bit fields
    if (const auto why = ReadHeader(in, h); !why.empty()) return Fail(BmpStatus::NotABitmap, why);
    if (const auto why = ReadColours(in, h, palette, masks); !why.empty())
        return Fail(BmpStatus::NotABitmap, why);
    if (const auto why = CheckSize(h); !why.empty()) return Fail(BmpStatus::OutOfResources, why);
    const int32_t rows = h.height < 0 ? -h.height : h.height; // in range: checked above
    std::optional<DibImage> image = DibImage::Create(h.width, rows);
    if (!image) return Fail(BmpStatus::OutOfResources, "picture too large");

    const auto data = file.subspan(std::min<uint64_t>(h.pixelOffset, file.size()));
    if (h.IsRle8()) {
        bmp::DecodeRle8(data, palette, *image);
    } else if (h.IsRle4()) {
        bmp::DecodeRle4(data, palette, *image);
    } else {
        DecodeRows(h, data, RowConverter(h, palette, masks), *image);
    }
    return {BmpStatus::Ok, {}, std::move(image)};
}

// Allocation failures come back as a status, never as an exception.
template <typename Work> BmpResult Guarded(Work work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return Fail(BmpStatus::OutOfResources, "out of memory");
    }
}

} // namespace

BmpResult LoadBmp(std::string_view path) {
    return Guarded([path] {
        const ReadFileResult file = ReadRegularFile(path, kMaxBmpFileBytes);
        switch (file.status) {
        case ReadFileStatus::Ok: {
            BmpResult result = Decode(file.bytes);
            result.fileBytes = file.bytes.size();
            return result;
        }
        case ReadFileStatus::CannotOpen: {
            const std::string_view detail = OpenFailureDetail(path, file.error);
            return Fail(BmpStatus::CannotOpen, detail.empty() ? "cannot open file" : detail);
        }
        case ReadFileStatus::NotRegular:
            return Fail(BmpStatus::CannotOpen, "not a regular file");
        case ReadFileStatus::TooLarge:
            return Fail(BmpStatus::OutOfResources, "file too large");
        case ReadFileStatus::ReadError:
        case ReadFileStatus::Unstable: // never given by this read
            break;
        }
        return Fail(BmpStatus::CannotOpen, "read error");
    });
}

BmpResult LoadBmp(std::span<const uint8_t> bytes) {
    return Guarded([bytes] {
        BmpResult result = Decode(bytes);
        result.fileBytes = bytes.size();
        return result;
    });
}

} // namespace pindrel
