#include "render/picture_diff.h"

#include <gtest/gtest.h>

#include <vector>

namespace pindrel {
namespace {

constexpr Color kGrey = Color::FromRgb(100, 100, 100);

struct Change {
    int32_t x, y;
    Color c;
};

Canvas Picture(int32_t w, int32_t h, std::vector<Change> changes = {}) {
    Canvas c(w, h);
    FillRect(c.View(), c.Bounds(), kGrey);
    for (const Change& p : changes)
        c.View().SetPixel(p.x, p.y, p.c);
    return c;
}

TEST(ComparePictures, CountsAndBoundsTheChangedPixels) {
    const Color slightly = Color::FromRgb(100, 103, 100); // green 3 off
    struct Case {
        const char* name;
        Canvas actual;
        int32_t tolerance;
        int64_t changed;
        Rect box;
        bool sizeDiffers;
    };
    const Case cases[] = {
        {"same", Picture(6, 4), 0, 0, {}, false},
        {"one pixel", Picture(6, 4, {{3, 2, kWhite}}), 0, 1, {3, 2, 4, 3}, false},
        {"two corners", Picture(6, 4, {{0, 3, kBlack}, {5, 0, kBlack}}), 0, 2, {0, 0, 6, 4}, false},
        {"within the tolerance", Picture(6, 4, {{1, 1, slightly}}), 3, 0, {}, false},
        {"one past the tolerance", Picture(6, 4, {{1, 1, slightly}}), 2, 1, {1, 1, 2, 2}, false},
        {"negative tolerance is none",
         Picture(6, 4, {{1, 1, slightly}}),
         -5,
         1,
         {1, 1, 2, 2},
         false},
        {"one column wider", Picture(7, 4), 0, 4, {6, 0, 7, 4}, true},
        {"one row shorter", Picture(6, 3), 0, 6, {0, 3, 6, 4}, true},
        // 6x4 against 4x6: 2x4 and 4x2 on one only; the 2x2 corner lies on neither.
        {"crossed sizes", Picture(4, 6), 0, 16, {0, 0, 6, 6}, true},
        {"nothing actual", Canvas(), 0, 24, {0, 0, 6, 4}, true},
    };
    const Canvas expected = Picture(6, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureDiff d = ComparePictures(expected.View(), c.actual.View(), c.tolerance);
        EXPECT_EQ(d.changed, c.changed);
        EXPECT_EQ(d.box, c.box);
        EXPECT_EQ(d.sizeDiffers, c.sizeDiffers);
        EXPECT_EQ(d.Same(), c.changed == 0);
    }
}

TEST(DiffPicture, GreysTheExpectedAndPaintsChangesLoud) {
    const Canvas expected = Picture(6, 4, {{0, 0, kBlack}});
    const Canvas actual = Picture(7, 4, {{3, 2, kWhite}});
    const Canvas diff = DiffPicture(expected.View(), actual.View());
    ASSERT_EQ(diff.GetSize(), (Size{7, 4}));
    EXPECT_EQ(diff.Pixel(3, 2), kDiffColor);
    EXPECT_EQ(diff.Pixel(0, 0), kDiffColor);
    EXPECT_EQ(diff.Pixel(6, 1), kDiffColor); // only on the actual picture
    // Unchanged pixels: grey, lighter than the original, darker than white.
    const Color g = diff.Pixel(1, 1);
    EXPECT_EQ(g.R(), g.G());
    EXPECT_EQ(g.G(), g.B());
    EXPECT_GT(g.R(), kGrey.R());
    EXPECT_LT(g.R(), 255);
}

} // namespace
} // namespace pindrel
