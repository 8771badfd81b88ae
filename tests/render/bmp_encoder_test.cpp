#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "render/bmp_decoder.h"
#include "render/bmp_encoder.h"
#include "render/picture_flatten.h"
#include "support/pictures.h"

namespace pindrel {
namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b.at(at)} | (uint32_t{b.at(at + 1)} << 8) | (uint32_t{b.at(at + 2)} << 16) |
           (uint32_t{b.at(at + 3)} << 24);
}

// Distinct colours for distinct i.
Color Shade(uint32_t i) {
    return Color::FromRgb(static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 100);
}

TEST(EncodeBmp, EveryEncodingReadsBackExactly) {
    // Runs of every length class RLE8 treats apart: single pixels, pairs, 3 and more, runs
    // longer than a count holds, absolute runs of odd and even length, and a row of one pixel.
    const struct {
        const char* name;
        std::function<Color(int32_t, int32_t)> pixel;
    } kPatterns[] = {
        {"flat", [](int32_t, int32_t) { return Shade(3); }},
        {"every pixel new", [](int32_t x, int32_t y) { return Shade((x * 7 + y * 3) % 256); }},
        {"runs of 1 to 4", [](int32_t x, int32_t y) { return Shade((x / (1 + y % 4)) % 5); }},
        {"pairs", [](int32_t x, int32_t) { return Shade((x / 2) % 2); }},
        {"noise of 256 colours",
         [](int32_t x, int32_t y) { return Shade((x * 2654435761u ^ y * 40503u) % 256); }},
    };
    const int32_t kWidths[] = {1, 2, 3, 4, 5, 7, 254, 255, 256, 257, 511};
    for (const auto& p : kPatterns) {
        for (const int32_t w : kWidths) {
            SCOPED_TRACE(std::string(p.name) + ", width " + std::to_string(w));
            const DibImage image = test::Picture(w, 5, p.pixel);
            for (const auto& [e, bits, compression] : {std::tuple{BmpEncoding::Rgb24, 24u, 0u},
                                                       std::tuple{BmpEncoding::Palette8, 8u, 0u},
                                                       std::tuple{BmpEncoding::Rle8, 8u, 1u}}) {
                SCOPED_TRACE(bits + compression);
                const BmpEncodeResult r = EncodeBmp(image, e);
                ASSERT_FALSE(r.bytes.empty());
                EXPECT_EQ(U32At(r.bytes, 14), 40u);                                 // header size
                EXPECT_EQ(U32At(r.bytes, 22), 5u);                                  // bottom-up
                EXPECT_EQ(U32At(r.bytes, 26) >> 16, bits);                          // bit count
                EXPECT_EQ(U32At(r.bytes, 30), compression);                         //
                EXPECT_EQ(U32At(r.bytes, 2), r.bytes.size());                       // file size
                EXPECT_EQ(U32At(r.bytes, 34), r.bytes.size() - U32At(r.bytes, 10)); // image size
                const BmpResult back = LoadBmp(r.bytes);
                ASSERT_TRUE(back.image) << back.reason;
                EXPECT_TRUE(std::ranges::equal(back.image->Bytes(), image.Bytes()));
            }
        }
    }
}

TEST(EncodeBmp, PalettesAreExactOrRefused) {
    for (const uint32_t n : {1u, 2u, 255u, 256u, 257u, 1000u}) {
        SCOPED_TRACE(n);
        const DibImage image =
            test::Picture(40, 25, [n](int32_t x, int32_t y) { return Shade((y * 40 + x) % n); });
        for (const BmpEncoding e : {BmpEncoding::Palette8, BmpEncoding::Rle8}) {
            const BmpEncodeResult r = EncodeBmp(image, e);
            EXPECT_EQ(r.colours, n);
            if (n > 256) {
                EXPECT_TRUE(r.bytes.empty());
                continue;
            }
            ASSERT_FALSE(r.bytes.empty());
            EXPECT_EQ(U32At(r.bytes, 46), n); // colours used: the table holds no others
            EXPECT_EQ(U32At(r.bytes, 10), 54 + 4 * n);
        }
    }
}

TEST(EncodeBmp, RunLengthsShrinkFlatArt) {
    // A skin background: a fill, a band and a framed box.
    const DibImage image = test::Picture(240, 320, [](int32_t x, int32_t y) {
        if (y < 40) return Color::FromRgb(20, 30, 90);
        if (x > 30 && x < 210 && y > 100 && y < 200)
            return x == 31 || x == 209 || y == 101 || y == 199 ? kWhite : kBlack;
        return Color::FromRgb(40, 40, 40);
    });
    const size_t rgb = EncodeBmp(image, BmpEncoding::Rgb24).bytes.size();
    const size_t rle = EncodeBmp(image, BmpEncoding::Rle8).bytes.size();
    EXPECT_LT(rle * 50, rgb) << rle << " vs " << rgb;
}

TEST(FlattenPicture, AlphaRules) {
    const Color key = Color::FromRgb(255, 0, 255);
    const Color bg = Color::FromRgb(10, 20, 30);
    struct Case {
        const char* name;
        std::array<uint8_t, 4> rgba;
        std::optional<Color> key;
        Color want;
        uint64_t keyed; // opaque pixels of the key colour
    };
    const Case kCases[] = {
        {"opaque stays", {200, 100, 50, 255}, std::nullopt, Color::FromRgb(200, 100, 50), 0},
        {"transparent becomes the background", {200, 100, 50, 0}, std::nullopt, bg, 0},
        // (200 * 128 + 10 * 127 + 127) / 255 = 105, (100 * 128 + 20 * 127 + 127) / 255 = 60 ...
        {"half composited", {200, 100, 50, 128}, std::nullopt, Color::FromRgb(105, 60, 40), 0},
        {"below 128 takes the key", {200, 100, 50, 127}, key, key, 0},
        {"128 is composited with a key", {200, 100, 50, 128}, key, Color::FromRgb(105, 60, 40), 0},
        {"transparent key colour is fine", {255, 0, 255, 0}, key, key, 0},
        {"opaque key colour is counted", {255, 0, 255, 255}, key, key, 1},
        {"without a key nothing is counted", {255, 0, 255, 255}, std::nullopt, key, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        RgbaPicture picture{2, 1, {c.rgba[0], c.rgba[1], c.rgba[2], c.rgba[3], 1, 2, 3, 255}};
        const FlattenResult r = FlattenPicture(picture, {c.key, bg});
        ASSERT_TRUE(r.image);
        EXPECT_EQ(r.image->View().Pixel(0, 0), c.want);
        EXPECT_EQ(r.image->View().Pixel(1, 0), Color::FromRgb(1, 2, 3));
        EXPECT_EQ(r.opaqueKeyPixels, c.keyed);
    }
    // The background defaults to white.
    RgbaPicture clear{1, 1, {0, 0, 0, 0}};
    EXPECT_EQ(FlattenPicture(clear, {}).image->View().Pixel(0, 0), kWhite);
}

} // namespace
} // namespace pindrel
