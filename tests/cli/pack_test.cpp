#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include "cli/run_tool.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/zip_reader.h"

namespace pindrel {
namespace {

using test::RunTool;
namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Names(const std::vector<test::ZipItem>& items) {
    std::vector<std::string> names;
    for (const test::ZipItem& item : items)
        names.push_back(item.name);
    return names;
}

// A skin folder "myskin" beside the folder that receives the package.
class Pack : public ::testing::Test {
protected:
    Pack() {
        fs::create_directories(dir.Path() / "myskin" / "art");
        Picture("a.bmp", Color::FromRgb(255, 0, 0));
        Picture("art/a.bmp", Color::FromRgb(0, 255, 0));
        Picture("bgr.bmp", Color::FromRgb(0, 0, 255));
        out = (dir.Path() / "myskin.zip").string();
    }
    void Picture(const std::string& name, Color colour) const {
        dir.Write("myskin/" + name, test::SolidBmp24(20, 10, colour));
    }
    std::string Skin(std::string_view ini) const { return dir.Write("myskin/myskin.ini", ini); }
    test::ToolResult Run(const std::string& skin, bool force, const std::string& to) const {
        std::vector<std::string> args = {"pack", skin, "-o", to};
        if (force) args.push_back("--force");
        return RunTool(args);
    }

    test::TempDir dir;
    std::string out;
};

TEST_F(Pack, HoldsTheSkinAndExactlyItsPicturesOrRefusesOnErrors) {
    struct Case {
        const char* name;
        std::string ini;
        std::vector<std::string> files;  // made beside the skin, besides a.bmp, art/a.bmp, bgr.bmp
        bool error;                      // refused without --force
        const char* says;                // on stderr, either way
        std::vector<std::string> packed; // below myskin/, after the skin file, with --force
    };
    const Case cases[] = {
        {"only what the counted sections name, each once, by name",
         "[Background Image]\n[Image]\nfile=art/a.bmp\n[Button]\nfile_up=a.bmp\nfile_down=./a.bmp\n"
         "[Background Image]\nfile=second.bmp\n[Notes]\nfile=lower.bmp\n",
         {"second.bmp", "lower.bmp", "notes.png", ".git/config", "snapshots/portrait.png"},
         false,
         "warning: second [Background Image] section is ignored",
         {"a.bmp", "art/", "art/a.bmp", "bgr.bmp"}},
        {"names that differ only in case",
         "[Image]\nfile=Pic.bmp\n[Image]\nfile=pic.bmp\n",
         {"Pic.bmp", "pic.bmp"},
         true,
         "myskin.ini:4: error: picture \"pic.bmp\" and \"Pic.bmp\" differ only in case",
         {"Pic.bmp", "pic.bmp"}},
        {"two names of one file",
         "[Image]\nfile=a.bmp\n[Image]\nfile=art/../a.bmp\n",
         {},
         false,
         "",
         {"a.bmp"}},
        {"a reserved name",
         "[Image]\nfile=art/Con.bmp\n",
         {"art/Con.bmp"},
         true,
         "error: picture \"art/Con.bmp\": \"Con.bmp\" is a reserved device name",
         {"art/", "art/Con.bmp"}},
        {"a character the device refuses",
         "[Image]\nfile=what?.bmp\n",
         {"what?.bmp"},
         true,
         "picture \"what?.bmp\" holds \"?\", which the device refuses",
         {"what?.bmp"}},
        {"a name ending in a dot",
         "[Image]\nfile=a.bmp.\n",
         {"a.bmp."},
         true,
         "ends in a dot",
         {"a.bmp."}},
        {"a missing picture",
         "[Image]\nfile=a.bmp\n[Image]\nfile=gone.bmp\n",
         {},
         true,
         "myskin.ini:4: error: cannot load \"gone.bmp\"",
         {"a.bmp"}},
        {"a name that matches only when case is ignored",
         "[Image]\nfile=ART/A.BMP\n",
         {},
         true,
         "warning: picture \"ART/A.BMP\" matches \"art/a.bmp\" only when case is ignored",
         {"ART/", "ART/A.BMP"}},
        {"a picture outside the skin's folder",
         "[Image]\nfile=../shared.bmp\n[Image]\nfile=a.bmp\n",
         {"../shared.bmp"},
         true,
         "error: picture \"../shared.bmp\" lies outside",
         {"a.bmp"}},
        {"a lint error alone",
         "[Image]\nfile=a.bmp\n[Label]\ntype=1\n",
         {},
         true,
         "error: [Label] has no \"fields\"",
         {"a.bmp"}},
        {"lint warnings alone",
         "[Image]\nfile=a.bmp\nbogus=1\n",
         {},
         false,
         "warning: unknown key \"bogus\"",
         {"a.bmp"}},
        {"a name outside ASCII",
         "[Image]\nfile=caf\xe9.bmp\n",
         {"caf\xe9.bmp"},
         false,
         "has bytes outside ASCII",
         {"caf\xe9.bmp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir scratch;
        for (const std::string& f : c.files) {
            fs::create_directories((dir.Path() / "myskin" / f).parent_path());
            Picture(f, Color::FromRgb(static_cast<uint8_t>(f[0]), 1, 2));
        }
        const std::string skin = Skin(c.ini);
        fs::remove(out);

        const test::ToolResult plain = Run(skin, false, out);
        EXPECT_NE(plain.err.find(c.says), std::string::npos) << plain.err;
        EXPECT_EQ(plain.exitCode, c.error ? 1 : 0) << plain.err;
        EXPECT_EQ(fs::exists(out), !c.error);
        if (c.error) {
            EXPECT_NE(plain.err.find("nothing packed (--force packs it all the same)"),
                      std::string::npos)
                << plain.err;
        }

        const test::ToolResult forced = Run(skin, true, out);
        ASSERT_EQ(forced.exitCode, 0) << forced.err;
        const std::vector<test::ZipItem> items = test::ReadZip(ReadBytes(out));
        std::vector<std::string> expected = {"myskin/", "myskin/myskin.ini"};
        for (const std::string& name : c.packed)
            expected.push_back("myskin/" + name);
        EXPECT_EQ(Names(items), expected);
        for (const test::ZipItem& item : items) {
            // Packed under the skin's spelling, from the file that matches it.
            const fs::path from = item.name == "myskin/myskin.ini" ? fs::path(skin)
                                  : item.name == "myskin/ART/A.BMP"
                                      ? dir.Path() / "myskin/art/a.bmp"
                                      : dir.Path() / item.name;
            if (item.name.back() == '/') continue;
            EXPECT_EQ(item.data, ReadBytes(from)) << item.name;
        }
        for (const std::string& f : c.files)
            fs::remove(dir.Path() / "myskin" / f);
    }
}

// The same skin gives the same bytes, whenever its files were touched and whatever their modes;
// standard output gets the same bytes too.
TEST_F(Pack, SameSkinSameBytes) {
    const std::string skin = Skin("[Background Image]\n[Image]\nfile=art/a.bmp\n");
    ASSERT_EQ(Run(skin, false, out).exitCode, 0);
    const std::vector<uint8_t> first = ReadBytes(out);

    const fs::path picture = dir.Path() / "myskin/art/a.bmp";
    fs::last_write_time(picture, fs::last_write_time(picture) - std::chrono::hours(30));
    fs::permissions(picture, fs::perms::owner_read);
    const std::string again = (dir.Path() / "again.zip").string();
    ASSERT_EQ(Run(skin, false, again).exitCode, 0);
    EXPECT_EQ(ReadBytes(again), first);

    const test::ToolResult piped = Run(skin, false, "-");
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(std::vector<uint8_t>(piped.out.begin(), piped.out.end()), first);
}

// Nothing is written where the pack fails, and a package that was there stays.
TEST_F(Pack, WritesWholeOrNothing) {
    const std::string skin = Skin("[Image]\nfile=a.bmp\n");
    const std::string kept = dir.Write("kept.zip", std::string_view("old"));
    ::chmod(kept.c_str(), 0640);
    ASSERT_EQ(Run(skin, false, kept).exitCode, 0);
    struct stat st {};
    ASSERT_EQ(::stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    const std::vector<uint8_t> good = ReadBytes(kept);
    const std::string broken = Skin("[Image]\nfile=gone.bmp\n");
    EXPECT_EQ(Run(broken, false, kept).exitCode, 1);
    EXPECT_EQ(ReadBytes(kept), good);

    const test::ToolResult nowhere = Run(skin, false, (dir.Path() / "no/such/dir.zip").string());
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir.Path() / "no"));

    // Never over what it packs.
    Skin("[Image]\nfile=a.bmp\n");
    const std::vector<uint8_t> skinBytes = ReadBytes(skin);
    const std::vector<uint8_t> picture = ReadBytes(dir.Path() / "myskin/a.bmp");
    const std::pair<std::vector<std::string>, int> usage[] = {
        {{"pack", "-o", out}, 2},
        {{"pack", skin}, 2},
        {{"pack", skin, "-o", skin}, 2},
        {{"pack", skin, "-o", (dir.Path() / "myskin/../myskin/a.bmp").string()}, 2},
        {{"pack", (dir.Path() / "missing.ini").string(), "-o", out}, 1},
    };
    for (const auto& [args, code] : usage) {
        const test::ToolResult r = RunTool(args);
        EXPECT_EQ(r.exitCode, code) << r.err;
    }
    EXPECT_EQ(ReadBytes(skin), skinBytes);
    EXPECT_EQ(ReadBytes(dir.Path() / "myskin/a.bmp"), picture);
}

} // namespace
} // namespace pindrel
