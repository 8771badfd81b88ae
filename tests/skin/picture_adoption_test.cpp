#include <gtest/gtest.h>

#include <filesystem>

#include "render/bmp_decoder.h"
#include "skin/picture_adoption.h"
#include "support/bmp_writer.h"
#include "support/pictures.h"
#include "support/png_file.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

// A 2 x 1 RGBA PNG: opaque red, then a transparent pixel.
std::vector<uint8_t> RedAndClear() {
    test::PngFile png;
    png.width = 2;
    png.colorType = 6;
    png.samples = {255, 0, 0, 255, 0, 0, 0, 0};
    return test::WritePngFile(png);
}

TEST(PictureAdoption, ConvertsCopiesOrNamesThePicture) {
    test::TempDir skin, elsewhere;
    const std::string folder = skin.Path().string();
    skin.Write("in.bmp", test::SolidBmp24(3, 2, kWhite));
    skin.Write("taken.bmp", test::SolidBmp24(3, 2, kWhite));
    const struct {
        const char* name;
        std::string source;
        std::string expected; // the name given, empty when refused
        bool convert, copy, replaces;
    } cases[] = {
        {"a bitmap already in the folder", (skin.Path() / "in.bmp").string(), "in.bmp", false,
         false, false},
        {"a bitmap from elsewhere", elsewhere.Write("b.bmp", test::SolidBmp24(1, 1, kBlack)),
         "b.bmp", false, true, false},
        {"a PNG, converted", elsewhere.Write("logo.png", RedAndClear()), "logo.bmp", true, false,
         false},
        {"a bitmap skins cannot read",
         elsewhere.Write(
             "v5.bmp", test::WriteBmp(test::BmpFile().Size(1, 1).InfoSize(124).Data({1, 2, 3, 0}))),
         "v5.bmp", true, false, false},
        {"over a file of that name", elsewhere.Write("taken.png", RedAndClear()), "taken.bmp", true,
         false, true},
        {"not a picture", elsewhere.Write("notes.txt", std::string_view("hello")), "", false, false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureAdoption plan = PlanPictureAdoption(c.source, folder);
        EXPECT_EQ(plan.problem.empty(), !c.expected.empty());
        if (c.expected.empty()) continue;
        EXPECT_EQ(plan.name, c.expected);
        EXPECT_EQ(plan.convert, c.convert);
        EXPECT_EQ(plan.copy, c.copy);
        EXPECT_EQ(plan.replaces, c.replaces);
    }

    // Converted with the key colour: the transparent pixel takes it.
    const PictureAdoption logo =
        PlanPictureAdoption((elsewhere.Path() / "logo.png").string(), folder);
    std::string error;
    ASSERT_TRUE(AdoptPicture(logo, folder, Color::FromRgb(255, 0, 255), &error)) << error;
    const BmpResult made = LoadBmp((skin.Path() / "logo.bmp").string());
    ASSERT_TRUE(made.image);
    EXPECT_EQ(made.image->View().Pixel(0, 0), Color::FromRgb(255, 0, 0));
    EXPECT_EQ(made.image->View().Pixel(1, 0), Color::FromRgb(255, 0, 255));
}

} // namespace
} // namespace pindrel
