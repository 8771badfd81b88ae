// Bitmaps from an independent writer, ImageMagick's convert, decode to the pixels that convert
// reads back from them itself. Skipped where convert is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/bmp_decoder.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U16At(const std::vector<uint8_t>& b, size_t at) {
    return b.size() < at + 2 ? 0 : uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8);
}

TEST(LoadBmp, MatchesAnIndependentWriter) {
    if (std::system("convert -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    struct Case {
        const char* name;
        const char* options;
        uint32_t bits, compression; // the layout convert must write, or the case proves nothing
    };
    const Case kCases[] = {
        {"1 bit", "-size 13x7 gradient:red-blue -type Bilevel", 1, 0},
        {"4 bits", "-size 13x7 gradient:red-blue -colors 16 -type Palette -compress None", 4, 0},
        {"8 bits", "-size 37x23 plasma:fractal -seed 3 -colors 200 -type Palette -compress None", 8,
         0},
        {"RLE8", "-size 37x23 plasma:fractal -seed 3 -colors 200 -type Palette -compress RLE", 8,
         1},
        {"24 bits", "-size 33x9 plasma:fractal -seed 3 -type TrueColor", 24, 0},
    };
    const test::TempDir dir;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string bmp = (dir.Path() / "picture.bmp").string();
        const std::string rgb = (dir.Path() / "picture.rgb").string();
        const std::string command = std::string("convert ") + c.options + " 'BMP3:" + bmp +
                                    "' && convert '" + bmp + "' -depth 8 'rgb:" + rgb + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::vector<uint8_t> file = ReadAll(bmp);
        ASSERT_EQ(U16At(file, 28), c.bits);
        ASSERT_EQ(U16At(file, 30), c.compression);

        const BmpResult r = LoadBmp(bmp);
        ASSERT_EQ(r.status, BmpStatus::Ok) << r.reason;
        const ConstPixelView v = r.image->View();
        const std::vector<uint8_t> want = ReadAll(rgb);
        ASSERT_EQ(want.size(), static_cast<size_t>(v.width) * v.height * 3);
        int mismatches = 0;
        for (int32_t y = 0; y < v.height; ++y)
            for (int32_t x = 0; x < v.width; ++x) {
                const uint8_t* w = &want[(static_cast<size_t>(y) * v.width + x) * 3];
                mismatches += v.Pixel(x, y) != Color::FromRgb(w[0], w[1], w[2]);
            }
        EXPECT_EQ(mismatches, 0);
    }
}

} // namespace
} // namespace pindrel
