// The editing engine on the example skin: a button moved by one pixel, against loading the
// skin from disk as a reload does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "base/read_file.h"
#include "bench_skins.h"
#include "skin/skin.h"
#include "skin/skin_edit.h"

namespace {

using namespace pindrel;

using bench::BenchSkin;

// The example skin, loaded with its folder as the current directory.
struct Example {
    Example() {
        if (::chdir(PINDREL_EXAMPLES_DIR "/aurora") != 0) std::abort();
        bytes = ReadRegularFile("aurora.ini").bytes;
        if (bytes.empty() || !skin.Load("aurora.ini") || skin.buttons.empty()) std::abort();
    }
    std::vector<uint8_t> bytes;
    BenchSkin skin;
};

Example& TheExample() {
    static Example example;
    return example;
}

void BM_PlaceButtonOnePixel(benchmark::State& state) {
    Example& e = TheExample();
    const PlacedElement button{PlacedKind::Button, 0};
    Placement p = *CurrentPlacement(e.skin, button, Portrait);
    ++p.x;
    for (auto _ : state) {
        PlaceResult r = PlaceElement(e.bytes, e.skin, button, p);
        if (!r.ok) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * e.bytes.size()));
}
BENCHMARK(BM_PlaceButtonOnePixel)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadExampleFromDisk(benchmark::State& state) {
    TheExample();
    BenchSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.Load("aurora.ini"));
}
BENCHMARK(BM_LoadExampleFromDisk)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
