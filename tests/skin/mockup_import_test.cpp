#include "skin/mockup_import.h"

#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "ini/skin_ini_file.h"
#include "skin/mockup_names.h"
#include "skin/sample_skin.h"
#include "skin/screens.h"
#include "skin/skin_load.h"
#include "support/mockup_writer.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::Group;
using test::PaintedLayer;
using test::SolidLayer;

uint32_t Rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    return (r << 24) | (g << 16) | (b << 8) | a;
}

// A disc of radius r centred in a w x w picture, its edge anti-aliased by coverage.
Layer Disc(std::string name, int32_t x, int32_t y, int32_t w, uint32_t rgb) {
    return PaintedLayer(std::move(name), x, y, w, w, [=](int32_t px, int32_t py) {
        const double c = w / 2.0, d = std::hypot(px + 0.5 - c, py + 0.5 - c);
        const double cover = std::clamp(c - 1 - d + 0.5, 0.0, 1.0);
        return (rgb << 8) | static_cast<uint32_t>(std::lround(cover * 255));
    });
}

// A rectangle whose corners are fully transparent.
Layer Rounded(std::string name, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) {
    return PaintedLayer(std::move(name), x, y, w, h, [=](int32_t px, int32_t py) {
        const bool corner = (px < 3 || px >= w - 3) && (py < 3 || py >= h - 3);
        return (rgb << 8) | (corner ? 0u : 255u);
    });
}

// A screen a skin author would draw: nothing overlaps but the elements and the background, so
// the whole screen must come out as the flattened mock-up.
LayeredImage Mockup() {
    LayeredImage doc;
    doc.width = 240;
    doc.height = 320;
    doc.layers.push_back(PaintedLayer("Background", 0, 0, 240, 320, [](int32_t x, int32_t y) {
        return Rgba(uint32_t(x), uint32_t(y * 3 / 4), 200, 255);
    }));
    doc.layers.push_back(SolidLayer("Logo", 10, 10, 30, 20, 250, 0, 250));
    doc.layers.push_back(Disc("dot", 60, 10, 24, 0x20C040));
    doc.layers.push_back(Rounded("card", 100, 10, 50, 30, 0x102030));
    doc.layers.push_back(SolidLayer("edge", -10, 300, 40, 40, 9, 9, 9));
    Layer faded = Group(
        "faded", {SolidLayer("\xC3\x9Cn\xC3\xAF \xE2\x98\x85", 10, 60, 20, 20, 200, 30, 30, 180)});
    faded.opacity = 128;
    doc.layers.push_back(std::move(faded));
    Layer hidden = SolidLayer("hidden", 0, 0, 240, 320, 0, 0, 0);
    hidden.visible = false;
    doc.layers.push_back(std::move(hidden));
    doc.layers.push_back(SolidLayer("", 50, 60, 10, 10, 1, 2, 3));
    doc.layers.push_back(SolidLayer("logo", 70, 60, 10, 10, 4, 5, 6));
    doc.layers.push_back(SolidLayer("badge [contact, photo]", 90, 60, 10, 10, 7, 8, 9));
    Layer down = Rounded("Down", 20, 200, 80, 40, 0x800000);
    down.visible = false;
    doc.layers.push_back(
        Group("Button Answer id 1", {Rounded("Up", 20, 200, 80, 40, 0x008000), down}));
    doc.layers.push_back(SolidLayer("label: phone", 20, 100, 200, 16, 30, 30, 30));
    doc.layers.push_back(SolidLayer("photo", 150, 150, 60, 40, 90, 90, 90));
    return doc;
}

struct Source {
    const char* name;
    std::function<LayeredImage(const LayeredImage&)> pass;
};

const Source kSources[] = {
    {"layers", [](const LayeredImage& d) { return d; }},
    {"psd", [](const LayeredImage& d) { return *ReadPsd(test::WritePsd(d)).image; }},
    {"ora", [](const LayeredImage& d) { return *ReadOra(test::WriteOra(d)).image; }},
};

// Writes the plan's skin and pictures into dir; the skin's path.
std::string WriteSkin(const MockupPlan& plan, const test::TempDir& dir) {
    for (const MockupBitmap& b : PlanBitmaps(plan))
        dir.Write(b.file, EncodeMockupBitmap(*b.picture));
    return dir.Write("skin.ini", NewSkinText(plan));
}

TEST(MockupImport, RenderedSkinEqualsTheFlattenedMockup) {
    LayeredImage expected = Mockup();
    // Neither the label nor the photo is drawn for an unknown caller, nor the contact badge.
    expected.layers.resize(expected.layers.size() - 2);
    expected.layers.erase(expected.layers.begin() + 9);
    const RgbaPicture flat = FlattenLayers(expected);
    for (const Source& source : kSources) {
        SCOPED_TRACE(source.name);
        const MockupPlanResult planned = PlanMockupImport(source.pass(Mockup()));
        ASSERT_TRUE(planned.plan) << planned.error;
        test::TempDir dir;
        SampleSkin skin;
        SkinIniFile ini;
        ASSERT_TRUE(LoadSkinBeside(skin, WriteSkin(*planned.plan, dir), ini));
        const Canvas screen = RenderScreen(skin, {Portrait, CallType::UnknownCaller});
        int mismatches = 0;
        for (int32_t y = 0; y < 320 && mismatches < 5; ++y) {
            for (int32_t x = 0; x < 240 && mismatches < 5; ++x) {
                const uint8_t* p = flat.Pixel(x, y);
                const Color want = Color::FromRgb(p[0], p[1], p[2]);
                if (screen.Pixel(x, y) == want) continue;
                ++mismatches;
                ADD_FAILURE() << "at " << x << "," << y << ": " << screen.Pixel(x, y).Value()
                              << " instead of " << want.Value();
            }
        }
    }
}

TEST(MockupImport, NamesCallTypesAndPlaces) {
    const MockupPlanResult planned = PlanMockupImport(Mockup());
    ASSERT_TRUE(planned.plan) << planned.error;
    std::vector<std::string> lines;
    for (const MockupElement& e : planned.plan->elements)
        lines.push_back(ElementLine(e));
    const std::vector<std::string> want = {
        "background background.bmp 0,0 240x320 all",
        "photo photo 150,150 60x40 all",
        "image logo.bmp 10,10 30x20 all",
        "image dot.bmp 61,11 22x22 all",
        "image card.bmp 100,10 50x30 all",
        "image edge.bmp 0,300 30x20 all",
        "image n_.bmp 10,60 20x20 all",
        "image layer9.bmp 50,60 10x10 all",
        "image logo_2.bmp 70,60 10x10 all",
        "image badge.bmp 90,60 10x10 contact,photo",
        "button button_answer_up.bmp id 1 20,200 80x40 all",
        "label phone 20,100 200x16 all",
    };
    EXPECT_EQ(lines, want);
    const MockupElement& logo = planned.plan->elements[2];
    // The layer holds the usual key colour, so the key is the next free one; it has no
    // transparent pixel, so it gets none.
    EXPECT_FALSE(logo.key);
    const MockupElement& card = planned.plan->elements[4];
    ASSERT_TRUE(card.key);
    EXPECT_EQ(*card.key, kMockupKey);
    const MockupElement& label = planned.plan->elements.back();
    EXPECT_EQ(label.fontSize, 10);
    EXPECT_EQ(label.color, Color::FromRgb(30, 30, 30));
}

TEST(MockupImport, KeyAvoidsTheLayersOwnColours) {
    LayeredImage doc;
    doc.width = 240;
    doc.height = 240;
    doc.layers.push_back(PaintedLayer("pink", 0, 0, 3, 1, [](int32_t x, int32_t) {
        return x == 1 ? 0u : x == 0 ? Rgba(255, 0, 255, 255) : Rgba(255, 1, 0, 255);
    }));
    const MockupPlanResult planned = PlanMockupImport(doc);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->orientation, Square);
    const MockupElement& pink = planned.plan->elements.at(0);
    ASSERT_TRUE(pink.key);
    EXPECT_EQ(*pink.key, Color::FromRgb(255, 1, 1)); // 0xFF00FF, 0xFF0100 taken
}

TEST(MockupImport, WarnsAndLeavesOutWhatItCannotTake) {
    LayeredImage doc;
    doc.width = 320;
    doc.height = 240;
    Layer shadowed = SolidLayer("shadowed", 0, 0, 5, 5, 1, 1, 1);
    shadowed.notInPixels = "layer effects";
    Layer multiplied = SolidLayer("multiplied", 10, 0, 5, 5, 1, 1, 1);
    multiplied.blendMode = "mul ";
    doc.layers = {shadowed, multiplied,
                  Group("button lonely", {SolidLayer("up", 0, 50, 5, 5, 1, 1, 1)}),
                  SolidLayer("label: nobody, Name", 0, 100, 50, 20, 1, 1, 1),
                  SolidLayer("gone", 400, 0, 5, 5, 1, 1, 1)};
    const MockupPlanResult planned = PlanMockupImport(doc);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->orientation, Landscape);
    const std::vector<std::string> fragments = {
        "\"shadowed\": layer effects", "\"multiplied\": blend mode", "no layer named \"down\"",
        "\"nobody\" is no caller field", "\"gone\": no pixels"};
    for (const std::string& f : fragments) {
        bool found = false;
        for (const std::string& w : planned.plan->warnings)
            found |= w.find(f) != std::string::npos;
        EXPECT_TRUE(found) << f;
    }
    // "Name" reads as name: names are read case-insensitively.
    ASSERT_EQ(planned.plan->elements.back().kind, SectionKind::Label);
    EXPECT_EQ(planned.plan->elements.back().fields, std::vector<std::string>{"name"});
}

TEST(MockupImport, OtherCanvasesNeedAnOrientation) {
    LayeredImage doc;
    doc.width = 480;
    doc.height = 640;
    doc.layers.push_back(SolidLayer("a", 300, 500, 5, 5, 1, 1, 1));
    EXPECT_FALSE(PlanMockupImport(doc).plan);
    const MockupPlanResult planned = PlanMockupImport(doc, Portrait);
    ASSERT_TRUE(planned.plan);
    EXPECT_EQ(planned.plan->elements.at(0).rect, (Rect{300, 500, 305, 505}));
    EXPECT_FALSE(planned.plan->warnings.empty());
}

TEST(LabelFontSize, FollowsEachFieldsShareOfTheHeight) {
    const struct {
        int32_t height;
        size_t fields;
        int32_t points;
    } cases[] = {{16, 1, 10}, {15, 1, 9}, {32, 2, 10}, {40, 3, 8}, {1, 1, 1}, {0, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(LabelFontSize(c.height, c.fields), c.points) << c.height << "/" << c.fields;
}

TEST(LayerNames, ReadCallTypesIdsAndSafeStems) {
    const struct {
        std::string_view name;
        bool withId;
        std::string text;
        int32_t type;
        std::optional<int32_t> id;
        std::string stem;
    } cases[] = {
        {"  Logo  ", false, "logo", 255, {}, "logo"},
        {"badge [Contact,photo]", false, "badge", 24, {}, "badge"},
        {"badge [unknown private]", false, "badge", 3, {}, "badge"},
        {"note [draft]", false, "note [draft]", 255, {}, "note_draft"},
        {"Button OK id 3 [number]", true, "button ok", 4, 3, "button_ok"},
        {"id card", true, "id card", 255, {}, "id_card"},
        {"Caf\xC3\xA9 & Bar-2", false, "caf\xC3\xA9 & bar-2", 255, {}, "caf__bar-2"},
        {"[photo]", false, "", 16, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayerName n = ParseLayerName(c.name, c.withId);
        EXPECT_EQ(n.text, c.text);
        EXPECT_EQ(n.type, c.type);
        EXPECT_EQ(n.id, c.id);
        EXPECT_EQ(SafeFileStem(n.text), c.stem);
    }
}

} // namespace
} // namespace pindrel
