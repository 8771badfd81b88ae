#include "render/scale_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "render/canvas.h"

namespace pindrel {
namespace {

// A grey picture from rows of values, top row first.
Canvas Grey(const std::vector<std::vector<uint8_t>>& rows) {
    Canvas c(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (int32_t y = 0; y < c.Height(); ++y)
        for (int32_t x = 0; x < c.Width(); ++x) {
            const uint8_t v = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            c.View().SetPixel(x, y, Color::FromRgb(v, v, v));
        }
    return c;
}

std::vector<std::vector<uint8_t>> GreyRows(const Canvas& c) {
    std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(c.Height()));
    for (int32_t y = 0; y < c.Height(); ++y)
        for (int32_t x = 0; x < c.Width(); ++x)
            rows[static_cast<size_t>(y)].push_back(c.Pixel(x, y).R());
    return rows;
}

Canvas Scaled(const Canvas& source, int32_t cx, int32_t cy) {
    Canvas out(cx, cy);
    ScaleBitmap(out.View(), source.View(), 0, 0, cx, cy);
    return out;
}

// The resampling rule written out plainly, column by column, as the oracle for the scaler's
// row-cached loop.
Color ReferencePixel(ConstPixelView s, int32_t cx, int32_t cy, int32_t i, int32_t j) {
    const uint32_t sw = static_cast<uint32_t>(s.width), sh = static_cast<uint32_t>(s.height);
    const uint32_t stepX = (sw * 65536) / (static_cast<uint32_t>(cx) * 256);
    const uint32_t stepY = (sh * 65536) / (static_cast<uint32_t>(cy) * 256);
    const uint32_t sx = static_cast<uint32_t>(i) * stepX, sy = static_cast<uint32_t>(j) * stepY;
    const uint32_t x0 = sx >> 8, wx = sx & 255, y0 = sy >> 8, wy = sy & 255;
    const uint32_t x1 = x0 + 1 >= sw ? x0 : x0 + 1, y1 = y0 + 1 >= sh ? y0 : y0 + 1;
    uint8_t v[3];
    for (int c = 0; c < 3; ++c) {
        auto at = [&](uint32_t x, uint32_t y) {
            return uint32_t{s.Row(static_cast<int32_t>(y))[3 * x + c]};
        };
        const uint32_t top = at(x0, y0) * (256 - wx) + at(x1, y0) * wx;
        const uint32_t bottom = at(x0, y1) * (256 - wx) + at(x1, y1) * wx;
        v[c] = static_cast<uint8_t>((((top * (256 - wy)) >> 8) + ((bottom * wy) >> 8)) >> 8);
    }
    return Color::FromRgb(v[2], v[1], v[0]);
}

Canvas RandomPicture(int32_t w, int32_t h, std::mt19937& rng) {
    Canvas c(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            c.View().SetPixel(x, y, Color(rng() & 0xFFFFFF));
    return c;
}

TEST(ScaleBitmap, MatchesWorkedExamples) {
    struct Case {
        const char* name;
        std::vector<std::vector<uint8_t>> source;
        int32_t cx, cy;
        std::vector<std::vector<uint8_t>> want;
    };
    const Case kCases[] = {
        {"2 to 4", {{0, 255}}, 4, 1, {{0, 127, 255, 255}}},
        {"2 to 3", {{0, 255}}, 3, 1, {{0, 169, 255}}},
        {"3 to 5", {{0, 100, 200}}, 5, 1, {{0, 59, 119, 179, 200}}},
        {"4 to 2 point-samples", {{10, 20, 30, 40}}, 2, 1, {{10, 30}}},
        {"2x2 to 3x3", {{0, 255}, {255, 0}}, 3, 3, {{0, 169, 255}, {169, 113, 85}, {255, 85, 0}}},
        {"same width, only the vertical blend",
         {{0, 40}, {200, 80}},
         2,
         4,
         {{0, 40}, {100, 60}, {200, 80}, {200, 80}}},
        {"one colour stays exact",
         {{77, 77}, {77, 77}},
         5,
         3,
         std::vector<std::vector<uint8_t>>(3, std::vector<uint8_t>(5, 77))},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GreyRows(Scaled(Grey(c.source), c.cx, c.cy)), c.want);
    }
}

TEST(ScaleBitmap, AgreesWithThePlainRuleAtManySizes) {
    std::mt19937 rng(3);
    const int32_t kSources[][2] = {{1, 1}, {2, 3}, {7, 5}, {33, 17}, {240, 200}};
    const int32_t kTargets[][2] = {{1, 1},   {3, 2},     {5, 9},     {16, 16},
                                   {31, 33}, {120, 100}, {320, 267}, {700, 3}};
    for (const auto& s : kSources) {
        const Canvas source = RandomPicture(s[0], s[1], rng);
        for (const auto& t : kTargets) {
            SCOPED_TRACE(std::to_string(s[0]) + "x" + std::to_string(s[1]) + " to " +
                         std::to_string(t[0]) + "x" + std::to_string(t[1]));
            const Canvas out = Scaled(source, t[0], t[1]);
            int mismatches = 0;
            for (int32_t j = 0; j < t[1]; ++j)
                for (int32_t i = 0; i < t[0]; ++i)
                    mismatches +=
                        out.Pixel(i, j) != ReferencePixel(source.View(), t[0], t[1], i, j);
            EXPECT_EQ(mismatches, 0);
        }
    }
}

// Drawing partly off the target gives the same pixels where it lands and leaves the rest alone.
TEST(ScaleBitmap, ClipsAtTheTargetEdges) {
    std::mt19937 rng(5);
    const Canvas source = RandomPicture(9, 7, rng);
    const Canvas full = Scaled(source, 13, 11);
    const Color kBackground(0x5A5A5A);
    const int32_t kOffsets[][2] = {{-4, -3}, {10, 8}, {-12, 0}, {0, -10}, {-13, 0}, {20, 20}};
    for (const auto& o : kOffsets) {
        SCOPED_TRACE(std::to_string(o[0]) + "," + std::to_string(o[1]));
        Canvas target(16, 12);
        FillRect(target.View(), target.Bounds(), kBackground);
        ScaleBitmap(target.View(), source.View(), o[0], o[1], 13, 11);
        for (int32_t y = 0; y < target.Height(); ++y)
            for (int32_t x = 0; x < target.Width(); ++x) {
                const Point p{x - o[0], y - o[1]};
                const bool inside = p.x >= 0 && p.x < 13 && p.y >= 0 && p.y < 11;
                ASSERT_EQ(target.Pixel(x, y), inside ? full.Pixel(p.x, p.y) : kBackground)
                    << "at " << x << "," << y;
            }
    }
}

TEST(ScaleBitmap, DrawsNothingForEmptySizesOrPictures) {
    const Canvas source = Grey({{9, 9}});
    struct Case {
        const char* name;
        int32_t cx, cy;
    };
    const Case kCases[] = {{"cx 0", 0, 4}, {"cy -5", 4, -5}, {"both negative", INT32_MIN, -1}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Canvas target(4, 4);
        ScaleBitmap(target.View(), source.View(), 0, 0, c.cx, c.cy);
        EXPECT_EQ(GreyRows(target),
                  std::vector<std::vector<uint8_t>>(4, std::vector<uint8_t>(4, 0)));
    }
    Canvas target(2, 2);
    ScaleBitmap(target.View(), ConstPixelView{}, 0, 0, 2, 2);
    ScaleBitmap(PixelView{}, source.View(), 0, 0, 2, 2);
    EXPECT_EQ(target.Pixel(0, 0), kBlack);
}

// Huge targets and extreme positions cost only the visible part and overflow nothing.
TEST(ScaleBitmap, HandlesHugeTargetsAndExtremePositions) {
    const Canvas source = Grey({{9, 255}, {255, 0}});
    // Enlarged 50000 times, the step is below one 256th: every pixel samples the first one.
    struct Case {
        const char* name;
        int32_t x, y, cx, cy;
        int32_t visible; // the top-left visible x visible square is drawn, nothing else
    };
    const Case kCases[] = {
        {"100000 x 100000 at the origin", 0, 0, 100000, 100000, 8},
        {"100000 x 100000 mostly above and left", -99996, -99996, 100000, 100000, 4},
        {"largest size at the largest position", INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 0},
        {"largest size at the smallest position", INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0},
        {"largest size ending inside", -INT32_MAX + 4, -INT32_MAX + 4, INT32_MAX, INT32_MAX, 4},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Canvas target(8, 8);
        ScaleBitmap(target.View(), source.View(), c.x, c.y, c.cx, c.cy);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                ASSERT_EQ(target.Pixel(x, y).R(), x < c.visible && y < c.visible ? 9 : 0)
                    << "at " << x << "," << y;
    }
}

} // namespace
} // namespace pindrel
