// Scaling the 240 x 200 caller photo down to 120 x 100 and up to 320 x 267, side by side with
// stb_image_resize on the same pixels.
#include <benchmark/benchmark.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>

#include <string>

#include "render/canvas.h"
#include "render/scale_bitmap.h"
#include "side_by_side.h"

namespace {

using namespace pindrel;

const Canvas& Photo() {
    static const Canvas photo = [] {
        Canvas c(240, 200);
        uint32_t noise = 7;
        for (int32_t y = 0; y < c.Height(); ++y)
            for (int32_t x = 0; x < c.Width(); ++x) {
                noise = noise * 1103515245u + 12345u;
                c.View().SetPixel(x, y,
                                  Color::FromRgb(static_cast<uint8_t>(x + (noise >> 28)),
                                                 static_cast<uint8_t>(y * 2),
                                                 static_cast<uint8_t>(x ^ y)));
            }
        return c;
    }();
    return photo;
}

void Ours(benchmark::State& state, int32_t cx, int32_t cy) {
    Canvas target(cx, cy);
    for (auto _ : state) {
        ScaleBitmap(target.View(), Photo().View(), 0, 0, cx, cy);
        benchmark::DoNotOptimize(target.Data());
    }
}

void Stbir(benchmark::State& state, int32_t cx, int32_t cy) {
    Canvas target(cx, cy);
    const Canvas& photo = Photo();
    for (auto _ : state) {
        stbir_resize_uint8(photo.Data(), photo.Width(), photo.Height(), photo.Stride(),
                           target.Data(), cx, cy, target.Stride(), 3);
        benchmark::DoNotOptimize(target.Data());
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const int32_t kSizes[][2] = {{120, 100}, {320, 267}};
    for (const auto& s : kSizes) {
        const std::string name =
            "scale 240x200 to " + std::to_string(s[0]) + "x" + std::to_string(s[1]);
        benchmark::RegisterBenchmark((name + "/ours").c_str(), Ours, s[0], s[1])
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/stbir").c_str(), Stbir, s[0], s[1])
            ->Unit(benchmark::kMicrosecond);
    }
    pindrel::bench::SideBySideReporter reporter("stbir");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
