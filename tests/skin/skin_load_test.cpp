#include <filesystem>

#include <gtest/gtest.h>

#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::TempDir;
using test::TestSkin;

// A skin folder with a few pictures; the skin is loaded with it as the current directory, as the
// front ends do.
class SkinLoad : public ::testing::Test {
protected:
    SkinLoad() : cwd(dir.Path()) {
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        dir.Write("b.bmp", test::SolidBmp24(30, 40, Color::FromRgb(0, 255, 0)));
        dir.Write("bgr.bmp", test::SolidBmp24(240, 320, Color::FromRgb(0, 0, 255)));
        dir.Write("not.bmp", std::string_view("BA this is no bitmap"));
    }
    bool Load(std::string_view ini) { return skin.Load(dir.Write("skin.ini", ini)); }

    TempDir dir;
    test::ScopedCurrentDir cwd;
    TestSkin skin;
};

TEST_F(SkinLoad, UnreadableFileClearsAndFails) {
    ASSERT_TRUE(Load("[Background Color]\ncolor=0,0,255\n[Image]\nfile=a.bmp"));
    ASSERT_EQ(skin.images.size(), 1u);
    EXPECT_FALSE(skin.Load((dir.Path() / "missing.ini").string()));
    EXPECT_EQ(skin.backgroundColor, kWhite);
    EXPECT_TRUE(skin.images.empty());
    ASSERT_TRUE(Load("[Image]\nfile=a.bmp"));
    EXPECT_FALSE(Load(""));
    EXPECT_TRUE(skin.images.empty());
}

TEST_F(SkinLoad, EmptyOrForeignSectionsLoadAsBlank) {
    ASSERT_TRUE(Load("; nothing\n[Something]\nx=1"));
    EXPECT_EQ(skin.backgroundColor, kWhite);
    EXPECT_FALSE(skin.backgroundImage.loaded);
    for (const Rect& r : skin.photoRect.rects)
        EXPECT_EQ(r, Rect{});
}

TEST_F(SkinLoad, BackgroundColorFirstSectionOnly) {
    ASSERT_TRUE(Load("[Background Color]\ncolor=0,0,255\n[Background Color]\ncolor=255,0,0"));
    EXPECT_EQ(skin.backgroundColor, Color(0xFF0000));
    ASSERT_TRUE(Load("[Background Color]\ncolor=0,0"));
    EXPECT_EQ(skin.backgroundColor, kWhite);
}

TEST_F(SkinLoad, BackgroundImageDefaultNameOnlyWithSection) {
    ASSERT_TRUE(Load("[Background Color]\ncolor=1,2,3"));
    EXPECT_FALSE(skin.backgroundImage.loaded);
    ASSERT_TRUE(Load("[Background Image]\ntype=3"));
    EXPECT_TRUE(skin.backgroundImage.loaded);
    EXPECT_EQ(skin.backgroundImage.file, "bgr.bmp");
    EXPECT_EQ(skin.backgroundImage.type, 3);
    EXPECT_EQ(skin.backgroundImage.rects[Landscape], (Rect{0, 0, 240, 320}));
}

TEST_F(SkinLoad, ElementsInFileOrderKindByKind) {
    ASSERT_TRUE(Load("[Label]\nfields=name\n[Image]\nfile=a.bmp\n[Image]\nfile=missing.bmp\n"
                     "[Label]\nfields=time\n[Button]\nfile_up=a.bmp\nfile_down=b.bmp\n"
                     "[Image]\nfile=b.bmp\n[Image]\nfile=not.bmp"));
    ASSERT_EQ(skin.images.size(), 2u);
    EXPECT_EQ(skin.images[0].file, "a.bmp");
    EXPECT_EQ(skin.images[1].file, "b.bmp");
    ASSERT_EQ(skin.labels.size(), 2u);
    EXPECT_EQ(skin.labels[1].fieldIds, std::vector<int32_t>{5});
    ASSERT_EQ(skin.buttons.size(), 1u);
    EXPECT_EQ(skin.buttons[0].id, -1);
}

TEST_F(SkinLoad, ImagePlacementCarriesAcrossOrientations) {
    const struct {
        const char* name;
        const char* keys;
        std::array<Rect, 3> rects;
    } cases[] = {
        {"no keys: natural size at origin", "", {{{0, 0, 20, 10}, {0, 0, 20, 10}, {0, 0, 20, 10}}}},
        {"zero width takes the picture's",
         "posP=10,20\nsizeP=0,50",
         {{{10, 20, 30, 70}, {10, 20, 30, 70}, {10, 20, 30, 70}}}},
        {"portrait only carried",
         "posP=10,20\nsizeP=30,40",
         {{{10, 20, 40, 60}, {10, 20, 40, 60}, {10, 20, 40, 60}}}},
        {"square own, landscape carried",
         "posP=1,2\nposQ=5,6\nsizeQ=7,8",
         {{{1, 2, 21, 12}, {1, 2, 21, 12}, {5, 6, 12, 14}}}},
        {"bad position keeps previous",
         "posP=1,2\nposL=9",
         {{{1, 2, 21, 12}, {1, 2, 21, 12}, {1, 2, 21, 12}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Load(std::string("[Image]\nfile=a.bmp\n") + c.keys));
        ASSERT_EQ(skin.images.size(), 1u);
        EXPECT_EQ(skin.images[0].rects, c.rects);
    }
}

TEST_F(SkinLoad, PhotoRectCarriesAndSurvivesFailedLoad) {
    ASSERT_TRUE(Load("[Photo Rect]\nposP=10,20\nsizeP=100,80\nposQ=1,1\nsizeQ=5,5"));
    const std::array<Rect, 3> expected = {Rect{10, 20, 110, 100}, Rect{10, 20, 110, 100},
                                          Rect{1, 1, 6, 6}};
    EXPECT_EQ(skin.photoRect.rects, expected);
    EXPECT_FALSE(Load(""));
    EXPECT_EQ(skin.photoRect.rects, expected);
    ASSERT_TRUE(Load("[Photo Rect]\nposP=10,20"));
    EXPECT_EQ(skin.photoRect.rects[Portrait], (Rect{10, 20, 10, 20}));
}

TEST_F(SkinLoad, Buttons) {
    ASSERT_TRUE(Load("[Button]\nfile_up=a.bmp\nfile_down=b.bmp\nid=3\ntransp_color=255,0,255\n"
                     "[Button]\nfile_up=a.bmp\nfile_down=b.bmp\nid=4\ntransp_color=255,0\n"
                     "[Button]\nfile_up=a.bmp\n"
                     "[Button]\nfile_up=a.bmp\nfile_down=missing.bmp\n"
                     "[Button]\nfile_up=missing.bmp\nfile_down=a.bmp"));
    ASSERT_EQ(skin.buttons.size(), 2u);
    const SkinButton& b = skin.buttons[0];
    EXPECT_TRUE(b.firesOnPress);
    EXPECT_FALSE(skin.buttons[1].firesOnPress);
    EXPECT_TRUE(b.hasTransparentColor);
    EXPECT_EQ(b.transparentColor, Color(0xFF00FF));
    EXPECT_FALSE(skin.buttons[1].hasTransparentColor);
    // Placed with the up picture's size; the down picture keeps its own.
    EXPECT_EQ(b.rects[Portrait], (Rect{0, 0, 20, 10}));
    EXPECT_EQ(b.downBitmap->Width(), 30);
    EXPECT_FALSE(b.pressed || b.tracking);
}

TEST_F(SkinLoad, Labels) {
    ASSERT_TRUE(Load("[Label]\nfields=name, foo,phone\nposP=1,2\nsizeP=100,20\n"
                     "font1=12\nfont2=20,Bad\ncolor2=1,1,1\nfont3=14, Arial, 1, 1\n"
                     "color3=255,0,0\nhor_align=5\nvert_align=2\ntype=24\n"
                     "[Label]\nfields=Name\n[Label]\nfields= , ,\n[Label]\nposP=0,0"));
    ASSERT_EQ(skin.labels.size(), 2u);
    const SkinLabel& l = skin.labels[0];
    EXPECT_EQ(l.fieldIds, (std::vector<int32_t>{0, 4}));
    EXPECT_EQ(l.fonts[0], (FontSpec{"Tahoma", 12, 0, 0, Color(0)}));
    EXPECT_EQ(l.fonts[1], (FontSpec{"Arial", 14, 1, 1, Color(0x0000FF)}));
    EXPECT_EQ(l.rects[Portrait], (Rect{1, 2, 101, 22}));
    EXPECT_EQ(l.rects[Landscape], Rect{}); // labels carry nothing across
    EXPECT_EQ(l.horAlign, 5);
    EXPECT_EQ(l.vertAlign, 2);
    EXPECT_EQ(l.type, 24);
    EXPECT_TRUE(skin.labels[1].fieldIds.empty()); // kept, never drawn
}

TEST_F(SkinLoad, ReloadReplacesAndResetsButtonState) {
    const char* ini = "[Button]\nfile_up=a.bmp\nfile_down=b.bmp\n[Image]\nfile=a.bmp";
    ASSERT_TRUE(Load(ini));
    skin.buttons[0].pressed = skin.buttons[0].tracking = true;
    ASSERT_TRUE(Load(ini));
    EXPECT_EQ(skin.buttons.size(), 1u);
    EXPECT_EQ(skin.images.size(), 1u);
    EXPECT_FALSE(skin.buttons[0].pressed || skin.buttons[0].tracking);
}

TEST_F(SkinLoad, HugeNumbersWrapWithoutUndefinedBehaviour) {
    ASSERT_TRUE(Load("[Image]\nfile=a.bmp\nposP=2147483647,-2147483648\nsizeP=10,-10"));
    EXPECT_EQ(skin.images[0].rects[Portrait],
              (Rect{INT32_MAX, INT32_MIN, INT32_MIN + 9, INT32_MAX - 9}));
}

TEST_F(SkinLoad, BitmapBytesStayWithinTheBudget) {
    // a.bmp costs its file and its picture; not.bmp, which fails, its file alone.
    const uint64_t a =
        std::filesystem::file_size(dir.Path() / "a.bmp") + uint64_t{DibImage::StrideFor(20)} * 10;
    const uint64_t bad = std::filesystem::file_size(dir.Path() / "not.bmp");
    const struct {
        const char* name;
        uint64_t budget;
        size_t images, buttons;
    } cases[] = {
        {"all fit exactly", 6 * a + bad, 3, 1},
        {"button beyond", 6 * a + bad - 1, 3, 0},
        {"third image beyond: nothing further", 3 * a + bad, 2, 0},
        {"failed reads count", 3 * a, 1, 0},
        {"background alone fills it", a, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        skin.maxBitmapBytes = c.budget;
        ASSERT_TRUE(
            Load("[Background Image]\nfile=a.bmp\n[Image]\nfile=a.bmp\n[Image]\nfile=not.bmp\n"
                 "[Image]\nfile=a.bmp\n[Button]\nfile_up=a.bmp\nfile_down=a.bmp\n"
                 "[Image]\nfile=a.bmp\n[Label]\nfields=name"));
        EXPECT_TRUE(skin.backgroundImage.loaded);
        EXPECT_EQ(skin.images.size(), c.images);
        EXPECT_EQ(skin.buttons.size(), c.buttons);
        EXPECT_EQ(skin.labels.size(), 1u); // labels read no bitmaps
    }
}

TEST_F(SkinLoad, ManySectionsLoad) {
    std::string ini;
    for (int i = 0; i < 20000; ++i)
        ini += "[Label]\nfields=name\nposP=0,0\nsizeP=10,10\n";
    ASSERT_TRUE(Load(ini));
    EXPECT_EQ(skin.labels.size(), 20000u);
}

} // namespace
} // namespace pindrel
