// Label text at the preview's size: 8 labels of 2-3 short fields, measured and drawn the way a
// label is (a measuring pass, then a drawing pass), with warm glyph caches.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/font.h"
#include "render/text_draw.h"
#include "render/text_layout.h"

namespace pindrel {
namespace {

struct Field {
    std::string text;
    int font;
    Color color;
};

struct Label {
    Rect rect;
    TextAlign align;
    std::vector<Field> fields;
};

std::vector<std::unique_ptr<Font>> MakeFonts() {
    std::vector<std::unique_ptr<Font>> fonts;
    fonts.push_back(CreateFont({"Tahoma", -12, 400, false}));
    fonts.push_back(CreateFont({"Tahoma", -16, 700, false}));
    fonts.push_back(CreateFont({"Tahoma", -11, 400, true}));
    return fonts;
}

std::vector<Label> MakeLabels() {
    const Color black = kBlack, blue = Color::FromRgb(0, 0, 160), grey = Color(0x606060);
    return {
        {{10, 10, 230, 60},
         TextAlign::Center,
         {{"John Smith", 1, black}, {"Contoso Ltd.", 0, grey}}},
        {{10, 60, 230, 100},
         TextAlign::Left,
         {{"Sales Manager", 0, black}, {"Customers, VIP", 2, blue}, {"Johnny", 0, grey}}},
        {{10, 100, 230, 130}, TextAlign::Right, {{"+1 555 0100", 1, blue}, {"Mobile", 2, grey}}},
        {{10, 130, 120, 170}, TextAlign::Left, {{"12:34", 1, black}, {"Incoming call", 0, grey}}},
        {{120, 130, 230, 170},
         TextAlign::Right,
         {{"Private number", 0, black}, {"Work", 2, grey}, {"ext. 42", 0, grey}}},
        {{10, 170, 230, 230},
         TextAlign::Center,
         {{"A somewhat longer company name that wraps", 0, black}, {"Friends", 2, blue}}},
        {{10, 230, 230, 270}, TextAlign::Left, {{"555 0199", 1, black}, {"Home", 0, grey}}},
        {{10, 270, 230, 310},
         TextAlign::Center,
         {{"Unknown caller", 1, black}, {"Answer?", 0, blue}, {"Ignore", 0, grey}}},
    };
}

void DrawLabels(Canvas& canvas, std::vector<std::unique_ptr<Font>>& fonts,
                const std::vector<Label>& labels) {
    for (const Label& label : labels) {
        int32_t total = 0;
        for (const Field& f : label.fields)
            total += MeasureText(*fonts[static_cast<size_t>(f.font)], f.text, label.rect.Width());
        int32_t y = label.rect.bottom - total;
        for (const Field& f : label.fields) {
            y += DrawText(canvas.View(), *fonts[static_cast<size_t>(f.font)], f.text,
                          {label.rect.left, y, label.rect.right, label.rect.bottom},
                          {label.align, false}, f.color);
        }
    }
}

void BM_EightLabels(benchmark::State& state) {
    Canvas canvas(240, 320);
    FillRect(canvas.View(), canvas.Bounds(), kWhite);
    auto fonts = MakeFonts();
    const auto labels = MakeLabels();
    DrawLabels(canvas, fonts, labels); // warms the glyph caches
    for (auto _ : state) {
        DrawLabels(canvas, fonts, labels);
        benchmark::DoNotOptimize(canvas.Data());
    }
    state.SetLabel("frame = 8 labels, 20 fields");
}
BENCHMARK(BM_EightLabels)->Unit(benchmark::kMicrosecond);

void BM_MeasureOnly(benchmark::State& state) {
    auto fonts = MakeFonts();
    const auto labels = MakeLabels();
    for (auto _ : state) {
        int32_t sum = 0;
        for (const Label& label : labels)
            for (const Field& f : label.fields)
                sum += MeasureText(*fonts[static_cast<size_t>(f.font)], f.text, label.rect.Width());
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_MeasureOnly)->Unit(benchmark::kMicrosecond);

// Making a font: fontconfig match and face opening, once per distinct font fontSpec.
void BM_CreateFont(benchmark::State& state) {
    CreateFont({"Tahoma", -12, 400, false});
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateFont({"Tahoma", -12, 700, true}));
}
BENCHMARK(BM_CreateFont)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace pindrel

BENCHMARK_MAIN();
