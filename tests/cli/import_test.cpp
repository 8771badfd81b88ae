#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/run_tool.h"
#include "support/mockup_writer.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::RunTool;
using test::SolidLayer;
namespace fs = std::filesystem;

LayeredImage Portrait() {
    LayeredImage doc;
    doc.width = 240;
    doc.height = 320;
    // More than 256 colours: the background is written with 24 bits, the logo with a palette.
    doc.layers.push_back(test::PaintedLayer("background", 0, 0, 240, 320, [](int32_t x, int32_t y) {
        return (uint32_t(x) << 24) | (uint32_t(y % 256) << 16) | 0x4000FFu;
    }));
    doc.layers.push_back(SolidLayer("logo", 10, 10, 30, 20, 200, 0, 0));
    Layer shadowed = SolidLayer("shadow", 50, 10, 5, 5, 0, 0, 0);
    shadowed.notInPixels = "layer effects";
    doc.layers.push_back(shadowed);
    return doc;
}

class Import : public ::testing::Test {
protected:
    std::string Write(std::string_view name, const std::vector<uint8_t>& bytes) {
        return dir.Write(name, bytes);
    }
    std::string Read(std::string_view name) const { return test::ReadText(dir.Path() / name); }
    std::vector<std::string> Files() const { return dir.Names(); }
    std::string Path(std::string_view name) const { return (dir.Path() / name).string(); }

    test::TempDir dir;
};

TEST_F(Import, WritesASkinAndItsPicturesBesideIt) {
    const std::string mockup = Write("screen.psd", test::WritePsd(Portrait()));
    const auto r = RunTool({"import", mockup, "-o", Path("skin.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "background background.bmp 0,0 240x320 all\n"
                     "image logo.bmp 10,10 30x20 all\n"
                     "image shadow.bmp 50,10 5x5 all\n");
    EXPECT_NE(r.err.find("warning: " + mockup + ": layer \"shadow\": layer effects"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(Files(), (std::vector<std::string>{"background.bmp", "logo.bmp", "screen.psd",
                                                 "shadow.bmp", "skin.ini"}));
    // Bits per pixel, at offset 28 of a bitmap.
    EXPECT_EQ(Read("background.bmp")[28], 24);
    EXPECT_EQ(Read("logo.bmp")[28], 8);
    EXPECT_EQ(Read("skin.ini").substr(0, 45), "[Background Image]\r\nfile=background.bmp\r\nposP");

    const auto render = RunTool({"render", Path("skin.ini"), "-o", Path("out.png")});
    EXPECT_EQ(render.exitCode, 0) << render.err;
}

TEST_F(Import, ReplacesNothingWithoutForce) {
    const std::string mockup = Write("screen.ora", test::WriteOra(Portrait()));
    dir.Write("logo.bmp", std::string_view("mine"));
    auto r = RunTool({"import", mockup, "-o", Path("skin.ini")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("logo.bmp: exists; --force"), std::string::npos) << r.err;
    EXPECT_EQ(Files(), (std::vector<std::string>{"logo.bmp", "screen.ora"}));
    EXPECT_EQ(Read("logo.bmp"), "mine");

    r = RunTool({"import", mockup, "-o", Path("skin.ini"), "--force"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(Read("logo.bmp"), "mine");
}

TEST_F(Import, RefusesWhatItCannotTrustAndWritesNothing) {
    LayeredImage odd = Portrait();
    odd.width = 300;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"16 bits", test::WritePsd(Portrait(), {.depth = 16}), "16-bit channels"},
        {"cmyk", test::WritePsd(Portrait(), {.mode = 4}), "CMYK"},
        {"odd canvas", test::WritePsd(odd), "--orientation"},
        {"no mock-up", {'G', 'I', 'F', '8'}, "neither an OpenRaster nor a PSD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string mockup = Write("in.psd", c.bytes);
        const auto r = RunTool({"import", mockup, "-o", Path("skin.ini")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Files(), std::vector<std::string>{"in.psd"});
    }
    EXPECT_EQ(RunTool({"import", Path("none.psd"), "-o", Path("skin.ini")}).exitCode, 1);
}

TEST_F(Import, UsageErrors) {
    const std::string mockup = Write("screen.psd", test::WritePsd(Portrait()));
    const std::vector<std::vector<std::string>> cases = {
        {"import", mockup},
        {"import", "-o", Path("skin.ini")},
        {"import", mockup, "-o", "-"},
        {"import", mockup, "-o", Path("skin.ini"), "--in-place"},
        {"import", mockup, "--into", Path("skin.ini"), "--in-place"},
        {"import", mockup, "--into", Path("skin.ini"), "--orientation", "landscape"},
        {"import", mockup, "--into", Path("a.ini"), "--orientation", "square", "--in-place", "-o",
         Path("b.ini")},
        {"import", mockup, "-o", Path("skin.ini"), "--orientation", "sideways"},
    };
    for (const auto& args : cases) {
        const auto r = RunTool(args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << ": " << r.err;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"screen.psd"});
}

TEST_F(Import, AddsAnOrientationInPlace) {
    const std::string portrait = Write("p.psd", test::WritePsd(Portrait()));
    ASSERT_EQ(RunTool({"import", portrait, "-o", Path("skin.ini")}).exitCode, 0);
    LayeredImage wide;
    wide.width = 320;
    wide.height = 240;
    wide.layers.push_back(SolidLayer("logo", 100, 5, 30, 20, 200, 0, 0));
    wide.layers.push_back(SolidLayer("star", 5, 5, 5, 5, 9, 9, 9));
    const std::string landscape = Write("l.ora", test::WriteOra(wide));
    const std::string before = Read("skin.ini");

    const auto r = RunTool({"import", landscape, "--into", Path("skin.ini"), "--orientation",
                            "landscape", "--in-place"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "image logo.bmp 100,5 30x20 all; moved\n"
                     "image star.bmp 5,5 5x5 all; new, still without portrait, square\n");
    EXPECT_NE(r.err.find("image shadow.bmp is not in the mock-up"), std::string::npos) << r.err;
    const std::string after = Read("skin.ini");
    EXPECT_EQ(after.substr(0, before.find("[Image]")), before.substr(0, before.find("[Image]")));
    EXPECT_NE(after.find("posL=100,5"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.Path() / "star.bmp"));
}

} // namespace
} // namespace pindrel
