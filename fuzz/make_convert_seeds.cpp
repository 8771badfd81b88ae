// Writes the seeds of fuzz_convert: small PNGs and BMPs of the layouts only the converter reads.
// Build and run from the repository root:
//   c++ -std=c++20 -I. -Itests fuzz/make_convert_seeds.cpp tests/support/bmp_writer.cpp \
//       tests/support/png_file.cpp -lpng -o /tmp/seeds && /tmp/seeds fuzz/corpus/fuzz_convert
// The JPEG seeds come from any JPEG writer, baseline and progressive, a few pixels each.
#include <cstdio>
#include <string>
#include <vector>

#include "support/bmp_writer.h"
#include "support/png_file.h"

using pindrel::test::BmpFile;
using pindrel::test::PackRows;
using pindrel::test::PngFile;

namespace {

PngFile Png(int type, int depth, bool interlaced = false) {
    PngFile f;
    f.width = 5;
    f.height = 3;
    f.colorType = type;
    f.bitDepth = depth;
    f.interlaced = interlaced;
    const auto n = static_cast<size_t>(f.width * f.height * pindrel::test::PngChannels(type));
    for (size_t i = 0; i < n; ++i)
        f.samples.push_back(static_cast<uint16_t>((i * 2654435761u) & ((1u << depth) - 1)));
    if (type == 3) {
        for (uint32_t i = 0; i < (1u << depth); ++i)
            f.paletteRgb.insert(f.paletteRgb.end(), {static_cast<uint8_t>(i * 40), 9, 200});
        f.paletteAlpha = {0, 128};
    }
    return f;
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = std::string(argv[1]) + "/";
    PngFile trns = Png(0, 16);
    trns.transparent = std::vector<uint16_t>{trns.samples[0]};
    const struct {
        const char* name;
        PngFile file;
    } kPngs[] = {{"gray1.png", Png(0, 1)},
                 {"gray16_trns.png", trns},
                 {"palette4_adam7.png", Png(3, 4, true)},
                 {"rgb8.png", Png(2, 8)},
                 {"gray_alpha8.png", Png(4, 8)},
                 {"rgba16.png", Png(6, 16)}};
    for (const auto& s : kPngs)
        if (!Save(dir + s.name, pindrel::test::WritePngFile(s.file))) return 1;

    const std::vector<uint32_t> argb = {0xFF102030, 0x80FF0000, 0x0000FF00,
                                        0x400000FF, 0xFFFFFFFF, 0x00000000};
    const std::vector<uint32_t> bgra = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
    const struct {
        const char* name;
        BmpFile file;
    } kBmps[] = {
        {"v5_32_alpha.bmp", BmpFile()
                                .Size(3, 2)
                                .InfoSize(124)
                                .Bits(32, 3)
                                .Masks({0xFF0000, 0xFF00, 0xFF, 0xFF000000})
                                .Data(PackRows(32, 3, argb))},
        {"v4_8_palette.bmp", BmpFile()
                                 .Size(3, 2)
                                 .InfoSize(108)
                                 .Bits(8)
                                 .Colors({pindrel::Color(0xFF), pindrel::Color(0xFF00)})
                                 .Data(PackRows(8, 3, std::vector<uint32_t>{0, 1, 1, 0, 0, 1}))},
        {"v3_16_1555.bmp",
         BmpFile()
             .Size(3, 2)
             .InfoSize(56)
             .Bits(16, 3)
             .Masks({0x7C00, 0x03E0, 0x001F, 0x8000})
             .Data(PackRows(16, 3,
                            std::vector<uint32_t>{0xFFFF, 0x7C00, 0x83E0, 0x001F, 0x8000, 1}))},
        {"info_alpha_fields.bmp",
         BmpFile().Size(3, 2).Bits(32, 6).Masks(bgra).Data(PackRows(32, 3, argb))},
        {"v5_rle8.bmp",
         BmpFile()
             .Size(7, 1)
             .InfoSize(124)
             .Bits(8, 1)
             .Colors({pindrel::Color(0xFF), pindrel::Color(0xFF00)})
             .Data(pindrel::test::EncodeRle8(7, std::vector<uint32_t>{0, 0, 0, 1, 0, 1, 1}))},
    };
    for (const auto& s : kBmps)
        if (!Save(dir + s.name, pindrel::test::WriteBmp(s.file))) return 1;
    return 0;
}
