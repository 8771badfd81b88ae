#include <gtest/gtest.h>

#include <string>

#include "ini/skin_ini_file.h"
#include "skin/adapt.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Portrait to landscape: one element of each kind, each anchored as its place says.
TEST(AdaptSkin, SetsEveryElementByTheRule) {
    test::TempDir dir;
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    dir.Write("up.bmp", test::SolidBmp24(30, 20, Color::FromRgb(0, 255, 0)));
    const std::string ini = "; kept\r\n"
                            "[Background Image]\r\nfile=a.bmp\r\nposP=220,300\r\n"
                            "[Image]\r\nfile=a.bmp\r\nposP=200,10\r\n"
                            "[Button]\r\nfile_up=up.bmp\r\nfile_down=up.bmp\r\nposP=105,290\r\n"
                            "posL=1,1\r\n"
                            "[Label]\r\nfields=name\r\nposP=10,100\r\nsizeP=220,20\r\n"
                            "[Label]\r\nfields=time\r\nposQ=1,1\r\nsizeQ=10,10\r\n"
                            "[Photo Rect]\r\nposP=70,40\r\nsizeP=100,100\r\n";
    LoadContext context;
    context.folder = dir.Path().string();
    AdaptRequest request;
    request.from = Portrait;
    request.to = Landscape;
    const AdaptResult r = AdaptSkin(Bytes(ini), context, request);
    ASSERT_TRUE(r.ok) << r.error;

    test::TestSkin before, after;
    SkinIniFile a, b;
    a.Parse(Bytes(ini));
    b.Parse(r.bytes);
    before.Load(a, context);
    after.Load(b, context);
    // The image in the last third across keeps its distance to the right edge (+80); in the
    // first third down keeps its top. The button, centred across and low, is centred across
    // and keeps its distance to the bottom (-80). The label spans across: it grows by 80, and is
    // centred down (-40). The photo is centred across and keeps its top, its centre lying in
    // the first third down. The label without a portrait place stays as it was.
    EXPECT_EQ(after.images[0].rects[Landscape], (Rect{280, 10, 300, 20}));
    EXPECT_EQ(after.buttons[0].rects[Landscape], (Rect{145, 210, 175, 230}));
    EXPECT_EQ(after.labels[0].rects[Landscape], (Rect{10, 60, 310, 80}));
    EXPECT_EQ(after.photoRect.rects[Landscape], (Rect{110, 40, 210, 140}));
    EXPECT_EQ(after.labels[1].rects, before.labels[1].rects);
    EXPECT_EQ(r.placed.size(), 4u);
    // The background picture too, in the last third both ways; Square, which took Portrait's
    // rectangle through Landscape, keeps it.
    EXPECT_EQ(after.backgroundImage.rects[Landscape], (Rect{300, 220, 320, 230}));
    EXPECT_EQ(after.backgroundImage.rects[Square], before.backgroundImage.rects[Square]);
    EXPECT_EQ(after.backgroundImage.rects[Portrait], before.backgroundImage.rects[Portrait]);
    // The other orientations show what they showed.
    for (const int32_t o : {Portrait, Square}) {
        EXPECT_EQ(after.images[0].rects[o], before.images[0].rects[o]);
        EXPECT_EQ(after.buttons[0].rects[o], before.buttons[0].rects[o]);
        EXPECT_EQ(after.labels[0].rects[o], before.labels[0].rects[o]);
        EXPECT_EQ(after.photoRect.rects[o], before.photoRect.rects[o]);
    }
    const std::string text(r.bytes.begin(), r.bytes.end());
    EXPECT_EQ(text.substr(0, 9), "; kept\r\n[");

    // Only the elements named; "same" keeps the rectangle.
    request.every = false;
    request.elements = {{PlacedKind::Label, 0}};
    request.rule = AdaptRule::Same;
    const AdaptResult one = AdaptSkin(Bytes(ini), context, request);
    ASSERT_TRUE(one.ok);
    SkinIniFile c;
    c.Parse(one.bytes);
    test::TestSkin same;
    same.Load(c, context);
    EXPECT_EQ(same.labels[0].rects[Landscape], (Rect{10, 100, 230, 120}));
    EXPECT_EQ(same.buttons[0].rects[Landscape], before.buttons[0].rects[Landscape]);
}

} // namespace
} // namespace pindrel
