#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "skin/skin_edit.h"
#include "support/edit_check.h"
#include "support/pictures.h"
#include "support/place_check.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::TempDir;
using test::TestSkin;

constexpr PlacedElement kImage0{PlacedKind::Image, 0};
constexpr PlacedElement kImage1{PlacedKind::Image, 1};
constexpr PlacedElement kButton0{PlacedKind::Button, 0};
constexpr PlacedElement kLabel0{PlacedKind::Label, 0};
constexpr PlacedElement kPhoto{PlacedKind::Photo, 0};

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

using test::Parsed;
using test::TextOf;

// Skins beside a picture of 20x10 (a.bmp) and a button of 30x20, loaded as the front ends do.
class PlaceElementTest : public ::testing::Test {
protected:
    PlaceElementTest() : cwd(dir.Path()) {
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        dir.Write("up.bmp", test::SolidBmp24(30, 20, Color::FromRgb(0, 255, 0)));
        dir.Write("down.bmp", test::SolidBmp24(30, 20, Color::FromRgb(0, 0, 255)));
    }
    bool Load(TestSkin& skin, std::string_view ini) {
        return skin.Load(dir.Write("skin.ini", ini));
    }
    // The edited file, after checking that it loads as asked and changes only what it may.
    std::string Place(std::string_view ini, const PlacedElement& e, const Placement& p) {
        TestSkin before, after;
        EXPECT_TRUE(Load(before, ini));
        const EditResult r = PlaceElement(Parsed(ini), before, e, p);
        EXPECT_TRUE(r.ok) << r.error;
        const std::string text = TextOf(r);
        EXPECT_TRUE(Load(after, text));
        EXPECT_EQ(test::PlaceDifference(Bytes(ini), before, r.file.Bytes(), after, e, p), "");
        return text;
    }

    TempDir dir;
    test::ScopedCurrentDir cwd;
};

TEST_F(PlaceElementTest, WritesOnlyTheNumbersItMust) {
    struct Case {
        const char* name;
        std::string_view ini;
        PlacedElement element;
        Placement placement;
        std::string_view expected;
    };
    const Case kCases[] = {
        {"LF; the next orientation keeps what it took",
         "[Image]\nfile=a.bmp\nposP=10,20\n",
         kImage0,
         {Portrait, 11, 20, 0, 0},
         "[Image]\nfile=a.bmp\nposP=11,20\nposL=10,20\n"},
        {"CR LF; own keys everywhere",
         "[Button]\r\nfile_up=up.bmp\r\nfile_down=down.bmp\r\nposP=1,2\r\nposL=3,4\r\nposQ=5,6\r\n",
         kButton0,
         {Landscape, 3, 9, 30, 20},
         "[Button]\r\nfile_up=up.bmp\r\nfile_down=down.bmp\r\nposP=1,2\r\nposL=3,9\r\nposQ=5,"
         "6\r\n"},
        {"CR and no line end at the end: the last line gets one",
         "[Image]\rfile=a.bmp\rposP=1,2\rposL=1,2\rposQ=1,2",
         kImage0,
         {Portrait, 1, 2, 40, 10},
         "[Image]\rfile=a.bmp\rposP=1,2\rposL=1,2\rposQ=1,2\rsizeP=40,10"},
        {"mixed ends: the inserted line takes its neighbour's",
         "[Image]\r\nfile=a.bmp\nposP=1,2  \r\n\r\n; c\n[Label]\rfields=name\r",
         kImage0,
         {Square, 5, 5, 0, 0},
         "[Image]\r\nfile=a.bmp\nposP=1,2  \r\nposQ=5,5\r\n\r\n; c\n[Label]\rfields=name\r"},
        {"duplicate keys: the first counts",
         "[Image]\nfile=a.bmp\nposP=1,2\nposP=7,7\nposL=1,2\nposQ=1,2\n",
         kImage0,
         {Portrait, 1, 3, 0, 0},
         "[Image]\nfile=a.bmp\nposP=1,3\nposP=7,7\nposL=1,2\nposQ=1,2\n"},
        {"case variants are other keys",
         "[Image]\nfile=a.bmp\nPosP=1,2\nposL=0,0\n",
         kImage0,
         {Portrait, 4, 4, 0, 0},
         "[Image]\nfile=a.bmp\nPosP=1,2\nposL=0,0\nposP=4,4\n"},
        {"spacing and text after the numbers stay",
         "[Image]\nfile=a.bmp\n  posP = 10 , 20 ; note\nsizeP\t=\t5,6,junk\nposL=0,0\n",
         kImage0,
         {Portrait, 11, 20, 5, 7},
         "[Image]\nfile=a.bmp\n  posP = 11 , 20 ; note\nsizeP\t=\t5,7,junk\nposL=0,0\n"},
        {"bytes above 0x7f",
         "; \xe9t\xe9 \xff\n[Image]\nfile=a.bmp\nposP=1,2 \xc3\xa9\nposL=1,2\n",
         kImage0,
         {Portrait, -1, 2, 0, 0},
         "; \xe9t\xe9 \xff\n[Image]\nfile=a.bmp\nposP=-1,2 \xc3\xa9\nposL=1,2\n"},
        {"a position of one item gets its second",
         "[Image]\nfile=a.bmp\nposP=5 ; note\nposL=0,0\n",
         kImage0,
         {Portrait, 7, 8, 0, 0},
         "[Image]\nfile=a.bmp\nposP=7,8 ; note\nposL=0,0\n"},
        {"a position that counts now brings its size key into play",
         "[Image]\nfile=a.bmp\nposP=1,2\nsizeL=50,50\n",
         kImage0,
         {Portrait, 5, 5, 0, 0},
         "[Image]\nfile=a.bmp\nposP=5,5\nsizeL=0,0\nposL=1,2\n"},
        {"the natural size keeps a size of 0",
         "[Image]\nfile=a.bmp\nposP=1,2\nsizeP=0,0\nposL=0,0\n",
         kImage0,
         {Portrait, 2, 2, 20, 10},
         "[Image]\nfile=a.bmp\nposP=2,2\nsizeP=0,0\nposL=0,0\n"},
        {"asking for size 0 writes 0",
         "[Image]\nfile=a.bmp\nposP=1,2\nsizeP=40,40\nposL=0,0\n",
         kImage0,
         {Portrait, 1, 2, 0, 40},
         "[Image]\nfile=a.bmp\nposP=1,2\nsizeP=0,40\nposL=0,0\n"},
        {"an earlier orientation: both later ones keep theirs",
         "[Button]\nfile_up=up.bmp\nfile_down=down.bmp\nposP=1,2\nsizeP=3,4\n",
         kButton0,
         {Portrait, 9, 9, 3, 4},
         "[Button]\nfile_up=up.bmp\nfile_down=down.bmp\nposP=9,9\nsizeP=3,4\nposL=1,2\n"
         "sizeL=3,4\n"},
        {"labels take nothing from the orientation before",
         "[Label]\nfields=name\nposP=1,2\nsizeP=10,10\n",
         kLabel0,
         {Portrait, 3, 3, 10, 10},
         "[Label]\nfields=name\nposP=3,3\nsizeP=10,10\n"},
        {"a label's own orientation",
         "[Label]\nfields=name\nposP=1,2\nsizeP=10,10\n",
         kLabel0,
         {Landscape, 0, 0, 10, 12},
         "[Label]\nfields=name\nposP=1,2\nsizeP=10,10\nposL=0,0\nsizeL=10,12\n"},
        {"no photo section: one at the end",
         "[Image]\nfile=a.bmp\n",
         kPhoto,
         {Portrait, 1, 2, 3, 4},
         "[Image]\nfile=a.bmp\n[Photo Rect]\nposP=1,2\nsizeP=3,4\nposL=0,0\n"},
        {"no photo section and no line end at the end",
         "[Image]\r\nfile=a.bmp",
         kPhoto,
         {Square, 1, 2, 3, 4},
         "[Image]\r\nfile=a.bmp\r\n[Photo Rect]\r\nposQ=1,2\r\nsizeQ=3,4"},
        {"a photo section without entries",
         "[Photo Rect]\r\n; none\r\n[Image]\r\nfile=a.bmp\r\n",
         kPhoto,
         {Square, 1, 2, 3, 4},
         "[Photo Rect]\r\nposQ=1,2\r\nsizeQ=3,4\r\n; none\r\n[Image]\r\nfile=a.bmp\r\n"},
        {"only the first photo section counts",
         "[Photo Rect]\nposP=1,1\n[Photo Rect]\nposP=1,1\n",
         kPhoto,
         {Square, 1, 1, 5, 5},
         "[Photo Rect]\nposP=1,1\nposQ=1,1\nsizeQ=5,5\n[Photo Rect]\nposP=1,1\n"},
        {"other sections of the name stay",
         "[Image]\nfile=a.bmp\nposP=1,2\n[Image]\nfile=a.bmp\nposP=1,2\n",
         kImage1,
         {Landscape, 1, 2, 21, 10},
         "[Image]\nfile=a.bmp\nposP=1,2\n[Image]\nfile=a.bmp\nposP=1,2\nposL=1,2\nsizeL=21,10\n"
         "posQ=1,2\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Place(c.ini, c.element, c.placement), c.expected);
    }
}

TEST_F(PlaceElementTest, TheRectangleInPlaceGivesTheSameBytes) {
    const std::string_view ini = "[Image]\r\nfile=a.bmp\nPosP=3,3\rposP=+1 , 2px ; x\n\n";
    TestSkin skin;
    ASSERT_TRUE(Load(skin, ini));
    for (const Placement& p : {Placement{Portrait, 1, 2, 0, 0}, Placement{Landscape, 1, 2, 20, 10},
                               Placement{Square, 1, 2, 0, 10}}) {
        const EditResult r = PlaceElement(Parsed(ini), skin, kImage0, p);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(TextOf(r), ini);
    }
    const std::optional<Placement> now = CurrentPlacement(skin, kImage0, Square);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->x, 1);
    EXPECT_EQ(now->width, 20);
}

TEST_F(PlaceElementTest, RefusesWhatItCannotFind) {
    const std::string_view ini = "[Image]\nfile=a.bmp\n";
    TestSkin skin;
    ASSERT_TRUE(Load(skin, ini));
    struct Case {
        const char* name;
        std::string_view bytes;
        PlacedElement element;
        int32_t orientation;
    };
    const Case kCases[] = {
        {"no such image", ini, kImage1, Portrait},
        {"no such kind of element", ini, kLabel0, Portrait},
        {"one photo", ini, {PlacedKind::Photo, 1}, Portrait},
        {"no such orientation", ini, kImage0, 3},
        {"other bytes", "[Image]\nfile=a.bmp\nposP=1,1\n", kImage0, Portrait},
        {"other sections", "[Label]\nfields=name\n", kImage0, Portrait},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const EditResult r =
            PlaceElement(Parsed(c.bytes), skin, c.element, {c.orientation, 5, 5, 0, 0});
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        EXPECT_TRUE(r.file.Bytes().empty());
    }
    EXPECT_FALSE(CurrentPlacement(skin, kImage1, Portrait));
    EXPECT_FALSE(CurrentPlacement(skin, kImage0, -1));
}

} // namespace
} // namespace pindrel
