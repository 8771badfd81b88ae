// Importing a layered mock-up of a 240 x 320 screen: a PSD of 40 canvas-sized layers, as some
// editors store them, read, turned into elements and written as bitmaps and skin text (no
// files: the disk is not what is measured).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/layered_image.h"
#include "skin/mockup_import.h"
#include "support/mockup_writer.h"

namespace {

using namespace pindrel;

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 320;
constexpr int kLayers = 40;

// A gradient background, then discs with anti-aliased edges on otherwise empty layers: every
// layer's bounds must be searched, and every edge blended.
std::vector<uint8_t> Mockup() {
    LayeredImage doc;
    doc.width = kWidth;
    doc.height = kHeight;
    doc.layers.push_back(
        test::PaintedLayer("background", 0, 0, kWidth, kHeight, [](int32_t x, int32_t y) {
            return (uint32_t(x) << 24) | (uint32_t(y * 255 / kHeight) << 16) | 0x8000FFu;
        }));
    for (int i = 1; i < kLayers; ++i) {
        const double cx = 20 + (i * 37) % 200, cy = 20 + (i * 53) % 280, r = 6 + i % 12;
        const uint32_t rgb = (uint32_t(i * 40 % 256) << 16) | (uint32_t(i * 90 % 256) << 8) | 40;
        doc.layers.push_back(test::PaintedLayer(
            "layer " + std::to_string(i), 0, 0, kWidth, kHeight, [&](int32_t x, int32_t y) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                const double cover = std::clamp(r - d + 0.5, 0.0, 1.0);
                return (rgb << 8) | static_cast<uint32_t>(std::lround(cover * 255));
            }));
    }
    return test::WritePsd(doc);
}

void BM_ImportPsd40Layers(benchmark::State& state) {
    const std::vector<uint8_t> psd = Mockup();
    for (auto _ : state) {
        const LayeredResult read = ReadPsd(psd);
        const MockupPlanResult planned = PlanMockupImport(*read.image);
        size_t bytes = NewSkinText(*planned.plan).size();
        for (const MockupBitmap& b : PlanBitmaps(*planned.plan))
            bytes += EncodeMockupBitmap(*b.picture).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ImportPsd40Layers)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
