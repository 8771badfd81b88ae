#include <gtest/gtest.h>

#include "render/text_layout.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::TestSkin;

// Rows of r holding any pixel other than white: [first, last + 1), or empty.
std::pair<int32_t, int32_t> InkRows(const Canvas& c, const Rect& r) {
    int32_t first = -1, last = -1;
    for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, c.Height()); ++y) {
        for (int32_t x = std::max(r.left, 0); x < std::min(r.right, c.Width()); ++x) {
            if (c.Pixel(x, y) != kWhite) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last + 1};
}

class DrawLabel : public ::testing::Test {
protected:
    void SetUp() override {
        // No descenders, so ink stays inside each line's cell even anti-aliased.
        skin.info.company = "COMPANY";
        skin.info.job = "TOP";
    }
    SkinLabel& AddLabel(std::vector<int32_t> fields, Rect portrait, int32_t vert = 0,
                        int32_t hor = 0) {
        SkinLabel l;
        for (int32_t f : fields)
            l.AddField(f, FontSpec{});
        l.rects = {portrait, Rect{}, Rect{}};
        l.vertAlign = vert;
        l.horAlign = hor;
        skin.labels.push_back(l);
        return skin.labels.back();
    }
    int32_t LineHeight() { return skin.fontCache.GetFont(FontSpec{}, kDefaultDpi).Height(); }
    Canvas Render() { return test::DrawNow(skin, {240, 320}); }

    TestSkin skin;
};

TEST_F(DrawLabel, EmptyFieldTakesNoRoom) {
    skin.callType = CallType::ContactFound;
    skin.info.name.clear();
    AddLabel({0, 1}, {10, 100, 230, 200}); // name (empty), company
    const auto [top, bottom] = InkRows(Render(), {10, 0, 230, 320});
    ASSERT_GE(top, 100);
    EXPECT_LT(top, 100 + LineHeight());
    EXPECT_LE(bottom, 100 + LineHeight());
}

TEST_F(DrawLabel, FieldsStackWithoutGap) {
    skin.callType = CallType::ContactFound;
    AddLabel({0, 1, 2}, {10, 100, 230, 200});
    const int32_t h = LineHeight();
    const Canvas c = Render();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto [top, bottom] = InkRows(c, {10, 100 + i * h, 230, 100 + (i + 1) * h});
        EXPECT_GE(top, 100 + i * h);
    }
    EXPECT_LE(InkRows(c, {10, 0, 230, 320}).second, 100 + 3 * h);
}

TEST_F(DrawLabel, VerticalPlacement) {
    const int32_t h = LineHeight();
    const struct {
        const char* name;
        int32_t vert;
        int32_t height;
        int32_t expectedTop; // offset of the first line from the label's top
    } cases[] = {
        {"top", 0, 60, 0},
        {"other values count as top", 7, 60, 0},
        {"bottom", 1, 60, 60 - h},
        {"bottom above the label when too tall", 1, h / 2, h / 2 - h},
        {"centre", 2, 30, (30 - h + 1) / 2},
        {"centre never above the top", 2, h / 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        skin.labels.clear();
        AddLabel({0}, {10, 150, 230, 150 + c.height}, c.vert);
        const auto [top, bottom] = InkRows(Render(), {10, 0, 230, 320});
        const int32_t lineTop = 150 + c.expectedTop;
        ASSERT_GE(top, lineTop);
        EXPECT_LE(bottom, lineTop + h);
    }
}

TEST_F(DrawLabel, ClippedToTheLabelUnlessRightAlignedItalic) {
    skin.callType = CallType::ContactFound;
    SkinLabel& l = AddLabel({0}, {10, 100, 40, 104}); // far too small for "First Last"
    const Canvas clipped = Render();
    EXPECT_EQ(InkRows(clipped, {0, 0, 240, 100}), std::make_pair(-1, 0));
    EXPECT_EQ(InkRows(clipped, {0, 104, 240, 320}), std::make_pair(-1, 0));
    EXPECT_EQ(InkRows(clipped, {40, 0, 240, 320}), std::make_pair(-1, 0));
    l.horAlign = 1;
    l.fonts[0].italic = 1;
    const Canvas free = Render();
    EXPECT_NE(InkRows(free, {0, 104, 240, 320}).first, -1); // drawn below the label too
}

TEST_F(DrawLabel, HorizontalAlignment) {
    skin.callType = CallType::ContactFound;
    const auto inkColumns = [](const Canvas& c) {
        int32_t first = 1000, last = -1;
        for (int32_t y = 0; y < c.Height(); ++y) {
            for (int32_t x = 0; x < c.Width(); ++x) {
                if (c.Pixel(x, y) != kWhite) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return std::make_pair(first, last);
    };
    AddLabel({0}, {0, 0, 240, 40}, 0, 0);
    const auto left = inkColumns(Render());
    skin.labels[0].horAlign = 1;
    const auto right = inkColumns(Render());
    skin.labels[0].horAlign = 2;
    const auto centre = inkColumns(Render());
    EXPECT_LT(left.first, 5);
    EXPECT_GT(right.second, 234);
    const int32_t width = left.second - left.first;
    EXPECT_NEAR(centre.first, (240 - width) / 2, 3);
}

TEST_F(DrawLabel, LineFeedMakesTwoLines) {
    skin.callType = CallType::ContactFound;
    skin.info.name = "A\nB";
    AddLabel({0}, {10, 100, 230, 200});
    const auto [top, bottom] = InkRows(Render(), {10, 0, 230, 320});
    EXPECT_GT(bottom, 100 + LineHeight());
    EXPECT_LE(bottom, 100 + 2 * LineHeight());
}

TEST(FontCache, ColourIsPartOfTheKey) {
    FontCache cache;
    FontSpec a, b;
    b.color = Color(0xFF);
    Font& fa = cache.GetFont(a, kDefaultDpi);
    cache.GetFont(b, kDefaultDpi);
    EXPECT_EQ(cache.Count(), 2u);
    EXPECT_EQ(&cache.GetFont(a, kDefaultDpi), &fa);
    FontSpec c = a;
    c.face = "tahoma"; // exact, case-sensitive comparison
    cache.GetFont(c, kDefaultDpi);
    EXPECT_EQ(cache.Count(), 3u);
}

TEST(FontCache, SharesFontsAndStaysBounded) {
    FontCache cache;
    // A skin can give every field its own colour: the entries share one font.
    for (uint32_t c = 0; c < 5000; ++c) {
        FontSpec f;
        f.color = Color(c);
        cache.GetFont(f, kDefaultDpi);
    }
    EXPECT_EQ(cache.Count(), 5000u);
    EXPECT_EQ(cache.FontCount(), 1u);
    // Faces that differ only beyond the 31 characters asked for are one font too.
    FontSpec longFace, sameStart;
    longFace.face = std::string(31, 'x') + "A";
    sameStart.face = std::string(31, 'x') + "B";
    EXPECT_EQ(&cache.GetFont(longFace, kDefaultDpi), &cache.GetFont(sameStart, kDefaultDpi));
    EXPECT_EQ(cache.Count(), 5002u);
    // ...or its own size: the cache starts afresh instead of growing without end, and every
    // font request still gets the size it asks for.
    for (int32_t size = 1; size <= 3 * static_cast<int32_t>(kMaxCachedFonts); ++size) {
        SCOPED_TRACE(size);
        FontSpec f;
        f.size = size;
        EXPECT_EQ(cache.GetFont(f, kDefaultDpi).PixelSize(),
                  -MakeFontRequest(f, kDefaultDpi).height);
        EXPECT_LE(cache.FontCount(), kMaxCachedFonts);
    }
}

TEST(MakeFontRequest, HeightsWeightAndFace) {
    const struct {
        int32_t size;
        int32_t height;
    } cases[] = {{9, -12},
                 {8, -11},
                 {10, -13},
                 {11, -15},
                 {12, -16},
                 {0, 0},
                 {-10, 12},
                 {INT32_MAX, -kMaxFontPixels},
                 {INT32_MIN, kMaxFontPixels}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        FontSpec fontSpec;
        fontSpec.size = c.size;
        EXPECT_EQ(MakeFontRequest(fontSpec, kDefaultDpi).height, c.height);
    }
    FontSpec fontSpec;
    fontSpec.face = std::string(40, 'x');
    fontSpec.bold = true;
    fontSpec.italic = true;
    const FontRequest r = MakeFontRequest(fontSpec, kDefaultDpi);
    EXPECT_EQ(r.face, std::string(31, 'x'));
    EXPECT_EQ(r.weight, 700);
    EXPECT_TRUE(r.italic);
    fontSpec.size = 9;
    EXPECT_EQ(MakeFontRequest(fontSpec, 120).height, -15);
    EXPECT_EQ(MakeFontRequest(fontSpec, 0).height, -12); // no resolution: 96
}

TEST_F(DrawLabel, FontsSurviveReload) {
    skin.callType = CallType::ContactFound;
    SkinLabel& l = AddLabel({0, 1}, {10, 100, 230, 200});
    l.fonts[1].color = Color(0xFF);
    Render();
    Render();
    EXPECT_EQ(skin.fontCache.Count(), 2u);
    skin.Clear();
    EXPECT_EQ(skin.fontCache.Count(), 2u);
}

} // namespace
} // namespace pindrel
