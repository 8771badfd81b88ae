#include "skin/element_at.h"

#include <gtest/gtest.h>

#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

// Overlapping elements, one of each kind, on lines 1 to 27.
constexpr std::string_view kSkin = "[Background Image]\n" // 1
                                   "file=bg.bmp\n"
                                   "posP=0,0\n"
                                   "[Image]\n" // 4
                                   "file=a.bmp\n"
                                   "posP=10,10\n"
                                   "[Image]\n" // 7
                                   "file=a.bmp\n"
                                   "posP=20,10\n"
                                   "type=2\n"
                                   "[Button]\n" // 11
                                   "file_up=a.bmp\n"
                                   "file_down=a.bmp\n"
                                   "posP=100,100\n"
                                   "id=7\n"
                                   "[Photo Rect]\n" // 16
                                   "posP=100,200\n"
                                   "sizeP=50,50\n"
                                   "[Label]\n" // 19
                                   "fields=name,phone\n"
                                   "posP=0,300\n"
                                   "sizeP=240,20\n"
                                   "[Label]\n" // 23
                                   "fields=name\n"
                                   "posP=0,0\n"
                                   "sizeP=0,0\n"
                                   "[Label]\n"; // 27: no fields, not loaded

class ElementAtTest : public ::testing::Test {
protected:
    ElementAtTest() : cwd(dir.Path()) {
        dir.Write("bg.bmp", test::SolidBmp24(240, 200, Color::FromRgb(0, 0, 255)));
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        EXPECT_TRUE(skin.Load(dir.Write("skin.ini", kSkin)));
    }
    test::TempDir dir;
    test::ScopedCurrentDir cwd;
    test::TestSkin skin;
};

TEST_F(ElementAtTest, TopmostDrawnElementWithItsLine) {
    struct Case {
        const char* name;
        Point p;
        CallType t;
        ElementHit expected;
        const char* text;
    };
    using K = ElementKind;
    const Case cases[] = {
        {"background picture",
         {5, 5},
         CallType::UnknownCaller,
         {K::BackgroundImage, -1, 1},
         "Background image (bg.bmp), line 1"},
        {"below the picture", {5, 250}, CallType::UnknownCaller, {}, "Background colour"},
        {"image", {15, 15}, CallType::UnknownCaller, {K::Image, 0, 4}, "Image 0 (a.bmp), line 4"},
        {"later image on top",
         {25, 15},
         CallType::PrivateCaller,
         {K::Image, 1, 7},
         "Image 1 (a.bmp), line 7"},
        {"hidden image passed over",
         {25, 15},
         CallType::UnknownCaller,
         {K::Image, 0, 4},
         "Image 0 (a.bmp), line 4"},
        {"button",
         {119, 109},
         CallType::UnknownCaller,
         {K::Button, 0, 11},
         "Button 0, id 7 (a.bmp), line 11"},
        {"just outside the button",
         {120, 110},
         CallType::UnknownCaller,
         {K::BackgroundImage, -1, 1},
         "Background image (bg.bmp), line 1"},
        {"photo only with a picture",
         {120, 220},
         CallType::ContactWithPicture,
         {K::Photo, -1, 16},
         "Photo, line 16"},
        {"no photo otherwise", {120, 220}, CallType::ContactFound, {}, "Background colour"},
        {"label",
         {5, 310},
         CallType::UnknownCaller,
         {K::Label, 0, 19},
         "Label 0 (name, phone), line 19"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ElementHit hit = ElementAt(skin, c.p, c.t);
        EXPECT_EQ(hit, c.expected);
        EXPECT_EQ(DescribeElement(skin, hit), c.text);
    }
}

TEST_F(ElementAtTest, FollowsTheOrientation) {
    // Landscape carries the portrait rectangles of images and buttons, not of labels.
    skin.SetOrientation(Landscape);
    EXPECT_EQ(ElementAt(skin, {119, 109}, CallType::UnknownCaller).kind, ElementKind::Button);
    EXPECT_EQ(ElementAt(skin, {5, 310}, CallType::UnknownCaller).kind,
              ElementKind::BackgroundColor);
}

TEST_F(ElementAtTest, NothingFromAFailedLoad) {
    EXPECT_FALSE(skin.Load((dir.Path() / "missing.ini").string()));
    EXPECT_EQ(ElementAt(skin, {5, 5}, CallType::UnknownCaller), ElementHit{});
    // The photo rectangle outlives a failed load, but without a line.
    EXPECT_EQ(ElementAt(skin, {120, 220}, CallType::ContactWithPicture),
              (ElementHit{ElementKind::Photo, -1, 0}));
}

} // namespace
} // namespace pindrel
