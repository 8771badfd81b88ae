// Writes the seed bitmaps of fuzz_bmp: one small file per layout the decoder reads.
// Build and run from the repository root:
//   c++ -std=c++20 -I. -Itests fuzz/make_bmp_seeds.cpp tests/support/bmp_writer.cpp -o /tmp/seeds
//   /tmp/seeds fuzz/corpus/fuzz_bmp
#include <cstdio>
#include <string>
#include <vector>

#include "support/bmp_writer.h"

using pindrel::Color;
using pindrel::test::BmpFile;
using pindrel::test::PackRows;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::vector<uint32_t> idx = {0, 1, 2, 3, 3, 3, 1, 0, 2, 2, 2,
                                       2, 1, 0, 3, 1, 1, 1, 0, 2, 3};
    const std::vector<uint32_t> bits = {0, 1, 1, 0, 1, 1, 1, 0, 0, 1, 0,
                                        1, 0, 1, 1, 0, 0, 1, 0, 1, 1};
    const std::vector<Color> pal = {Color(0x0000FF), Color(0x00FF00), Color(0xFF0000),
                                    Color(0x808080)};
    const std::vector<uint32_t> words = {0x7FFF, 0x001F, 0x03E0, 0x7C00, 0x8000, 0x1234};
    const std::vector<uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF,
                                       0,        1,        2,        3};
    const struct {
        const char* name;
        BmpFile file;
    } kSeeds[] = {
        {"bits1.bmp",
         BmpFile().Size(7, 3).Bits(1).Colors({pal[0], pal[3]}).Data(PackRows(1, 7, bits))},
        {"bits2.bmp", BmpFile().Size(7, 3).Bits(2).Colors(pal).Data(PackRows(2, 7, idx))},
        {"bits4.bmp", BmpFile().Size(7, 3).Bits(4).Colors(pal).Data(PackRows(4, 7, idx))},
        {"bits4_core.bmp", BmpFile()
                               .Size(7, 3)
                               .Bits(4)
                               .Core()
                               .Colors(std::vector<Color>(16, pal[2]))
                               .Data(PackRows(4, 7, idx))},
        {"bits8.bmp", BmpFile().Size(3, 7).Bits(8).Colors(pal).Data(PackRows(8, 3, idx))},
        {"rle8.bmp",
         BmpFile().Size(7, 3).Bits(8, 1).Colors(pal).Data(pindrel::test::EncodeRle8(7, idx))},
        {"rle8_delta.bmp", BmpFile().Size(6, 3).Bits(8, 1).Colors(pal).Data(
                               {3, 1, 0, 2, 2, 1, 0, 3, 1, 2, 3, 0, 0, 0, 2, 3, 0, 1})},
        {"rle4.bmp",
         BmpFile().Size(7, 3).Bits(4, 2).Colors(pal).Data(pindrel::test::EncodeRle4(7, idx))},
        {"bits16.bmp", BmpFile().Size(3, 2).Bits(16).Data(PackRows(16, 3, words))},
        {"bits16_565.bmp", BmpFile()
                               .Size(3, 2)
                               .Bits(16, 3)
                               .Masks({0xF800, 0x07E0, 0x001F})
                               .Data(PackRows(16, 3, words))},
        {"bits24.bmp", BmpFile().Size(3, 3).Bits(24).Data(PackRows(24, 3, rgb))},
        {"bits24_topdown.bmp", BmpFile().Size(3, -3).Bits(24).Data(PackRows(24, 3, rgb))},
        {"bits32.bmp", BmpFile().Size(3, 3).Bits(32).Data(PackRows(32, 3, rgb))},
        {"bits32_fields.bmp", BmpFile()
                                  .Size(3, 3)
                                  .Bits(32, 3)
                                  .Masks({0x3FF00000, 0xFFC00, 0x3FF})
                                  .Data(PackRows(32, 3, rgb))},
    };
    for (const auto& s : kSeeds) {
        const std::vector<uint8_t> bytes = pindrel::test::WriteBmp(s.file);
        const std::string path = std::string(argv[1]) + "/" + s.name;
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return 1;
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    return 0;
}
