// Reading snapshot.json as compare does, from hostile files within its size cap: one array of
// 400,000 empty objects, one object of 300,000 members and 4 MiB of opening brackets. Each is
// refused; what counts is that the time grows with the size, not its square.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_skins.h"
#include "cli/snapshot_file.h"

namespace {

std::string LongArray() {
    std::string text = R"({"format":1,"bitmaps":[)";
    for (int i = 0; i < 400000; ++i)
        text += i ? ",{}" : "{}";
    return text + "]}";
}

std::string ManyMembers() {
    std::string text = R"({"format":1)";
    for (int i = 0; i < 300000; ++i)
        text += ",\"m" + std::to_string(i) + "\":0";
    return text + "}";
}

std::string DeepNesting() {
    return std::string(4u << 20, '[');
}

void Parse(benchmark::State& state, const std::string& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(pindrel::cli::ParseSnapshot(text, nullptr));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["peak_rss_MiB"] = pindrel::bench::PeakRssMiB();
}

void BM_SnapshotLongArray(benchmark::State& state) {
    static const std::string text = LongArray();
    Parse(state, text);
}
BENCHMARK(BM_SnapshotLongArray)->Unit(benchmark::kMillisecond);

void BM_SnapshotManyMembers(benchmark::State& state) {
    static const std::string text = ManyMembers();
    Parse(state, text);
}
BENCHMARK(BM_SnapshotManyMembers)->Unit(benchmark::kMillisecond);

void BM_SnapshotDeepNesting(benchmark::State& state) {
    static const std::string text = DeepNesting();
    Parse(state, text);
}
BENCHMARK(BM_SnapshotDeepNesting)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
