// Skins written to a temporary folder for the benchmarks.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <system_error>

#include "skin/skin.h"
#include "support/pictures.h"

namespace pindrel::bench {

// A skin previewed for a contact found, every label showing the same text.
class BenchSkin : public Skin {
public:
    std::string GetFieldText(int32_t) override { return "text"; }
    CallType GetCallType(ConstPixelView*) override { return CallType::ContactFound; }
};

inline void WriteFile(const std::filesystem::path& p, const void* data, size_t size) {
    FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

inline void WriteBmp(const std::filesystem::path& dir, const std::string& name, int32_t w,
                     int32_t h, uint8_t seed) {
    const auto bytes = test::PatternBmp24(w, h, seed);
    WriteFile(dir / name, bytes.data(), bytes.size());
}

// A fresh folder in the system's temporary folder, removed with everything in it when the object
// goes: a benchmark run leaves nothing behind.
class BenchDir {
public:
    BenchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "pindrel-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        path_ = tmpl;
    }
    ~BenchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Peak resident memory of the process so far, in MiB.
inline double PeakRssMiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// A heavy skin: background and border pictures, `images` images (two in five resized, every fifth
// framed), `buttons` buttons with their own up and down pictures, `labels` labels of three
// fields, a framed photo rectangle.
inline std::string HeavySkin(const std::filesystem::path& dir, int images, int buttons,
                             int labels) {
    WriteBmp(dir, "bgr.bmp", 240, 320, 1);
    WriteBmp(dir, "border.bmp", 30, 30, 2);
    std::string ini = "[Background Color]\ncolor=20,30,60\n[Background Image]\n"
                      "[Border Image]\n[Photo Rect]\nposP=60,40\nsizeP=120,120\n";
    for (int i = 0; i < images; ++i) {
        const std::string name = "image" + std::to_string(i) + ".bmp";
        WriteBmp(dir, name, 32, 24, static_cast<uint8_t>(10 + i));
        ini += "[Image]\nfile=" + name + "\nposP=" + std::to_string(8 + (i % 5) * 46) + "," +
               std::to_string(8 + (i / 5) * 40) + "\n";
        if (i % 5 == 2 || i % 5 == 4) ini += "sizeP=40,30\n";
        if (i % 5 == 0) ini += "border=1\n";
        if (i % 4 == 3) ini += "transp_color=255,0,255\n";
    }
    for (int i = 0; i < buttons; ++i) {
        const std::string up = "up" + std::to_string(i) + ".bmp";
        const std::string down = "down" + std::to_string(i) + ".bmp";
        WriteBmp(dir, up, 70, 30, static_cast<uint8_t>(100 + i));
        WriteBmp(dir, down, 70, 30, static_cast<uint8_t>(150 + i));
        ini += "[Button]\nfile_up=" + up + "\nfile_down=" + down + "\nid=" + std::to_string(i) +
               "\nposP=" + std::to_string(5 + (i % 3) * 78) + "," +
               std::to_string(250 + (i / 3) * 34) + "\n";
    }
    for (int i = 0; i < labels; ++i) {
        ini += "[Label]\nfields=name,company,phone\nfont1=12,Tahoma,1,0\nfont2=9\n"
               "color1=255,255,255\ncolor2=200,200,255\nposP=10," +
               std::to_string(170 + i * 9) + "\nsizeP=220,60\nhor_align=" + std::to_string(i % 3) +
               "\nvert_align=" + std::to_string(i % 3) + "\n";
    }
    return ini;
}

} // namespace pindrel::bench
