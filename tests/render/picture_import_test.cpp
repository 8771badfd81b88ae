#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

#include "render/bmp_decoder.h"
#include "render/bmp_encoder.h"
#include "render/picture_flatten.h"
#include "render/picture_import.h"
#include "support/bmp_writer.h"
#include "support/png_file.h"

namespace pindrel {
namespace {

struct Rgba {
    uint8_t r, g, b, a;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

std::string Text(Rgba c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a);
}

void ExpectPixels(const ImportResult& r, int32_t w, int32_t h,
                  const std::function<Rgba(int32_t, int32_t)>& want) {
    ASSERT_TRUE(r.picture) << r.reason;
    ASSERT_EQ(r.picture->width, w);
    ASSERT_EQ(r.picture->height, h);
    int mismatches = 0;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* p = r.picture->Pixel(x, y);
            const Rgba got{p[0], p[1], p[2], p[3]};
            if (got != want(x, y) && ++mismatches <= 3)
                ADD_FAILURE() << "at " << x << "," << y << ": " << Text(got) << ", want "
                              << Text(want(x, y));
        }
    }
}

// Every output form reads back through the skin decoder as exactly the flattened picture.
void ExpectRoundTrips(const RgbaPicture& picture) {
    const FlattenResult flat = FlattenPicture(picture, {});
    ASSERT_TRUE(flat.image);
    for (const BmpEncoding e : {BmpEncoding::Rgb24, BmpEncoding::Palette8, BmpEncoding::Rle8}) {
        SCOPED_TRACE(static_cast<int>(e));
        const BmpEncodeResult encoded = EncodeBmp(*flat.image, e);
        const BmpResult back = LoadBmp(encoded.bytes);
        ASSERT_TRUE(back.image) << back.reason;
        EXPECT_EQ(back.image->Width(), flat.image->Width());
        EXPECT_EQ(back.image->Height(), flat.image->Height());
        EXPECT_TRUE(std::ranges::equal(back.image->Bytes(), flat.image->Bytes()));
    }
}

uint32_t Hash(int32_t x, int32_t y, int32_t c) {
    return (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u) ^
           (static_cast<uint32_t>(c + 1) * 83492791u);
}

// A sample at full depth as the reader gives it in 8 bits.
uint8_t To8(uint32_t v, int depth) {
    return static_cast<uint8_t>(depth == 16 ? v >> 8 : v * 255 / ((1u << depth) - 1));
}

TEST(ImportPicture, ReadsEveryPngLayout) {
    struct Case {
        const char* name;
        int colorType, depth;
        bool trns = false, interlaced = false;
    };
    const Case kCases[] = {
        {"gray 1", 0, 1},
        {"gray 2", 0, 2},
        {"gray 4", 0, 4},
        {"gray 8", 0, 8},
        {"gray 16", 0, 16},
        {"gray 2 with tRNS", 0, 2, true},
        {"gray 16 with tRNS", 0, 16, true},
        {"RGB 8", 2, 8},
        {"RGB 16", 2, 16},
        {"RGB 8 with tRNS", 2, 8, true},
        {"RGB 16 with tRNS", 2, 16, true},
        {"palette 1", 3, 1},
        {"palette 2", 3, 2},
        {"palette 4", 3, 4},
        {"palette 8", 3, 8},
        {"palette 8 with tRNS", 3, 8, true},
        {"gray-alpha 8", 4, 8},
        {"gray-alpha 16", 4, 16},
        {"RGBA 8", 6, 8},
        {"RGBA 16", 6, 16},
        {"RGB 8 interlaced", 2, 8, false, true},
        {"palette 4 interlaced with tRNS", 3, 4, true, true},
    };
    constexpr int32_t kW = 9, kH = 6;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        test::PngFile f;
        f.width = kW;
        f.height = kH;
        f.colorType = c.colorType;
        f.bitDepth = c.depth;
        f.interlaced = c.interlaced;
        const int channels = test::PngChannels(c.colorType);
        const uint32_t maxValue = (1u << c.depth) - 1;
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x)
                for (int k = 0; k < channels; ++k)
                    f.samples.push_back(static_cast<uint16_t>(Hash(x, y, k) & maxValue));
        const bool palette = c.colorType == 3;
        if (palette) {
            for (uint32_t i = 0; i <= maxValue; ++i)
                f.paletteRgb.insert(f.paletteRgb.end(),
                                    {static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 91 + 5),
                                     static_cast<uint8_t>(255 - i)});
            if (c.trns) f.paletteAlpha = {0, 128, 200};
        } else if (c.trns) {
            // Pixel (0, 0) is the transparent colour; pixel (1, 0) differs from it in the lowest
            // bit only, which 16-bit channels lose, and stays opaque.
            f.transparent.emplace(f.samples.begin(), f.samples.begin() + channels);
            for (int k = 0; k < channels; ++k)
                f.samples[static_cast<size_t>(channels + k)] =
                    f.samples[static_cast<size_t>(k)] ^ 1;
        }
        const auto want = [&](int32_t x, int32_t y) {
            const auto at = static_cast<size_t>((y * kW + x) * channels);
            const uint16_t* s = f.samples.data() + at;
            if (palette) {
                const uint8_t* e = f.paletteRgb.data() + 3 * s[0];
                return Rgba{e[0], e[1], e[2],
                            s[0] < f.paletteAlpha.size() ? f.paletteAlpha[s[0]] : uint8_t{255}};
            }
            bool keyed = f.transparent.has_value();
            for (int k = 0; k < channels && keyed; ++k)
                keyed = s[k] == (*f.transparent)[static_cast<size_t>(k)];
            const uint8_t a = keyed ? 0 : 255;
            switch (channels) {
            case 1:
                return Rgba{To8(s[0], c.depth), To8(s[0], c.depth), To8(s[0], c.depth), a};
            case 2:
                return Rgba{To8(s[0], c.depth), To8(s[0], c.depth), To8(s[0], c.depth),
                            To8(s[1], c.depth)};
            case 3:
                return Rgba{To8(s[0], c.depth), To8(s[1], c.depth), To8(s[2], c.depth), a};
            default:
                return Rgba{To8(s[0], c.depth), To8(s[1], c.depth), To8(s[2], c.depth),
                            To8(s[3], c.depth)};
            }
        };
        const ImportResult r = ImportPicture(test::WritePngFile(f));
        ExpectPixels(r, kW, kH, want);
        if (r.picture) ExpectRoundTrips(*r.picture);
    }
}

TEST(ImportPicture, ReadsEveryBmpHeader) {
    constexpr int32_t kW = 5, kH = 3;
    // Picture row y from the top; alpha takes every value class: 0, partial, 255.
    const auto rgba = [](int32_t x, int32_t y) {
        return Rgba{static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y * 80 + 7),
                    static_cast<uint8_t>(x * y * 30 + 10), static_cast<uint8_t>((x + y * 5) * 17)};
    };
    const auto opaque = [&](int32_t x, int32_t y) {
        Rgba c = rgba(x, y);
        c.a = 255;
        return c;
    };
    // Stored values, rows in file order (bottom-up unless topDown).
    const auto values = [&](const std::function<uint32_t(Rgba)>& pack, bool topDown = false) {
        std::vector<uint32_t> v;
        for (int32_t k = 0; k < kH; ++k)
            for (int32_t x = 0; x < kW; ++x)
                v.push_back(pack(rgba(x, topDown ? k : kH - 1 - k)));
        return v;
    };
    const auto bgra = [](Rgba c) {
        return (uint32_t{c.a} << 24) | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    };
    const auto rgbaOrder = [](Rgba c) {
        return (uint32_t{c.r} << 24) | (uint32_t{c.g} << 16) | (uint32_t{c.b} << 8) | c.a;
    };
    const auto bgr = [](Rgba c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; };
    const std::vector<uint32_t> kBgraMasks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const auto file32 = [&](uint32_t infoSize, uint32_t compression) {
        return test::BmpFile()
            .Size(kW, kH)
            .InfoSize(infoSize)
            .Bits(32, compression)
            .Masks(kBgraMasks)
            .Data(test::PackRows(32, kW, values(bgra)));
    };
    // 16 bits, 1-5-5-5: five-bit channels widen by repeating their top bits, alpha is one bit.
    const auto five = [](uint8_t v) { return static_cast<uint8_t>((v >> 3 << 3) | (v >> 5)); };
    const auto argb1555 = [](Rgba c) {
        return (uint32_t{c.a >= 128} << 15) | (uint32_t{c.r} >> 3 << 10) |
               (uint32_t{c.g} >> 3 << 5) | (uint32_t{c.b} >> 3);
    };
    const std::vector<Color> palette = {Color::FromRgb(1, 2, 3), Color::FromRgb(200, 100, 50),
                                        Color::FromRgb(9, 250, 9)};
    std::vector<Color> palette16 = palette; // a core header's table is always full
    palette16.resize(16);
    const auto index = [](int32_t x, int32_t y) { return static_cast<uint32_t>((x + y) % 3); };
    std::vector<uint32_t> indices;
    for (int32_t k = 0; k < kH; ++k)
        for (int32_t x = 0; x < kW; ++x)
            indices.push_back(index(x, kH - 1 - k));
    const auto paletted = [&](int32_t x, int32_t y) {
        const Color c = palette[index(x, y)];
        return Rgba{c.R(), c.G(), c.B(), 255};
    };

    struct Case {
        const char* name;
        test::BmpFile file;
        std::function<Rgba(int32_t, int32_t)> want;
    };
    const Case kCases[] = {
        {"124 bytes, 32 bits with alpha", file32(124, 3), rgba},
        {"108 bytes, 32 bits with alpha", file32(108, 3), rgba},
        {"56 bytes, 32 bits with alpha", file32(56, 3), rgba},
        {"52 bytes: no alpha mask", file32(52, 3), opaque},
        {"40 bytes, alpha bit fields", file32(40, 6), rgba},
        {"40 bytes, bit fields without alpha", file32(40, 3), opaque},
        {"124 bytes, masks in RGBA order",
         test::BmpFile()
             .Size(kW, kH)
             .InfoSize(124)
             .Bits(32, 3)
             .Masks({0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF})
             .Data(test::PackRows(32, kW, values(rgbaOrder))),
         rgba},
        {"40 bytes, 32 bits, alpha in the fourth byte",
         test::BmpFile().Size(kW, kH).Bits(32).Data(test::PackRows(32, kW, values(bgra))), rgba},
        {"40 bytes, 32 bits, fourth byte all zero",
         test::BmpFile().Size(kW, kH).Bits(32).Data(test::PackRows(32, kW, values(bgr))), opaque},
        {"124 bytes, 16 bits 1-5-5-5 with alpha",
         test::BmpFile()
             .Size(kW, kH)
             .InfoSize(124)
             .Bits(16, 3)
             .Masks({0x7C00, 0x03E0, 0x001F, 0x8000})
             .Data(test::PackRows(16, kW, values(argb1555))),
         [&](int32_t x, int32_t y) {
             const Rgba c = rgba(x, y);
             return Rgba{five(c.r), five(c.g), five(c.b), c.a >= 128 ? uint8_t{255} : uint8_t{0}};
         }},
        {"124 bytes, 24 bits top-down",
         test::BmpFile().Size(kW, -kH).InfoSize(124).Bits(24).Data(
             test::PackRows(24, kW, values(bgr, true))),
         opaque},
        {"108 bytes, 8 bits with a palette",
         test::BmpFile().Size(kW, kH).InfoSize(108).Bits(8).Colors(palette).Data(
             test::PackRows(8, kW, indices)),
         paletted},
        {"124 bytes, RLE8",
         test::BmpFile().Size(kW, kH).InfoSize(124).Bits(8, 1).Colors(palette).Data(
             test::EncodeRle8(kW, indices)),
         paletted},
        {"12 bytes, 4 bits",
         test::BmpFile().Size(kW, kH).Core().Bits(4).Colors(palette16).Data(
             test::PackRows(4, kW, indices)),
         paletted},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ImportResult r = ImportPicture(test::WriteBmp(c.file));
        ExpectPixels(r, kW, kH, c.want);
        if (r.picture) ExpectRoundTrips(*r.picture);
    }
}

// A progressive scan script of n scans (n from 380 to 569) for three components: the DC in two
// steps, then every AC coefficient of every component alone, in two or three steps.
std::vector<jpeg_scan_info> ManyScans(int n) {
    std::vector<jpeg_scan_info> script = {{3, {0, 1, 2, 0}, 0, 0, 0, 1},
                                          {3, {0, 1, 2, 0}, 0, 0, 1, 0}};
    int extra = n - 2 - 3 * 63 * 2;
    for (int c = 0; c < 3; ++c) {
        for (int k = 1; k < 64; ++k) {
            const int low = extra-- > 0 ? 2 : 1;
            script.push_back({1, {c, 0, 0, 0}, k, k, 0, low});
            for (int a = low; a > 0; --a)
                script.push_back({1, {c, 0, 0, 0}, k, k, a, a - 1});
        }
    }
    return script;
}

// A JPEG written by libjpeg at the highest quality; with scans, progressive in that many.
std::vector<uint8_t> WriteJpeg(int32_t w, int32_t h, bool gray, Rgba colour, int scans = 0) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = gray ? 1 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    const std::vector<jpeg_scan_info> script =
        scans > 0 ? ManyScans(scans) : std::vector<jpeg_scan_info>{};
    if (!script.empty()) {
        cinfo.scan_info = script.data();
        cinfo.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row;
    for (int32_t x = 0; x < w; ++x) {
        if (gray) {
            row.push_back(colour.r);
        } else {
            row.insert(row.end(), {colour.r, colour.g, colour.b});
        }
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TEST(ImportPicture, ReadsJpeg) {
    for (const bool gray : {false, true}) {
        SCOPED_TRACE(gray ? "gray" : "colour");
        const Rgba colour = gray ? Rgba{90, 90, 90, 255} : Rgba{200, 40, 120, 255};
        const ImportResult r = ImportPicture(WriteJpeg(17, 9, gray, colour));
        ASSERT_TRUE(r.picture) << r.reason;
        ASSERT_EQ(r.picture->width, 17);
        ASSERT_EQ(r.picture->height, 9);
        const uint8_t* p = r.picture->Pixel(8, 4);
        EXPECT_NEAR(p[0], colour.r, 3);
        EXPECT_NEAR(p[1], colour.g, 3);
        EXPECT_NEAR(p[2], colour.b, 3);
        EXPECT_EQ(p[3], 255);
    }
}

TEST(ImportPicture, RefusesWhatItCannotRead) {
    test::PngFile small;
    small.samples = {1, 2, 3};
    const std::vector<uint8_t> png = test::WritePngFile(small);
    // IHDR says 70000 pixels wide, with a matching CRC.
    std::vector<uint8_t> huge = png;
    huge[16] = 0;
    huge[17] = 1;
    huge[18] = 0x11;
    huge[19] = 0x70;
    const uLong crc = crc32(0, huge.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    // IHDR says bit depth 3, with a matching CRC.
    std::vector<uint8_t> depth3 = png;
    depth3[24] = 3;
    const uLong crc3 = crc32(0, depth3.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        depth3[29 + i] = static_cast<uint8_t>(crc3 >> (24 - 8 * i));
    const std::vector<uint8_t> plain =
        test::WriteBmp(test::BmpFile().Size(1, 1).Data({0, 0, 0, 0}));
    std::vector<uint8_t> bmp64 = plain;
    test::PutU32(bmp64, 14, 64);
    std::vector<uint8_t> embedded = test::WriteBmp(test::BmpFile().Size(2, 2).Bits(24, 5));
    const std::vector<uint8_t> jpeg = WriteJpeg(8, 8, false, {1, 2, 3, 255});
    const std::vector<uint8_t> big = WriteJpeg(64, 64, false, {1, 2, 3, 255});
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    const Case kCases[] = {
        {"empty", {}, "neither a PNG, a JPEG nor a BMP file"},
        {"another format", {'G', 'I', 'F', '8', '9', 'a', 0, 0}, "neither"},
        {"PNG cut short", {png.begin(), png.begin() + 40}, "truncated PNG"},
        {"PNG beyond the size limit", huge, "picture too large"},
        {"PNG of an impossible depth", depth3, "damaged PNG header: its size, depth or colour"},
        {"JPEG cut in its header", {jpeg.begin(), jpeg.begin() + 30}, ""},
        {"JPEG cut in its rows", {big.begin(), big.end() - 40}, "truncated JPEG"},
        {"JPEG of 480 scans", WriteJpeg(16, 16, false, {1, 2, 3, 255}, 480), "more than 64 scans"},
        {"BMP with a 64-byte header", bmp64, "unsupported header size 64"},
        {"BMP holding a PNG", embedded, "a BMP holding a JPEG or PNG picture"},
        {"BMP cut in its header", {plain.begin(), plain.begin() + 30}, "truncated header"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ImportResult r = ImportPicture(c.bytes);
        EXPECT_FALSE(r.picture);
        EXPECT_FALSE(r.reason.empty());
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    }
}

} // namespace
} // namespace pindrel
