#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "cli/run_tool.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::RunTool;
namespace fs = std::filesystem;

// The first image names no bitmap that loads, so image 0 is the second section.
constexpr std::string_view kSkin = "; a skin\r\n[Image]\r\nfile=missing.bmp\r\nposP=1,1\r\n"
                                   "[Image]\r\nfile=a.bmp\r\nposP = 10,20 ; top\r\n"
                                   "posL=10,20\r\nposQ=10,20\r\n"
                                   "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\n"
                                   "[Label]\r\nfields=name\r\nposP=0,0\r\nsizeP=50,10";

class Place : public ::testing::Test {
protected:
    Place() {
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        skin = dir.Write("skin.ini", kSkin);
    }
    std::string Read(const fs::path& p) const { return test::ReadText(p); }
    std::vector<std::string> Files() const { return dir.Names(); }
    std::vector<std::string> Args(std::vector<std::string> rest) const {
        rest.insert(rest.begin(), "place");
        return rest;
    }

    test::TempDir dir;
    std::string skin;
};

TEST_F(Place, WritesTheEditedSkinToAnotherFile) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string expected;
    };
    const std::string body(kSkin);
    const Case kCases[] = {
        {"image 0 is the first that loads; its size stays",
         {"image", "0", "--orientation", "portrait", "--pos", "11,20"},
         "; a skin\r\n[Image]\r\nfile=missing.bmp\r\nposP=1,1\r\n"
         "[Image]\r\nfile=a.bmp\r\nposP = 11,20 ; top\r\n"
         "posL=10,20\r\nposQ=10,20\r\n"
         "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\n"
         "[Label]\r\nfields=name\r\nposP=0,0\r\nsizeP=50,10"},
        {"a button's later orientations keep theirs",
         {"button", "0", "--orientation", "0", "--pos", "5,6", "--size", "30,10"},
         "; a skin\r\n[Image]\r\nfile=missing.bmp\r\nposP=1,1\r\n"
         "[Image]\r\nfile=a.bmp\r\nposP = 10,20 ; top\r\n"
         "posL=10,20\r\nposQ=10,20\r\n"
         "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\nposP=5,6\r\nsizeP=30,10\r\nposL=0,0\r\n"
         "[Label]\r\nfields=name\r\nposP=0,0\r\nsizeP=50,10"},
        {"a label's size stays",
         {"label", "0", "--orientation", "portrait", "--pos", "0,5"},
         "; a skin\r\n[Image]\r\nfile=missing.bmp\r\nposP=1,1\r\n"
         "[Image]\r\nfile=a.bmp\r\nposP = 10,20 ; top\r\n"
         "posL=10,20\r\nposQ=10,20\r\n"
         "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\n"
         "[Label]\r\nfields=name\r\nposP=0,5\r\nsizeP=50,10"},
        {"the photo rectangle comes at the end",
         {"photo", "0", "--orientation", "landscape", "--pos", "1,2", "--size", "3,4"},
         body + "\r\n[Photo Rect]\r\nposL=1,2\r\nsizeL=3,4\r\nposQ=0,0"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string out = (dir.Path() / "out.ini").string();
        std::vector<std::string> args = Args(c.args);
        args.insert(args.begin() + 1, skin);
        args.insert(args.end(), {"-o", out});
        const test::ToolResult r = RunTool(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(Read(out), c.expected);
        EXPECT_EQ(Read(skin), kSkin);
    }
}

TEST_F(Place, InPlaceKeepsTheLinkAndTheMode) {
    const fs::path link = dir.Path() / "link.ini";
    fs::create_symlink("skin.ini", link);
    ASSERT_EQ(::chmod(skin.c_str(), 0604), 0);
    const test::ToolResult r = RunTool(Args({link.string(), "image", "0", "--orientation",
                                             "landscape", "--pos", "10,21", "--in-place"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(link));
    std::string expected(kSkin);
    expected.replace(expected.find("posL=10,20"), 10, "posL=10,21");
    EXPECT_EQ(Read(skin), expected);
    struct stat st {};
    ASSERT_EQ(::stat(skin.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp", "link.ini", "skin.ini"}));

    // Standard output, for a pipe.
    const test::ToolResult toStdout = RunTool(
        Args({skin, "image", "0", "--orientation", "landscape", "--pos", "10,20", "-o", "-"}));
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, kSkin);
}

TEST_F(Place, FailuresWriteNothing) {
    dir.Write("empty.ini", std::string_view());
    const std::string missing = (dir.Path() / "none.ini").string();
    const std::string out = (dir.Path() / "out.ini").string();
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    };
    const Case kCases[] = {
        {"no skin", {}, 2, "place needs SKIN"},
        {"no kind", {skin}, 2, "place needs KIND: image, button, label or photo"},
        {"unknown kind",
         {skin, "picture", "0"},
         2,
         "KIND: expects image, button, label or photo, not \"picture\""},
        {"no index", {skin, "image"}, 2, "place needs INDEX"},
        {"negative index", {skin, "image", "-1"}, 2, "INDEX: expects an element number"},
        {"image beyond the loaded ones",
         {skin, "image", "1", "--orientation", "portrait", "--pos", "1,1", "-o", out},
         2,
         "INDEX 1: the skin has 1 loaded image\n"},
        {"no such label",
         {skin, "label", "7", "--orientation", "portrait", "--pos", "1,1", "--in-place"},
         2,
         "INDEX 7: the skin has 1 loaded label\n"},
        {"one photo",
         {skin, "photo", "1", "--orientation", "portrait", "--pos", "1,1", "-o", out},
         2,
         "INDEX 1: the skin has one photo rectangle"},
        {"no orientation", {skin, "image", "0", "--pos", "1,1", "-o", out}, 2, "--orientation"},
        {"bad orientation",
         {skin, "image", "0", "--orientation", "flat"},
         2,
         "--orientation: expects portrait, landscape or square"},
        {"no position", {skin, "image", "0", "--orientation", "portrait", "-o", out}, 2, "--pos"},
        {"bad position",
         {skin, "image", "0", "--orientation", "portrait", "--pos", "1;1"},
         2,
         "--pos: expects 2 whole numbers X,Y, not \"1;1\""},
        {"bad size",
         {skin, "image", "0", "--orientation", "portrait", "--pos", "1,1", "--size", "1,2,3"},
         2,
         "--size: expects 2 whole numbers W,H, not \"1,2,3\""},
        {"no output",
         {skin, "image", "0", "--orientation", "portrait", "--pos", "1,1"},
         2,
         "place needs -o OUT.ini"},
        {"two outputs",
         {skin, "image", "0", "--orientation", "portrait", "--pos", "1,1", "-o", out, "--in-place"},
         2,
         "not both"},
        {"missing skin",
         {missing, "image", "0", "--orientation", "portrait", "--pos", "1,1", "-o", out},
         1,
         "none.ini: no such file\n"},
        {"empty skin",
         {(dir.Path() / "empty.ini").string(), "photo", "0", "--orientation", "portrait", "--pos",
          "1,1", "--in-place"},
         1,
         "empty.ini: empty file\n"},
        {"folder",
         {dir.Path().string(), "photo", "0", "--orientation", "portrait", "--pos", "1,1",
          "--in-place"},
         1,
         "is a directory\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const test::ToolResult r = RunTool(Args(c.args));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(r.err.starts_with("pindrel-cli: error: ")) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Read(skin), kSkin);
        EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp", "empty.ini", "skin.ini"}));
    }
}

TEST_F(Place, HelpDocumentsEveryOption) {
    const test::ToolResult r = RunTool({"place", "--help"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* word :
         {"SKIN", "KIND", "INDEX", "--orientation portrait|landscape|square", "--pos X,Y",
          "--size W,H", "-o,--output OUT.ini", "--in-place", "Exit status: 0"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

} // namespace
} // namespace pindrel
