// Mock-ups written by GIMP and Krita (tests/fixtures/mockups, made by
// scripts/make-mockup-fixtures.sh): the same drawing saved three ways must import alike.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/layered_image.h"
#include "skin/mockup_import.h"

namespace pindrel {
namespace {

struct Imported {
    std::vector<std::string> lines;
    std::vector<std::vector<uint8_t>> bitmaps;
    std::vector<std::string> warnings;
};

Imported Import(const std::string& name) {
    std::ifstream in(std::string(PINDREL_MOCKUP_FIXTURES) + "/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const LayeredResult read = ReadLayeredImage(bytes);
    EXPECT_TRUE(read.image) << name << ": " << read.reason;
    if (!read.image) return {};
    const MockupPlanResult planned = PlanMockupImport(*read.image);
    EXPECT_TRUE(planned.plan) << name << ": " << planned.error;
    if (!planned.plan) return {};
    Imported out;
    for (const MockupElement& e : planned.plan->elements)
        out.lines.push_back(ElementLine(e));
    for (const MockupBitmap& b : PlanBitmaps(*planned.plan))
        out.bitmaps.push_back(EncodeMockupBitmap(*b.picture));
    out.warnings = planned.plan->warnings;
    return out;
}

TEST(MockupFixtures, GimpAndKritaFilesImportAlike) {
    const Imported gimp = Import("gimp.psd");
    const std::vector<std::string> want = {
        "background background.bmp 0,0 240x320 all",
        "photo photo 80,70 80x80 all",
        "image logo.bmp 100,20 40x40 contact,photo",
        "image edge.bmp 220,0 20x30 all",         // cut to the canvas
        "image glass.bmp 10,110 60x30 all",       // at half opacity
        "image shade.bmp 180,110 30x20 all",      // multiplied in the editor
        "image caf__badge.bmp 205,200 15x30 all", // its mask hides the left half
        "button button_answer_up.bmp id 1 20,270 90x40 all",
        "label name,phone 20,160 200x32 all",
    };
    EXPECT_EQ(gimp.lines, want);
    ASSERT_EQ(gimp.warnings.size(), 1u);
    EXPECT_NE(gimp.warnings[0].find("\"shade\": blend mode"), std::string::npos);
    for (const char* name : {"krita.ora", "krita.psd"}) {
        SCOPED_TRACE(name);
        const Imported krita = Import(name);
        EXPECT_EQ(krita.lines, gimp.lines);
        EXPECT_TRUE(krita.bitmaps == gimp.bitmaps);
    }
}

} // namespace
} // namespace pindrel
