// Loading skins: a realistic one (about 40 elements, 60 bitmaps), a synthetic one of 10,000
// sections and one label of 20,000 fields. Reports time per load and the process's peak memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "bench_skins.h"
#include "skin/skin.h"

namespace {

using namespace pindrel;

using bench::BenchSkin;

struct Folder {
    Folder() {
        // 16 images + 21 buttons (42 pictures) + background + border = 60 bitmaps, 43 elements.
        const std::string realistic = bench::HeavySkin(dir.Path(), 16, 21, 6);
        bench::WriteFile(dir.Path() / "realistic.ini", realistic.data(), realistic.size());
        std::string synthetic;
        for (int i = 0; i < 10000; ++i) {
            synthetic += i % 2 ? "[Label]\nfields=name,phone\nposP=1,2\nsizeP=100,20\nfont1=12\n"
                               : "[Image]\nfile=image" + std::to_string(i % 16) +
                                     ".bmp\nposP=10,20\nsizeP=40,30\ntype=24\n";
        }
        bench::WriteFile(dir.Path() / "synthetic.ini", synthetic.data(), synthetic.size());
        // One label of 20,000 fields, each with its font and colour keys: these are found in
        // one pass over the section, not one pass per key.
        std::string fields = "[Label]\nposP=0,0\nsizeP=240,320\nfields=name";
        std::string keys;
        for (int i = 1; i <= 20000; ++i) {
            if (i > 1) fields += ",phone";
            keys +=
                "font" + std::to_string(i) + "=9,Tahoma\ncolor" + std::to_string(i) + "=1,2,3\n";
        }
        const std::string wide = fields + "\n" + keys;
        bench::WriteFile(dir.Path() / "wide_label.ini", wide.data(), wide.size());
        if (chdir(dir.Path().c_str()) != 0) std::abort();
    }
    bench::BenchDir dir;
};

const Folder& TheFolder() {
    static const Folder folder;
    return folder;
}

void LoadSkin(benchmark::State& state, const char* name) {
    TheFolder();
    BenchSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.Load(name));
    state.counters["elements"] =
        static_cast<double>(skin.images.size() + skin.buttons.size() + skin.labels.size());
    state.counters["peak_rss_MiB"] = bench::PeakRssMiB();
}

void BM_LoadRealisticSkin(benchmark::State& state) {
    LoadSkin(state, "realistic.ini");
}
void BM_LoadSynthetic10000Sections(benchmark::State& state) {
    LoadSkin(state, "synthetic.ini");
}
void BM_LoadLabelOf20000Fields(benchmark::State& state) {
    LoadSkin(state, "wide_label.ini");
}
BENCHMARK(BM_LoadRealisticSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSynthetic10000Sections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLabelOf20000Fields)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
