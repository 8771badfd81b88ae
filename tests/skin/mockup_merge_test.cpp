#include "skin/mockup_merge.h"

#include <string>

#include <gtest/gtest.h>

#include "ini/skin_ini_file.h"
#include "skin/sample_skin.h"
#include "skin/skin_load.h"
#include "support/mockup_writer.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::Group;
using test::SolidLayer;

LayeredImage Screen(int32_t w, int32_t h, int32_t shift) {
    LayeredImage doc;
    doc.width = w;
    doc.height = h;
    doc.layers.push_back(SolidLayer("background", 0, 0, w, h, 10, 20, 30));
    doc.layers.push_back(SolidLayer("logo", 10 + shift, 10, 30, 20, 200, 0, 0));
    doc.layers.push_back(
        Group("button ok", {SolidLayer("up", 20 + shift, 150, 40, 20, 0, 200, 0),
                            SolidLayer("down", 20 + shift, 150, 40, 20, 0, 0, 0)}));
    doc.layers.push_back(SolidLayer("label: name", 10 + shift, 60, 100, 16, 1, 1, 1));
    doc.layers.push_back(SolidLayer("photo", 150 + shift, 40, 60, 60, 5, 5, 5));
    return doc;
}

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

struct Loaded {
    SampleSkin skin;
    SkinIniFile ini;
};

TEST(MergeMockup, MovesMatchesInOneOrientationAndAddsTheRest) {
    test::TempDir dir;
    MockupPlan portrait = *PlanMockupImport(Screen(240, 320, 0)).plan;
    for (const MockupBitmap& b : PlanBitmaps(portrait))
        dir.Write(b.file, EncodeMockupBitmap(*b.picture));
    const std::string text = "; made by hand\r\n" + NewSkinText(portrait);
    const std::string path = dir.Write("skin.ini", text);

    LayeredImage wide = Screen(320, 240, 60);
    wide.layers.push_back(SolidLayer("star", 300, 5, 10, 10, 9, 9, 9));
    MockupPlan landscape = *PlanMockupImport(wide).plan;
    const MockupMerge merged = MergeMockup(Bytes(text), dir.Path().string(), landscape,
                                           [](const std::string&) { return false; });
    ASSERT_TRUE(merged.ok) << merged.error;

    const std::vector<std::string> want = {
        "photo photo 210,40 60x60 all; moved",
        "image logo.bmp 70,10 30x20 all; moved",
        "button button_ok_up.bmp 80,150 40x20 all; moved",
        "label name 70,60 100x16 all; moved",
        "image background_2.bmp 0,0 320x240 all; new, still without portrait, square",
        "image star.bmp 300,5 10x10 all; new, still without portrait, square",
    };
    EXPECT_EQ(merged.lines, want);
    ASSERT_EQ(merged.bitmaps.size(), 2u);
    EXPECT_EQ(merged.bitmaps[0].file, "background_2.bmp");

    // What was there stays, byte for byte, up to the first edit.
    const std::string out(merged.bytes.begin(), merged.bytes.end());
    EXPECT_EQ(out.substr(0, text.find("posP")), text.substr(0, text.find("posP")));
    EXPECT_NE(out.find("[Image]\r\nfile=star.bmp\r\nposL=300,5\r\nsizeL=10,10\r\n"),
              std::string::npos);

    for (const MockupBitmap& b : merged.bitmaps)
        dir.Write(b.file, EncodeMockupBitmap(*b.picture));
    dir.Write("skin.ini", out);
    Loaded after;
    ASSERT_TRUE(LoadSkinBeside(after.skin, path, after.ini));
    ASSERT_EQ(after.skin.images.size(), 3u);
    EXPECT_EQ(after.skin.images[0].rects[Portrait], (Rect{10, 10, 40, 30}));
    EXPECT_EQ(after.skin.images[0].rects[Landscape], (Rect{70, 10, 100, 30}));
    EXPECT_EQ(after.skin.buttons[0].rects[Portrait], (Rect{20, 150, 60, 170}));
    EXPECT_EQ(after.skin.buttons[0].rects[Landscape], (Rect{80, 150, 120, 170}));
    EXPECT_EQ(after.skin.labels[0].rects[Landscape], (Rect{70, 60, 170, 76}));
    EXPECT_EQ(after.skin.photoRect.rects[Landscape], (Rect{210, 40, 270, 100}));
    EXPECT_EQ(after.skin.photoRect.rects[Portrait], (Rect{150, 40, 210, 100}));
}

TEST(MergeMockup, NewPicturesAvoidNamesTaken) {
    LayeredImage doc;
    doc.width = 240;
    doc.height = 240;
    doc.layers.push_back(SolidLayer("icon", 1, 1, 2, 2, 1, 2, 3));
    MockupPlan plan = *PlanMockupImport(doc).plan;
    const MockupMerge merged =
        MergeMockup(Bytes("[Image]\nfile=other.bmp\n"), "/nonexistent", plan,
                    [](const std::string& name) { return name == "icon.bmp"; });
    ASSERT_TRUE(merged.ok) << merged.error;
    ASSERT_EQ(merged.bitmaps.size(), 1u);
    EXPECT_EQ(merged.bitmaps[0].file, "icon_2.bmp");
    EXPECT_EQ(std::string(merged.bytes.begin(), merged.bytes.end()),
              "[Image]\nfile=other.bmp\n[Image]\nfile=icon_2.bmp\nposQ=1,1\nsizeQ=2,2\n");
}

} // namespace
} // namespace pindrel
