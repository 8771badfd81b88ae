// Decoding 240 x 320 bitmaps of every layout, side by side with stb_image on the same bytes for
// the layouts both read (stb_image reads no run-length data and no 2-bit pixels).
#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb_image.h>

#include <string>
#include <vector>

#include "render/bmp_decoder.h"
#include "side_by_side.h"
#include "support/bmp_writer.h"

namespace {

using namespace pindrel;
using test::BmpFile;

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 320;

// A skin-like picture: flat bands that run-length data compresses, and a noisy block (a photo
// or gradient) that it stores in absolute runs. Values are reduced to the format's range.
std::vector<uint32_t> Picture(uint32_t range) {
    std::vector<uint32_t> v(static_cast<size_t>(kWidth) * kHeight);
    uint32_t noise = 12345;
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            const bool block = x >= 60 && x < 180 && y >= 100 && y < 220;
            const uint32_t flat = static_cast<uint32_t>((x / 24) * 7 + (y / 32) * 13) * 0x010305u;
            v[static_cast<size_t>(y) * kWidth + x] = (block ? noise >> 8 : flat) % range;
        }
    return v;
}

std::vector<Color> Palette(size_t n) {
    std::vector<Color> p;
    for (size_t i = 0; i < n; ++i)
        p.push_back(Color(static_cast<uint32_t>(i) * 0x2F1D0Bu));
    return p;
}

struct Format {
    const char* name;
    BmpFile file;
    bool peerReads;
};

std::vector<Format> Formats() {
    auto indexed = [](uint16_t bits, uint32_t compression) {
        const auto pixels = Picture(1u << bits);
        BmpFile f = BmpFile().Size(kWidth, kHeight).Bits(bits, compression);
        f.Colors(Palette(size_t{1} << bits));
        if (compression == 1) return f.Data(test::EncodeRle8(kWidth, pixels));
        if (compression == 2) return f.Data(test::EncodeRle4(kWidth, pixels));
        return f.Data(test::PackRows(bits, kWidth, pixels));
    };
    auto direct = [](uint16_t bits, uint32_t range) {
        return BmpFile()
            .Size(kWidth, kHeight)
            .Bits(bits)
            .Data(test::PackRows(bits, kWidth, Picture(range)));
    };
    return {
        {"1 bit", indexed(1, 0), true},
        {"2 bits", indexed(2, 0), false},
        {"4 bits", indexed(4, 0), true},
        {"4 bits RLE4", indexed(4, 2), false},
        {"8 bits", indexed(8, 0), true},
        {"8 bits RLE8", indexed(8, 1), false},
        {"16 bits", direct(16, 0x8000), true},
        {"16 bits 565", direct(16, 0x10000).Bits(16, 3).Masks({0xF800, 0x07E0, 0x001F}), true},
        {"24 bits", direct(24, 0x1000000), true},
        {"32 bits", direct(32, 0xFFFFFFFF), true},
    };
}

void Ours(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    for (auto _ : state) {
        BmpResult r = LoadBmp(std::span<const uint8_t>(bytes));
        if (!r.image) {
            state.SkipWithError("not decoded");
            break;
        }
        benchmark::DoNotOptimize(r.image->Bytes().data());
    }
}

void Stb(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        stbi_uc* p =
            stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &n, 3);
        if (!p) {
            state.SkipWithError(stbi_failure_reason());
            break;
        }
        benchmark::DoNotOptimize(p);
        stbi_image_free(p);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    static std::vector<std::vector<uint8_t>> files;
    const auto formats = Formats();
    files.reserve(formats.size());
    for (const Format& f : formats) {
        const auto& bytes = files.emplace_back(test::WriteBmp(f.file));
        const std::string name = std::string("decode ") + f.name;
        benchmark::RegisterBenchmark((name + "/ours").c_str(), Ours, bytes)
            ->Unit(benchmark::kMicrosecond);
        if (f.peerReads)
            benchmark::RegisterBenchmark((name + "/stb").c_str(), Stb, bytes)
                ->Unit(benchmark::kMicrosecond);
    }
    pindrel::bench::SideBySideReporter reporter("stb");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
