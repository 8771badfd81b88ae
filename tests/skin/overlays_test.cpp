#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "skin/overlays.h"
#include "support/pictures.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::Picture;
using test::TestSkin;

constexpr Color kBlue = Color::FromRgb(0, 0, 255);
constexpr Color kMagenta = Color::FromRgb(255, 0, 255);
constexpr Color kWhite = Color::FromRgb(255, 255, 255);

DibImage Solid(int32_t w, int32_t h, Color c) {
    return Picture(w, h, [c](int32_t, int32_t) { return c; });
}

SkinImage MakeImage(DibImage picture, Rect r, int32_t type = 255) {
    SkinImage image;
    image.width = picture.Width();
    image.height = picture.Height();
    image.bitmap = std::move(picture);
    image.loaded = true;
    image.type = type;
    image.rects = {r, r, r};
    return image;
}

using Pixels = std::set<std::pair<int32_t, int32_t>>;

// The boundary pixels of r on a 240 x 320 screen, every one or those of the dashes.
Pixels RingPixels(const Rect& r, bool dashed) {
    Pixels ring;
    const auto add = [&](int32_t x, int32_t y, int32_t along) {
        if (x >= 0 && y >= 0 && x < 240 && y < 320 && (!dashed || (along / kOutlineDash) % 2 == 0))
            ring.insert({x, y});
    };
    for (int32_t x = r.left; x < r.right; ++x) {
        add(x, r.top, x - r.left);
        add(x, r.bottom - 1, x - r.left);
    }
    for (int32_t y = r.top; y < r.bottom; ++y) {
        add(r.left, y, y - r.top);
        add(r.right - 1, y, y - r.top);
    }
    return ring;
}

Pixels Differing(const Canvas& a, const Canvas& b) {
    Pixels out;
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) out.insert({x, y});
    return out;
}

struct OverlaySkin : TestSkin {
    OverlaySkin() {
        backgroundColor = kBlue;
        images.push_back(MakeImage(Solid(20, 10, kWhite), {10, 10, 30, 20}));
        images.push_back(MakeImage(Solid(20, 10, kWhite), {100, 10, 120, 20}, 16)); // hidden
        // Keyed at its own size: the left half is the key and lets the blue through.
        images.push_back(
            MakeImage(Picture(8, 4, [](int32_t x, int32_t) { return x < 4 ? kMagenta : kWhite; }),
                      {10, 100, 18, 104}));
        images.back().hasTransparentColor = true;
        images.back().transparentColor = kMagenta;
        // Keyed, but drawn resized: the key cannot act.
        images.push_back(MakeImage(Solid(8, 4, kMagenta), {50, 100, 66, 108}));
        images.back().hasTransparentColor = true;
        images.back().transparentColor = kMagenta;
        SkinLabel label;
        label.AddField(0, FontSpec{});
        label.rects = {Rect{0, 280, 240, 320}, Rect{}, Rect{}};
        labels.push_back(std::move(label));
        photoRect.rects = {Rect{150, 150, 200, 200}, Rect{}, Rect{}};
    }
};

TEST(Overlays, OutlinesLieOnTheRingsOfEveryElementOnly) {
    OverlaySkin skin;
    const Canvas plain = test::DrawNow(skin, {240, 320});
    const Canvas outlined =
        DrawScreenOverlaid(skin, skin.PreviewRequest({240, 320}), skin.fontCache, {true, false});
    struct Ring {
        Rect r;
        bool dashed;
        Color colour;
    };
    // In the order they are drawn: a later ring lies over an earlier one.
    const Ring rings[] = {
        {{10, 10, 30, 20}, false, kImageOutline},    {{100, 10, 120, 20}, true, kImageOutline},
        {{10, 100, 18, 104}, false, kImageOutline},  {{50, 100, 66, 108}, false, kImageOutline},
        {{150, 150, 200, 200}, true, kPhotoOutline}, // no photo shown
        {{0, 280, 240, 320}, false, kLabelOutline}};
    Pixels expected;
    for (const Ring& ring : rings) {
        const Pixels p = RingPixels(ring.r, ring.dashed);
        expected.insert(p.begin(), p.end());
    }
    EXPECT_EQ(Differing(plain, outlined), expected);
    for (const Ring& ring : rings)
        EXPECT_EQ(outlined.Pixel(ring.r.left, ring.r.top), ring.colour) << ring.r.left;
    // A dash gap keeps what the screen shows.
    EXPECT_EQ(outlined.Pixel(100 + kOutlineDash, 10), plain.Pixel(100 + kOutlineDash, 10));

    // Shown for a contact with picture, the photo's ring is whole.
    skin.callType = CallType::ContactWithPicture;
    const Canvas withPhoto =
        DrawScreenOverlaid(skin, skin.PreviewRequest({240, 320}), skin.fontCache, {true, false});
    EXPECT_EQ(withPhoto.Pixel(150 + kOutlineDash, 150), kPhotoOutline);
}

TEST(Overlays, KeysTintWhatWasKeyedOutAndHatchWhatCannotBe) {
    OverlaySkin skin;
    const Canvas plain = test::DrawNow(skin, {240, 320});
    const Canvas keyed =
        DrawScreenOverlaid(skin, skin.PreviewRequest({240, 320}), skin.fontCache, {false, true});
    Pixels expected;
    for (int32_t y = 100; y < 104; ++y)
        for (int32_t x = 10; x < 14; ++x)
            expected.insert({x, y}); // the keyed-out half
    for (int32_t y = 100; y < 108; ++y)
        for (int32_t x = 50; x < 66; ++x)
            if ((x - 50 + y - 100) % 4 == 0) expected.insert({x, y});
    EXPECT_EQ(Differing(plain, keyed), expected);
    EXPECT_EQ(keyed.Pixel(10, 100), Color::FromRgb(128, 0, 255)); // blue beneath, tinted
    EXPECT_EQ(keyed.Pixel(50, 100), kKeyHatch);
    EXPECT_EQ(keyed.Pixel(51, 100), kMagenta); // drawn resized, opaque
    // The screen keeps its keys.
    EXPECT_EQ(test::DrawNow(skin, {240, 320}).Pixel(10, 100), kBlue);
}

TEST(Overlays, OffScreenElementsByLine) {
    OverlaySkin skin;
    skin.images[1].line = 12;
    skin.images[1].rects[0] = {300, 10, 320, 20};
    skin.labels[0].line = 40;
    skin.labels[0].rects[0] = {0, -50, 240, 0};
    EXPECT_EQ(OffScreenElementLines(skin, Portrait, {240, 320}), (std::vector<int32_t>{12, 40}));
}

TEST(Overlays, ParsesTheirNames) {
    const std::pair<const char*, std::optional<Overlays>> cases[] = {
        {"outlines", Overlays{true, false}},
        {"keys", Overlays{false, true}},
        {"outlines,keys", Overlays{true, true}},
        {"keys,outlines", Overlays{true, true}},
        {"", std::nullopt},
        {"outlines,", std::nullopt},
        {"frames", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseOverlays(text), expected) << text;
}

} // namespace
} // namespace pindrel
