// Writes the seeds of fuzz_psd and fuzz_ora: small documents of every layout the readers take.
// Build and run from the repository root:
//   c++ -std=c++20 -I. -Itests fuzz/make_mockup_seeds.cpp tests/support/mockup_writer.cpp \
//       tests/support/png_file.cpp build/dev/libpindrel_core.a -lpng -ljpeg -lzip -lexpat -lz
//       -lfreetype \ -lfontconfig -o /tmp/seeds &&
//   /tmp/seeds fuzz/corpus
#include <cstdio>
#include <string>
#include <vector>

#include "support/mockup_writer.h"

using namespace pindrel;

namespace {

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "fuzz/corpus";
    LayeredImage doc;
    doc.width = 12;
    doc.height = 16;
    doc.layers.push_back(test::SolidLayer("background", 0, 0, 12, 16, 200, 210, 220));
    doc.layers.push_back(
        test::PaintedLayer("logo [contact]", -2, 3, 6, 5, [](int32_t x, int32_t y) {
            return (uint32_t(x * 40) << 24) | (uint32_t(y * 50) << 16) | 0x3300u | uint32_t(x * 50);
        }));
    Layer down = test::SolidLayer("down", 2, 10, 5, 3, 0, 0, 0);
    down.visible = false;
    doc.layers.push_back(
        test::Group("button ok id 1", {test::SolidLayer("up", 2, 10, 5, 3, 9, 90, 9), down}));
    doc.layers.push_back(test::SolidLayer("label: name,phone", 1, 1, 8, 2, 0, 0, 0));
    doc.layers.back().opacity = 100;
    test::PsdMask mask{0, 0, 3, 2, {0, 128, 255, 255, 128, 0}, 255, 0};
    test::PsdWriteOptions masked;
    masked.mask = [&](const Layer& l) { return l.name == "up" ? &mask : nullptr; };
    Save(dir + "/fuzz_psd/rle.psd", test::WritePsd(doc));
    Save(dir + "/fuzz_psd/raw.psd", test::WritePsd(doc, {.compression = 0}));
    Save(dir + "/fuzz_psd/zip.psd", test::WritePsd(doc, {.compression = 2}));
    Save(dir + "/fuzz_psd/grey.psd", test::WritePsd(doc, {.greyscale = true}));
    Save(dir + "/fuzz_psd/masked.psd", test::WritePsd(doc, masked));
    Save(dir + "/fuzz_psd/flat.psd", test::WritePsd(doc, {.noLayers = true}));
    Save(dir + "/fuzz_ora/mockup.ora", test::WriteOra(doc));
    return 0;
}
