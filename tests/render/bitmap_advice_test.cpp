#include <gtest/gtest.h>

#include "render/bitmap_advice.h"
#include "support/bmp_writer.h"

namespace pindrel {
namespace {

TEST(AdviseOnBitmap, NamesTheProblemAndTheCommand) {
    const auto bmp = [](uint32_t infoSize, uint32_t compression = 0) {
        return test::WriteBmp(test::BmpFile().Size(1, 1).InfoSize(infoSize).Bits(32, compression));
    };
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0};
    const std::vector<uint8_t> other = {'G', 'I', 'F', '8', '9', 'a'};
    struct Case {
        const char* name;
        std::vector<uint8_t> head;
        const char* file;
        const char* problem; // empty: no advice
        const char* fix;
    };
    const Case kCases[] = {
        {"124-byte header", bmp(124, 3), "a.bmp",
         "a.bmp has a 124-byte header (colour-space information), which skins cannot use",
         "save it without colour-space information or run: pindrel-cli convert a.bmp -o a.bmp"},
        {"108-byte header", bmp(108), "art/b.BMP", "art/b.BMP has a 108-byte header",
         "run: pindrel-cli convert art/b.BMP -o art/b.BMP"},
        {"56-byte header", bmp(56, 3), "c.bmp", "c.bmp has a 56-byte header (bit fields)",
         "save it as a 24-bit BMP or run: pindrel-cli convert c.bmp -o c.bmp"},
        {"alpha bit fields", bmp(40, 6), "d.bmp", "d.bmp has alpha bit fields",
         "pindrel-cli convert d.bmp -o d.bmp"},
        {"PNG bytes under a BMP name", png, "e.bmp",
         "e.bmp is not a BMP but a PNG picture, which skins cannot use",
         "run: pindrel-cli convert e.bmp -o e.bmp"},
        {"PNG under its own name", png, "art/f.png", "art/f.png is not a BMP but a PNG picture",
         "run: pindrel-cli convert art/f.png -o art/f.bmp and name art/f.bmp in the skin"},
        {"JPEG bytes", jpeg, "g.jpeg", "g.jpeg is not a BMP but a JPEG picture",
         "convert g.jpeg -o g.bmp and name g.bmp"},
        {"a PNG name, bytes of no known kind", other, "h.PNG",
         "h.PNG is not a BMP, which skins cannot use", "convert h.PNG -o h.bmp"},
        {"a name the shell must quote", png, "my art's.png", "my art's.png is not a BMP",
         "convert 'my art'\\''s.png' -o 'my art'\\''s.bmp' and name my art's.bmp"},
        {"a dotted folder", png, "v1.2/pic", "", "convert v1.2/pic -o v1.2/pic.bmp"},
        {"a BMP the decoder reads", bmp(40), "i.bmp", "", ""},
        {"bytes of no known kind", other, "j.bmp", "", ""},
        {"an empty file", {}, "k.bmp", "", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto advice = AdviseOnBitmap(c.head, c.file);
        if (*c.problem == 0 && *c.fix == 0) {
            EXPECT_FALSE(advice) << advice->problem;
            continue;
        }
        ASSERT_TRUE(advice);
        EXPECT_NE(advice->problem.find(c.problem), std::string::npos) << advice->problem;
        EXPECT_NE(advice->fix.find(c.fix), std::string::npos) << advice->fix;
    }
}

TEST(AdviseOnBitmap, ConvertsTransparencyToTheKeyColour) {
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    const auto bmp = test::WriteBmp(test::BmpFile().Size(1, 1).InfoSize(124).Bits(32, 3));
    const Color key = Color::FromRgb(255, 0, 128);
    const auto fromPng = AdviseOnBitmap(png, "warn.png", key);
    ASSERT_TRUE(fromPng);
    EXPECT_NE(fromPng->fix.find("convert warn.png -o warn.bmp --key 255,0,128 and name warn.bmp"),
              std::string::npos)
        << fromPng->fix;
    const auto fromBmp = AdviseOnBitmap(bmp, "a.bmp", key);
    ASSERT_TRUE(fromBmp);
    EXPECT_NE(fromBmp->fix.find("convert a.bmp -o a.bmp --key 255,0,128"), std::string::npos)
        << fromBmp->fix;
}

} // namespace
} // namespace pindrel
