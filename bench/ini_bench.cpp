// Loading a skin file and looking its values up, against inih parsing the same file: throughput
// in MiB/s (bytes_per_second).
#include <benchmark/benchmark.h>
#include <ini.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_skins.h"
#include "ini/skin_ini_file.h"

namespace {

// A few MiB of a realistic mix: element sections with positions, sizes, fonts and comments.
const std::string& SyntheticSkin() {
    static const std::string text = [] {
        std::string s;
        for (int i = 0; s.size() < (4u << 20); ++i) {
            s += "; element " + std::to_string(i) + "\r\n[Image]\r\nfile = picture" +
                 std::to_string(i % 50) + ".bmp\r\nposP=" + std::to_string(i % 240) + "," +
                 std::to_string(i % 320) +
                 "\r\nsizeP=40,30\r\nposL=10,20\r\nsizeL=40,30\r\n"
                 "type=24\r\nborder=1\r\ntransp_color=255,0,255\r\n\r\n[Label]\r\n"
                 "fields=name, company, phone\r\nfont1=12,Tahoma,1,0\r\ncolor1=255,255,255\r\n"
                 "posP=10,200\r\nsizeP=220,40\r\nhor_align=2\r\n";
        }
        return s;
    }();
    return text;
}

// The same bytes as a file, for both readers to load.
const std::string& SkinPath() {
    static const std::string path = [] {
        static const pindrel::bench::BenchDir dir;
        std::string p = (dir.Path() / "skin.ini").string();
        std::ofstream(p, std::ios::binary) << SyntheticSkin();
        return p;
    }();
    return path;
}

void BM_SkinIniFile(benchmark::State& state) {
    const std::string& text = SyntheticSkin();
    for (auto _ : state) {
        pindrel::SkinIniFile f;
        if (!f.Load(SkinPath())) state.SkipWithError("load failed");
        // A full pass of lookups, as the loader makes them.
        int64_t sum = 0;
        for (int32_t i = f.FindSection("Image", 0); i >= 0; i = f.FindSection("Image", i + 1)) {
            pindrel::Rect r;
            f.GetRect(i, "posP", "sizeP", r);
            sum += r.left + f.GetInt(i, "type", 255) +
                   static_cast<int64_t>(f.GetValue(i, "file").size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SkinIniFile)->Unit(benchmark::kMillisecond);

int InihHandler(void* user, const char* section, const char* name, const char* value) {
    *static_cast<int64_t*>(user) += static_cast<int64_t>(section[0] + name[0] + value[0]);
    return 1;
}

void BM_Inih(benchmark::State& state) {
    const std::string& text = SyntheticSkin();
    for (auto _ : state) {
        int64_t sum = 0;
        ini_parse(SkinPath().c_str(), InihHandler, &sum);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Inih)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
