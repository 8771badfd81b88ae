#include "render/layered_image.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "support/mockup_writer.h"

namespace pindrel {
namespace {

using test::Group;
using test::PaintedLayer;
using test::SolidLayer;

// A document with what the readers must keep: offsets on and off the canvas, partial alpha,
// opacity, hidden layers, a nested group, non-ASCII and empty names.
LayeredImage Document() {
    LayeredImage doc;
    doc.width = 40;
    doc.height = 30;
    doc.layers.push_back(SolidLayer("Background", 0, 0, 40, 30, 10, 20, 30));
    doc.layers.push_back(PaintedLayer("ramp", -3, 5, 9, 4, [](int32_t x, int32_t y) {
        return (uint32_t(x * 20) << 24) | (uint32_t(y * 50) << 16) | (77u << 8) | (x * 28u);
    }));
    Layer hidden = SolidLayer("", 30, 25, 20, 10, 1, 2, 3, 200);
    hidden.visible = false;
    Layer faded = SolidLayer("L\xC3\xB6go \xE2\x9C\x93", 5, 5, 3, 3, 200, 100, 50);
    faded.opacity = 128;
    Layer inner = Group("inner", {SolidLayer("down", 2, 2, 2, 2, 0, 0, 0)});
    inner.visible = false;
    doc.layers.push_back(Group("button ok", {SolidLayer("up", 1, 1, 4, 4, 9, 9, 9), inner}));
    doc.layers.push_back(std::move(hidden));
    doc.layers.push_back(std::move(faded));
    return doc;
}

void ExpectSameLayers(const std::vector<Layer>& got, const std::vector<Layer>& want, bool greyscale,
                      const std::string& path = "") {
    ASSERT_EQ(got.size(), want.size()) << path;
    for (size_t i = 0; i < want.size(); ++i) {
        const Layer& g = got[i];
        const Layer& w = want[i];
        const std::string at = path + "/" + w.name;
        EXPECT_EQ(g.name, w.name) << at;
        EXPECT_EQ(g.visible, w.visible) << at;
        EXPECT_NEAR(g.opacity, w.opacity, 1) << at;
        EXPECT_EQ(g.isGroup, w.isGroup) << at;
        if (w.isGroup) {
            ExpectSameLayers(g.children, w.children, greyscale, at);
            continue;
        }
        EXPECT_EQ(g.x, w.x) << at;
        EXPECT_EQ(g.y, w.y) << at;
        ASSERT_EQ(g.picture.width, w.picture.width) << at;
        ASSERT_EQ(g.picture.height, w.picture.height) << at;
        std::vector<uint8_t> expected = w.picture.rgba;
        if (greyscale) {
            for (size_t p = 0; p < expected.size(); p += 4)
                expected[p + 1] = expected[p + 2] = expected[p];
        }
        EXPECT_EQ(g.picture.rgba, expected) << at;
    }
}

struct Writer {
    const char* name;
    std::function<std::vector<uint8_t>(const LayeredImage&)> write;
    bool greyscale = false;
};

const Writer kWriters[] = {
    {"psd raw", [](const LayeredImage& d) { return test::WritePsd(d, {.compression = 0}); }},
    {"psd rle", [](const LayeredImage& d) { return test::WritePsd(d, {.compression = 1}); }},
    {"psd zip", [](const LayeredImage& d) { return test::WritePsd(d, {.compression = 2}); }},
    {"psd grey", [](const LayeredImage& d) { return test::WritePsd(d, {.greyscale = true}); },
     true},
    {"ora", [](const LayeredImage& d) { return test::WriteOra(d); }},
};

TEST(LayeredImage, EveryFormatKeepsLayersGroupsAndPixels) {
    const LayeredImage doc = Document();
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        const LayeredResult r = ReadLayeredImage(w.write(doc));
        ASSERT_TRUE(r.image) << r.reason;
        EXPECT_EQ(r.image->width, 40);
        EXPECT_EQ(r.image->height, 30);
        ExpectSameLayers(r.image->layers, doc.layers, w.greyscale);
    }
}

TEST(LayeredImage, EveryFormatTellsBlendModesAndEffects) {
    LayeredImage doc;
    doc.width = doc.height = 8;
    doc.layers.push_back(SolidLayer("shadowed", 0, 0, 2, 2, 1, 1, 1));
    doc.layers.back().notInPixels = "layer effects";
    doc.layers.push_back(SolidLayer("multiplied", 0, 0, 2, 2, 1, 1, 1));
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        bool effects;
    } cases[] = {
        {"psd",
         [&] {
             LayeredImage d = doc;
             d.layers[1].blendMode = "mul ";
             return test::WritePsd(d);
         }(),
         true},
        {"ora",
         [&] {
             LayeredImage d = doc;
             d.layers[1].blendMode = "svg:multiply";
             return test::WriteOra(d);
         }(),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayeredResult r = ReadLayeredImage(c.bytes);
        ASSERT_TRUE(r.image) << r.reason;
        EXPECT_EQ(r.image->layers[0].blendMode, "");
        EXPECT_FALSE(r.image->layers[1].blendMode.empty());
        EXPECT_EQ(r.image->layers[0].notInPixels, c.effects ? "layer effects" : "");
    }
}

// Layer masks multiply alpha: inside their rectangle by their pixels, outside by their
// default; an inverted mask the other way round, a disabled one not at all.
TEST(ReadPsd, AppliesLayerMasks) {
    LayeredImage doc;
    doc.width = doc.height = 6;
    doc.layers.push_back(SolidLayer("masked", 0, 0, 4, 1, 50, 60, 70));
    const struct {
        const char* name;
        uint8_t flags;
        std::vector<uint8_t> alpha;
    } cases[] = {
        {"plain", 0, {0, 128, 255, 0}},
        {"inverted", 4, {255, 127, 0, 255}},
        {"disabled", 2, {255, 255, 255, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::PsdMask mask{1, 0, 2, 1, {128, 255}, 0, c.flags};
        test::PsdWriteOptions options;
        options.mask = [&](const Layer&) { return &mask; };
        const LayeredResult r = ReadPsd(test::WritePsd(doc, options));
        ASSERT_TRUE(r.image) << r.reason;
        const RgbaPicture& p = r.image->layers[0].picture;
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(p.Pixel(x, 0)[3], c.alpha[size_t(x)]) << "x " << x;
    }
}

TEST(ReadPsd, NamesFallBackToTheEightBitNameAndTheMergedPicture) {
    LayeredImage doc = Document();
    doc.layers.resize(1);
    doc.layers[0].name = "caf\xC3\xA9"; // the 8-bit name keeps ASCII only
    LayeredResult r = ReadPsd(test::WritePsd(doc, {.unicodeNames = false}));
    ASSERT_TRUE(r.image) << r.reason;
    EXPECT_EQ(r.image->layers[0].name, "caf??");

    r = ReadPsd(test::WritePsd(doc, {.noLayers = true}));
    ASSERT_TRUE(r.image) << r.reason;
    ASSERT_EQ(r.image->layers.size(), 1u);
    EXPECT_EQ(r.image->layers[0].picture.rgba, FlattenLayers(doc).rgba);
}

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with) {
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<ptrdiff_t>(at));
    return bytes;
}

TEST(ReadPsd, RefusesWhatItCannotTrust) {
    const std::vector<uint8_t> good = test::WritePsd(Document());
    const auto tooMany = [&] {
        // The layer count, forged far beyond the limit.
        std::vector<uint8_t> b = good;
        return Patched(b, 26 + 4 + 4 + 4 + 4, {0x7F, 0xFF});
    }();
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"16 bits", test::WritePsd(Document(), {.depth = 16}), "16-bit channels"},
        {"32 bits", test::WritePsd(Document(), {.depth = 32}), "32-bit channels"},
        {"cmyk", test::WritePsd(Document(), {.mode = 4}), "CMYK"},
        {"lab", test::WritePsd(Document(), {.mode = 9}), "Lab"},
        {"indexed", test::WritePsd(Document(), {.mode = 2}), "indexed"},
        {"psb", Patched(good, 4, {0, 2}), "PSB"},
        {"huge canvas", Patched(good, 14, {0, 1, 0, 0}), "canvas too large"},
        {"too many layers", tooMany, "too many layers"},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + 200), "truncated"},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 10), "header"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayeredResult r = ReadLayeredImage(c.bytes);
        EXPECT_FALSE(r.image);
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    }
}

std::vector<uint8_t> OraWithStack(const std::string& xml) {
    LayeredImage doc;
    doc.width = doc.height = 4;
    doc.layers.push_back(SolidLayer("a", 0, 0, 1, 1, 1, 2, 3));
    return test::WriteOraWithStack(xml, {{"data/a.png", test::WriteOraPng(doc.layers[0])}});
}

TEST(ReadOra, PlacesStackChildrenFromTheStacksOffset) {
    const LayeredResult r = ReadOra(OraWithStack(
        R"(<image w="4" h="4"><stack><stack name="g" x="2" y="1"><layer name="a" src="data/a.png" x="1" y="1"/></stack></stack></image>)"));
    ASSERT_TRUE(r.image) << r.reason;
    const Layer& a = r.image->layers.at(0).children.at(0);
    EXPECT_EQ(a.x, 3);
    EXPECT_EQ(a.y, 2);
}

TEST(ReadOra, RefusesWhatItCannotTrust) {
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"not a zip", {'P', 'K', 3, 4, 0, 0}, "not a zip"},
        {"doctype",
         OraWithStack(R"(<!DOCTYPE x [<!ENTITY a "aaaa">]><image w="4" h="4"><stack/></image>)"),
         "document type"},
        {"no size", OraWithStack(R"(<image><stack/></image>)"), "canvas size"},
        {"huge canvas", OraWithStack(R"(<image w="100000" h="4"><stack/></image>)"),
         "canvas too large"},
        {"missing picture",
         OraWithStack(
             R"(<image w="4" h="4"><stack><layer name="x" src="data/none.png"/></stack></image>)"),
         "missing"},
        {"no stack", OraWithStack(R"(<image w="4" h="4"/>)"), "no stack"},
        {"bad xml", OraWithStack(R"(<image w="4" h="4"><stack>)"), "stack.xml"},
        {"deep",
         OraWithStack(R"(<image w="4" h="4">)" +
                      [] {
                          std::string s;
                          for (int i = 0; i < 100; ++i)
                              s += "<stack>";
                          return s;
                      }() +
                      "</image>"),
         "nested"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayeredResult r = ReadLayeredImage(c.bytes);
        EXPECT_FALSE(r.image);
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    }
}

TEST(FlattenLayers, PaintsVisibleLayersWithTheirGroupsOpacity) {
    LayeredImage doc;
    doc.width = 2;
    doc.height = 1;
    Layer half = Group("half", {SolidLayer("red", 0, 0, 1, 1, 255, 0, 0)});
    half.opacity = 128;
    Layer hidden = SolidLayer("hidden", 0, 0, 2, 1, 0, 0, 0);
    hidden.visible = false;
    doc.layers = {half, hidden, SolidLayer("off", 1, -5, 1, 5, 0, 0, 0)};
    const RgbaPicture p = FlattenLayers(doc);
    // 255 * 128 + 255 * 127, and 0 * 128 + 255 * 127, each + 127 over 255.
    EXPECT_EQ(p.Pixel(0, 0)[0], 255);
    EXPECT_EQ(p.Pixel(0, 0)[1], 127);
    EXPECT_EQ(p.Pixel(1, 0)[0], 255); // the layer above the canvas leaves it white
}

} // namespace
} // namespace pindrel
