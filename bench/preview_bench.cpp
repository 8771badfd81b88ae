// One whole preview frame at 240 x 320 for a heavy skin: background, 20 images (8 resized, 4
// framed), 6 buttons, a framed photo and 8 labels of three fields; and the same without labels.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "bench_skins.h"
#include "render/bmp_decoder.h"
#include "skin/draw_screen.h"
#include "skin/field_text.h"
#include "skin/skin.h"

namespace {

using namespace pindrel;

class BenchSkin : public Skin {
public:
    std::string GetFieldText(int32_t field) override {
        return FieldText(field, CallType::ContactWithPicture, info, "12:34");
    }
    CallType GetCallType(ConstPixelView* p) override {
        if (p) *p = photo;
        return CallType::ContactWithPicture;
    }
    CallerInfo info;
    ConstPixelView photo;
};

void DrawFrame(benchmark::State& state, int labels) {
    const bench::BenchDir dir;
    const std::string ini = bench::HeavySkin(dir.Path(), 20, 6, labels);
    bench::WriteFile(dir.Path() / "heavy.ini", ini.data(), ini.size());
    if (chdir(dir.Path().c_str()) != 0) std::abort();
    const auto photoBytes = test::PatternBmp24(240, 200, 77);
    const BmpResult photo = LoadBmp(photoBytes);
    BenchSkin skin;
    skin.photo = photo.image->View();
    if (!skin.Load("heavy.ini")) std::abort();
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawScreen(skin, skin.PreviewRequest({240, 320}), skin.fontCache));
    state.counters["peak_rss_MiB"] = bench::PeakRssMiB();
}

void BM_PreviewHeavySkin(benchmark::State& state) {
    DrawFrame(state, 8);
}
void BM_PreviewHeavySkinNoLabels(benchmark::State& state) {
    DrawFrame(state, 0);
}
BENCHMARK(BM_PreviewHeavySkin)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PreviewHeavySkinNoLabels)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
