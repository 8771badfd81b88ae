#include <gtest/gtest.h>

#include "support/pictures.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::Picture;
using test::TestSkin;

constexpr Color kBlue = Color::FromRgb(0, 0, 255);
constexpr Color kMagenta = Color::FromRgb(255, 0, 255);
constexpr Color kGreen = Color::FromRgb(0, 255, 0);
constexpr Color kRed = Color::FromRgb(255, 0, 0);

// Reports the first pixel of r that is not c.
::testing::AssertionResult Filled(const Canvas& canvas, const Rect& r, Color c) {
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            if (canvas.Pixel(x, y) != c) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << canvas.Pixel(x, y).Value()
                       << ", expected " << c.Value() << " (0x00BBGGRR)";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

SkinImage MakeImage(DibImage picture, Rect portrait) {
    SkinImage image;
    image.width = picture.Width();
    image.height = picture.Height();
    image.bitmap = std::move(picture);
    image.loaded = true;
    image.rects = {portrait, portrait, portrait};
    return image;
}

DibImage Solid(int32_t w, int32_t h, Color c) {
    return Picture(w, h, [c](int32_t, int32_t) { return c; });
}

// A 3 x 3 grid of u-pixel cells, cell (i, j) coloured by its position; odd sizes leave the
// remainder in the last row and column.
Color CellColor(int32_t i, int32_t j) {
    return Color::FromRgb(static_cast<uint8_t>(40 + 80 * i), static_cast<uint8_t>(40 + 80 * j), 7);
}
DibImage Border(int32_t w, int32_t h) {
    const int32_t u = w / 3;
    return Picture(w, h, [&](int32_t x, int32_t y) {
        return CellColor(std::min(x / u, 2), y < u ? 0 : (y >= h - u ? 2 : 1));
    });
}

class DrawPreview : public ::testing::Test {
protected:
    Canvas Render() { return test::DrawNow(skin, kScreenSizes[skin.orientation]); }
    TestSkin skin;
};

TEST_F(DrawPreview, EmptySkinIsBackgroundColour) {
    skin.backgroundColor = Color(0xFF0000);
    const Canvas c = Render();
    ASSERT_EQ(c.GetSize(), (Size{240, 320}));
    EXPECT_TRUE(Filled(c, c.Bounds(), kBlue));
}

TEST_F(DrawPreview, ColourKeyOnlyAtExactSize) {
    skin.backgroundColor = kBlue;
    const auto picture = [] {
        return Picture(4, 2, [](int32_t x, int32_t) { return x % 2 ? kMagenta : kGreen; });
    };
    SkinImage exact = MakeImage(picture(), {10, 10, 14, 12});
    exact.hasTransparentColor = true;
    exact.transparentColor = kMagenta;
    skin.images.push_back(std::move(exact));
    Canvas c = Render();
    EXPECT_EQ(c.Pixel(10, 10), kGreen);
    EXPECT_EQ(c.Pixel(11, 10), kBlue);
    EXPECT_EQ(c.Pixel(13, 11), kBlue);

    skin.images[0].rects[Portrait] = {10, 10, 15, 12}; // one wider: resized, opaque
    c = Render();
    EXPECT_EQ(c.Pixel(10, 10), kGreen);
    EXPECT_EQ(c.Pixel(14, 11), kMagenta);
    EXPECT_EQ(c.Pixel(15, 11), kBlue);
}

TEST_F(DrawPreview, PressedButtonShowsDownPictureInUpRectangle) {
    SkinButton b;
    b.upBitmap = Solid(10, 10, kGreen);
    b.downBitmap = Solid(10, 10, kRed);
    b.width = b.height = 10;
    b.loaded = true;
    b.rects = {Rect{5, 5, 15, 15}, Rect{}, Rect{}};
    skin.buttons.push_back(std::move(b));
    EXPECT_TRUE(Filled(Render(), {5, 5, 15, 15}, kGreen));
    skin.buttons[0].pressed = true;
    EXPECT_TRUE(Filled(Render(), {5, 5, 15, 15}, kRed));
}

TEST_F(DrawPreview, SmallerDownPictureGivesOnlyWhatItHolds) {
    SkinButton b;
    b.upBitmap = Solid(10, 10, kGreen);
    b.downBitmap = Solid(4, 3, kRed);
    b.width = b.height = 10;
    b.loaded = b.pressed = true;
    b.rects = {Rect{5, 5, 15, 15}, Rect{}, Rect{}};
    skin.buttons.push_back(std::move(b));
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {5, 5, 9, 8}, kRed));
    EXPECT_TRUE(Filled(c, {9, 5, 15, 15}, kWhite));
    EXPECT_TRUE(Filled(c, {5, 8, 9, 15}, kWhite));
}

TEST_F(DrawPreview, CallTypeMasks) {
    SkinImage image = MakeImage(Solid(2, 2, kGreen), {0, 0, 2, 2});
    image.type = 1;
    skin.images.push_back(std::move(image));
    SkinButton b;
    b.upBitmap = Solid(2, 2, kRed);
    b.downBitmap = Solid(2, 2, kRed);
    b.width = b.height = 2;
    b.loaded = true;
    b.type = 24;
    b.rects = {Rect{10, 0, 12, 2}, Rect{}, Rect{}};
    skin.buttons.push_back(std::move(b));
    for (const CallType t : kCallTypes) {
        SCOPED_TRACE(static_cast<int>(t));
        skin.callType = t;
        const Canvas c = Render();
        EXPECT_EQ(c.Pixel(0, 0), t == CallType::UnknownCaller ? kGreen : kWhite);
        EXPECT_EQ(c.Pixel(10, 0),
                  t == CallType::ContactFound || t == CallType::ContactWithPicture ? kRed : kWhite);
    }
}

class Photo : public DrawPreview {
protected:
    void SetUp() override {
        skin.photo = photo.View();
        skin.callType = CallType::ContactWithPicture;
    }
    void SetPhotoRect(Rect r) { skin.photoRect.rects = {r, r, r}; }
    DibImage photo = Solid(240, 200, kGreen);
};

TEST_F(Photo, FittedAndCentred) {
    const struct {
        const char* name;
        Rect rect;
        Rect drawn;
    } cases[] = {
        {"shrunk by half", {20, 30, 140, 150}, {20, 40, 140, 140}},
        {"exact size copied", {0, 0, 240, 200}, {0, 0, 240, 200}},
        // 200 x (29 / 200) is a hair below 29: one row short.
        {"double truncation", {50, 60, 90, 89}, {53, 60, 87, 88}},
        {"grown", {0, 0, 240, 300}, {0, 50, 240, 250}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetPhotoRect(c.rect);
        const Canvas canvas = Render();
        EXPECT_TRUE(Filled(canvas, c.drawn, kGreen));
        // The one-pixel ring around the drawn area, where it lies on the canvas: background.
        const Rect& d = c.drawn;
        for (const Rect strip : {Rect{d.left - 1, d.top - 1, d.right + 1, d.top},
                                 Rect{d.left - 1, d.bottom, d.right + 1, d.bottom + 1},
                                 Rect{d.left - 1, d.top, d.left, d.bottom},
                                 Rect{d.right, d.top, d.right + 1, d.bottom}}) {
            Rect visible;
            if (IntersectRect(strip, canvas.Bounds(), &visible)) {
                EXPECT_TRUE(Filled(canvas, visible, kWhite));
            }
        }
    }
}

TEST_F(Photo, OnlyForContactWithPicture) {
    SetPhotoRect({0, 0, 240, 200});
    for (const CallType t : kCallTypes) {
        skin.callType = t;
        EXPECT_EQ(Render().Pixel(5, 5), t == CallType::ContactWithPicture ? kGreen : kWhite);
    }
}

TEST_F(Photo, BorderFrameTiledFromGrid) {
    SetPhotoRect({40, 30, 160, 150}); // drawn at (40, 40) .. (160, 140)
    skin.borderImage = MakeImage(Border(30, 30), {});
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {30, 30, 40, 40}, CellColor(0, 0)));   // top-left corner
    EXPECT_TRUE(Filled(c, {160, 30, 170, 40}, CellColor(2, 0))); // top-right
    EXPECT_TRUE(Filled(c, {160, 140, 170, 150}, CellColor(2, 2)));
    EXPECT_TRUE(Filled(c, {30, 140, 40, 150}, CellColor(0, 2)));
    EXPECT_TRUE(Filled(c, {40, 30, 160, 40}, CellColor(1, 0))); // 12 top tiles
    EXPECT_TRUE(Filled(c, {160, 40, 170, 140}, CellColor(2, 1)));
    EXPECT_TRUE(Filled(c, {40, 140, 160, 150}, CellColor(1, 2)));
    EXPECT_TRUE(Filled(c, {30, 40, 40, 140}, CellColor(0, 1)));
    EXPECT_TRUE(Filled(c, {40, 40, 160, 140}, kGreen)); // nothing inside
    EXPECT_TRUE(Filled(c, {29, 29, 171, 30}, kWhite));
}

TEST_F(Photo, BorderBottomCellsFromPictureBottom) {
    SetPhotoRect({40, 30, 160, 150});
    skin.borderImage = MakeImage(Border(32, 32), {}); // u = 10, bottom cells rows 22..31
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {30, 140, 40, 150}, CellColor(0, 2)));
}

TEST_F(DrawPreview, LastTileIsCutFromTheCellsLeadingPart) {
    skin.borderImage = MakeImage(Picture(30, 30,
                                         [](int32_t x, int32_t y) {
                                             if (y >= 10 || x < 10 || x >= 20) return kGreen;
                                             return x < 15 ? kRed : kBlue;
                                         }),
                                 {});
    SkinImage framed = MakeImage(Solid(25, 10, kMagenta), {50, 50, 75, 60});
    framed.border = 1;
    skin.images.push_back(std::move(framed));
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {50, 40, 55, 50}, kRed));
    EXPECT_TRUE(Filled(c, {55, 40, 60, 50}, kBlue));
    EXPECT_TRUE(Filled(c, {60, 40, 65, 50}, kRed));
    EXPECT_TRUE(Filled(c, {70, 40, 75, 50}, kRed)); // 5 pixels left: the cell's red half
    EXPECT_TRUE(Filled(c, {75, 40, 85, 50}, kGreen));
}

TEST_F(Photo, NarrowBorderPictureGivesNoFrame) {
    SetPhotoRect({40, 30, 160, 150});
    skin.borderImage = MakeImage(Border(3, 3), {});
    skin.borderImage.bitmap = Solid(2, 30, kRed);
    skin.borderImage.width = 2;
    EXPECT_TRUE(Filled(Render(), {30, 30, 40, 150}, kWhite));
}

TEST_F(Photo, ShortBorderPictureNeverReadsOutside) {
    SetPhotoRect({40, 30, 160, 150});
    skin.borderImage = MakeImage(Solid(30, 5, kRed), {}); // u = 10 but only 5 rows
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {30, 30, 40, 35}, kRed));
    EXPECT_TRUE(Filled(c, {30, 35, 40, 40}, kWhite));
}

TEST_F(Photo, FramedImagesAndOffscreenOnes) {
    skin.borderImage = MakeImage(Border(30, 30), {});
    SkinImage framed = MakeImage(Solid(20, 20, kBlue), {50, 50, 70, 70});
    framed.border = 1;
    skin.images.push_back(std::move(framed));
    SkinImage away = MakeImage(Solid(20, 20, kBlue), {400, 50, 420, 70});
    away.border = 1;
    skin.images.push_back(std::move(away));
    skin.callType = CallType::UnknownCaller;
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {40, 40, 50, 50}, CellColor(0, 0)));
    EXPECT_TRUE(Filled(c, {70, 50, 80, 70}, CellColor(2, 1)));
    EXPECT_TRUE(Filled(c, {230, 0, 240, 320}, kWhite)); // the far image's frame would be here
}

TEST_F(DrawPreview, AlignRectangleOutline) {
    skin.showAlignRect = true;
    skin.alignRect = {0, 0, 100, 100};
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {0, 0, 100, 1}, kRed));
    EXPECT_TRUE(Filled(c, {0, 99, 100, 100}, kRed));
    EXPECT_TRUE(Filled(c, {0, 0, 1, 100}, kRed));
    EXPECT_TRUE(Filled(c, {99, 0, 100, 100}, kRed));
    EXPECT_TRUE(Filled(c, {1, 1, 99, 99}, kWhite));
    EXPECT_TRUE(Filled(c, {100, 0, 101, 101}, kWhite));

    skin.alignRect = {-60, 10, 240, 110}; // clipped at the left edge
    const Canvas d = Render();
    EXPECT_TRUE(Filled(d, {0, 10, 240, 11}, kRed));
    EXPECT_TRUE(Filled(d, {239, 10, 240, 110}, kRed));
    EXPECT_TRUE(Filled(d, {0, 11, 1, 109}, kWhite));
    skin.alignRect = {240, 0, 240, 100}; // zero width: nothing
    EXPECT_TRUE(Filled(Render(), {0, 0, 240, 320}, kWhite));
}

TEST_F(DrawPreview, HugeRectanglesStayCheap) {
    SkinImage huge = MakeImage(Solid(20, 20, kGreen), {-50000, -50000, 50000, 50000});
    huge.border = 1;
    skin.images.push_back(std::move(huge));
    skin.images.push_back(MakeImage(Solid(20, 20, kBlue), {-100000, -100000, 100000, 5}));
    skin.borderImage = MakeImage(Border(30, 30), {});
    const Canvas c = Render();
    EXPECT_TRUE(Filled(c, {0, 5, 240, 320}, kGreen));
    EXPECT_TRUE(Filled(c, {0, 0, 240, 5}, kBlue));
}

TEST_F(DrawPreview, FailedReloadKeepsPhotoRectangle) {
    skin.photoRect.rects = {Rect{0, 0, 240, 200}, Rect{}, Rect{}};
    EXPECT_FALSE(skin.Load("/nonexistent/skin.ini"));
    DibImage photo = Solid(240, 200, kGreen);
    skin.photo = photo.View();
    skin.callType = CallType::ContactWithPicture;
    EXPECT_TRUE(Filled(Render(), {0, 0, 240, 200}, kGreen));
}

} // namespace
} // namespace pindrel
