// The work of `pindrel-cli snapshot` and `compare` on the example skin, without the files: load
// the skin and draw all 15 screens; compare 15 screens with their snapshot (the whole picture is
// walked when nothing differs); and the diff pictures of 15 screens.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <vector>

#include "render/picture_diff.h"
#include "skin/sample_skin.h"
#include "skin/screens.h"

namespace {

using namespace pindrel;

std::vector<Canvas> RenderAll(SampleSkin& skin) {
    std::vector<Canvas> screens;
    for (const Screen& s : kAllScreens)
        screens.push_back(RenderScreen(skin, s));
    return screens;
}

void EnterExampleFolder() {
    if (chdir(PINDREL_EXAMPLE_DIR) != 0) std::abort();
}

void BM_LoadAndRenderAllScreens(benchmark::State& state) {
    EnterExampleFolder();
    for (auto _ : state) {
        SampleSkin skin;
        skin.time = "12:34";
        if (!skin.Load(PINDREL_EXAMPLE_INI)) std::abort();
        benchmark::DoNotOptimize(RenderAll(skin));
    }
}
BENCHMARK(BM_LoadAndRenderAllScreens)->Unit(benchmark::kMillisecond);

// The same skin drawn again: fonts and glyphs are already made.
void BM_RenderAllScreens(benchmark::State& state) {
    EnterExampleFolder();
    SampleSkin skin;
    skin.time = "12:34";
    if (!skin.Load(PINDREL_EXAMPLE_INI)) std::abort();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderAll(skin));
}
BENCHMARK(BM_RenderAllScreens)->Unit(benchmark::kMillisecond);

struct TwoRenders {
    TwoRenders() {
        EnterExampleFolder();
        SampleSkin skin;
        skin.time = "12:34";
        if (!skin.Load(PINDREL_EXAMPLE_INI)) std::abort();
        expected = RenderAll(skin);
        actual = RenderAll(skin);
    }
    std::vector<Canvas> expected;
    std::vector<Canvas> actual;
};

void BM_CompareAllScreens(benchmark::State& state) {
    static const TwoRenders r;
    for (auto _ : state) {
        int64_t changed = 0;
        for (size_t i = 0; i < r.expected.size(); ++i)
            changed += ComparePictures(r.expected[i].View(), r.actual[i].View(), 2).changed;
        benchmark::DoNotOptimize(changed);
    }
}
BENCHMARK(BM_CompareAllScreens)->Unit(benchmark::kMicrosecond);

void BM_DiffPicturesAllScreens(benchmark::State& state) {
    static const TwoRenders r;
    for (auto _ : state) {
        for (size_t i = 0; i < r.expected.size(); ++i)
            benchmark::DoNotOptimize(DiffPicture(r.expected[i].View(), r.actual[i].View()));
    }
}
BENCHMARK(BM_DiffPicturesAllScreens)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
