// The editing engine alone, each step giving the new bytes with their parse: a colour set as an
// inspector would set it, and a one-pixel move as a drag step makes it, on the example skin and
// on a skin of 2,000 sections; beside a load of the example from disk, which a reload costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "base/read_file.h"
#include "bench_skins.h"
#include "ini/skin_ini_file.h"
#include "skin/skin.h"
#include "skin/skin_edit.h"
#include "skin/skin_load.h"

namespace {

using namespace pindrel;

using bench::BenchSkin;

// A skin file parsed and loaded, as the designer holds it.
struct Loaded {
    SkinIniFile file;
    BenchSkin skin;
};

// The example skin, loaded with its folder as the current directory.
struct Example : Loaded {
    Example() {
        if (::chdir(PINDREL_EXAMPLES_DIR "/aurora") != 0 || !file.Load("aurora.ini")) std::abort();
        skin.Load(file, {});
        if (skin.buttons.empty() || skin.labels.empty()) std::abort();
    }
};

// 2,000 sections: 1,000 images, 300 buttons, 696 labels and the four single sections.
struct Large : Loaded {
    Large() {
        const std::string ini = bench::HeavySkin(dir.Path(), 1000, 300, 696);
        file.Parse(std::span(reinterpret_cast<const uint8_t*>(ini.data()), ini.size()));
        skin.Load(file, LoadContext{dir.Path().string()});
        if (file.sections.size() != 2000 || skin.buttons.size() != 300) std::abort();
    }
    bench::BenchDir dir;
};

Loaded& TheExample() {
    static Example example;
    return example;
}

Loaded& TheLargeSkin() {
    static Large large;
    return large;
}

// A label's first colour, set to one of two values in turn so that every step changes it.
void SetColour(benchmark::State& state, Loaded& e) {
    const int32_t s = e.skin.labels[e.skin.labels.size() / 2].section;
    bool odd = false;
    for (auto _ : state) {
        EditResult r = SetKey(e.file, s, "color1", odd ? "1,2,3" : "4,5,6");
        if (!r.ok) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.file.Bytes().data());
        odd = !odd;
    }
}

void Place(benchmark::State& state, Loaded& e) {
    const PlacedElement button{PlacedKind::Button, e.skin.buttons.size() / 2};
    Placement p = *CurrentPlacement(e.skin, button, Portrait);
    ++p.x;
    for (auto _ : state) {
        EditResult r = PlaceElement(e.file, e.skin, button, p);
        if (!r.ok) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.file.Bytes().data());
    }
}

void BM_SetColourOnExample(benchmark::State& state) {
    SetColour(state, TheExample());
}
void BM_SetColourOnLargeSkin(benchmark::State& state) {
    SetColour(state, TheLargeSkin());
}
void BM_PlaceButtonOnePixel(benchmark::State& state) {
    Place(state, TheExample());
}
void BM_PlaceOnLargeSkin(benchmark::State& state) {
    Place(state, TheLargeSkin());
}

void BM_LoadExampleFromDisk(benchmark::State& state) {
    TheExample();
    BenchSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.Load("aurora.ini"));
}

} // namespace

BENCHMARK(BM_SetColourOnExample)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SetColourOnLargeSkin)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlaceButtonOnePixel)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PlaceOnLargeSkin)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadExampleFromDisk)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
