// snapshot, compare and diff: the files they write, their lines and their exits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include "cli/png_reader.h"
#include "cli/run_tool.h"
#include "support/bmp_writer.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::RunTool;
using test::TempDir;
namespace fs = std::filesystem;

constexpr Color kRed = Color::FromRgb(255, 0, 0);
constexpr Color kDarkRed = Color::FromRgb(253, 0, 0);

// A coloured background, one 20 x 10 image at (10, 10) in every orientation, and a label, so
// that a font is used.
constexpr std::string_view kSkin = R"([Background Color]
color=0,0,255
[Image]
file=art/red.bmp
posP=10,10
posL=10,10
posQ=10,10
[Label]
fields=name,time
posP=0,280
sizeP=240,40
posL=0,200
sizeL=320,40
posQ=0,200
sizeQ=240,40
)";

const std::vector<std::string> kScreenFiles = [] {
    std::vector<std::string> names;
    for (const char* o : {"portrait", "landscape", "square"}) {
        for (const char* t : {"unknown", "private", "number", "contact", "photo"})
            names.push_back(std::string(o) + "-" + t + ".png");
    }
    return names;
}();

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Snapshots : public ::testing::Test {
protected:
    Snapshots() {
        dir.Write("art/red.bmp", test::SolidBmp24(20, 10, kRed));
        skin = dir.Write("skin.ini", kSkin);
    }
    std::string Out(std::string_view name) const { return (out.Path() / name).string(); }
    std::vector<std::string> Files(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    TempDir out;
    std::string skin;
};

TEST_F(Snapshots, SameInputsGiveTheSameBytes) {
    const std::string a = Out("a"), b = Out("b/deeper");
    test::ToolResult r = RunTool({"snapshot", skin, "-d", a, "--name", "Ann"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty() && r.err.empty()) << r.out << r.err;
    // Another working folder, the skin named relatively.
    test::ToolOptions elsewhere;
    elsewhere.cwd = dir.Path().string();
    r = RunTool({"snapshot", "skin.ini", "-d", b, "--name", "Ann"}, elsewhere);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    std::vector<std::string> expected = kScreenFiles;
    expected.push_back("snapshot.json");
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(Files(a), expected);
    ASSERT_EQ(Files(b), expected);
    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadAll(fs::path(a) / name);
        EXPECT_EQ(bytes, ReadAll(fs::path(b) / name));
        EXPECT_EQ(bytes.find("tIME"), std::string::npos);
    }
    const auto landscape = test::ReadPng((fs::path(a) / "landscape-photo.png").string());
    ASSERT_TRUE(landscape);
    EXPECT_TRUE(landscape->rgb8);
    EXPECT_EQ(landscape->width, 320);
    EXPECT_EQ(landscape->height, 240);
    EXPECT_EQ(landscape->Pixel(10, 10), kRed);

    const auto j = nlohmann::json::parse(ReadAll(fs::path(a) / "snapshot.json"));
    EXPECT_TRUE(j["tool"].get<std::string>().starts_with("pindrel-cli "));
    EXPECT_EQ(j["dpi"], 96);
    EXPECT_EQ(j["time"], "12:34"); // not the clock
    EXPECT_EQ(j["sample"]["name"], "Ann");
    EXPECT_TRUE(j["sample"]["photo"].is_null());
    EXPECT_EQ(j["skin"]["file"], "skin.ini");
    const std::regex sha("^[0-9a-f]{64}$");
    EXPECT_TRUE(std::regex_match(j["skin"]["sha256"].get<std::string>(), sha));
    ASSERT_EQ(j["bitmaps"].size(), 1u);
    EXPECT_EQ(j["bitmaps"][0]["file"], "art/red.bmp");
    ASSERT_FALSE(j["fonts"].empty());
    for (const auto& font : j["fonts"]) {
        EXPECT_TRUE(fs::is_regular_file(font["file"].get<std::string>())) << font;
        EXPECT_TRUE(std::regex_match(font["sha256"].get<std::string>(), sha)) << font;
    }
}

TEST_F(Snapshots, CompareFindsAChangedBitmapUntilUpdated) {
    const std::string snap = Out("snap");
    // Brackets in a text are no nesting.
    ASSERT_EQ(
        RunTool({"snapshot", skin, "-d", snap, "--time", "09:00", "--name", "[[[[[[[[[[\\\"{{"})
            .exitCode,
        0);
    test::ToolResult r = RunTool({"compare", skin, "-d", snap});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.empty() && r.err.empty()) << r.out << r.err;

    // Red one step darker: only a tolerance of 2 lets it pass.
    dir.Write("art/red.bmp", test::SolidBmp24(20, 10, kDarkRed));
    r = RunTool({"compare", skin, "-d", snap, "--tolerance", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    r = RunTool({"compare", skin, "-d", snap, "--tolerance", "1", "--diff-dir", Out("diffs"),
                 "--report", Out("report.html")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    std::string lines;
    for (const std::string& file : kScreenFiles)
        lines += file.substr(0, file.size() - 4) + ": 200 pixels differ in 10,10,20,10\n";
    EXPECT_EQ(r.out, lines);

    std::vector<std::string> diffs;
    for (const std::string& file : kScreenFiles)
        diffs.push_back(file.substr(0, file.size() - 4) + "-diff.png");
    std::sort(diffs.begin(), diffs.end());
    EXPECT_EQ(Files(Out("diffs")), diffs);
    const auto diff = test::ReadPng(Out("diffs/square-number-diff.png"));
    ASSERT_TRUE(diff);
    EXPECT_EQ(diff->Pixel(10, 10), kRed); // changed: loud
    EXPECT_EQ(diff->Pixel(29, 19), kRed);
    const Color grey = diff->Pixel(0, 0); // unchanged: the blue background greyed
    EXPECT_EQ(grey.R(), grey.B());
    EXPECT_NE(grey, kRed);

    // The report stands alone: every picture inline, no link out of the page, no script.
    const std::string html = ReadAll(Out("report.html"));
    EXPECT_NE(html.find("15 of 15 screens differ"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    const std::regex ref(R"re(\b(src|href|action|data)\s*=\s*"([^"]*)")re", std::regex::icase);
    size_t pictures = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), ref);
         it != std::sregex_iterator(); ++it) {
        const std::string attr = (*it)[1], value = (*it)[2];
        if (attr == "src") {
            EXPECT_TRUE(value.starts_with("data:image/png;base64,")) << value.substr(0, 80);
            ++pictures;
        } else {
            EXPECT_TRUE(value.starts_with("#")) << attr << "=" << value;
        }
    }
    EXPECT_EQ(pictures, 3 * kScreenFiles.size()); // expected, actual and diff of each
    EXPECT_EQ(html.find("url("), std::string::npos);
    EXPECT_EQ(html.find("@import"), std::string::npos);
    EXPECT_NE(html.find("Lint findings of " + skin), std::string::npos);

    r = RunTool({"compare", skin, "-d", snap, "--update"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\nupdated " + snap + ": portrait-unknown.png "), std::string::npos)
        << r.out;
    EXPECT_TRUE(r.out.ends_with(" square-photo.png snapshot.json\n")) << r.out;
    r = RunTool({"compare", skin, "-d", snap});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    // The recorded time stays what the snapshot said; a new one given differs.
    EXPECT_NE(ReadAll(fs::path(snap) / "snapshot.json").find("\"09:00\""), std::string::npos);
    r = RunTool({"compare", skin, "-d", snap, "--time", "10:00"});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(Snapshots, CompareNamesWhatCannotBeRead) {
    const std::string snap = Out("snap");
    ASSERT_EQ(RunTool({"snapshot", skin, "-d", snap}).exitCode, 0);
    const std::string json = ReadAll(fs::path(snap) / "snapshot.json");
    struct Case {
        const char* name;
        std::function<void()> damage;
        std::vector<std::string> args;
        const char* err;
    };
    const std::string ini = skin;
    const Case cases[] = {
        {"no snapshot", [] {}, {"compare", ini, "-d", Out("none")}, "the snapshot cannot be read"},
        {"snapshot is no JSON",
         [&] { dir.Write("bad/snapshot.json", std::string_view("{\"format\": 1, ")); },
         {"compare", ini, "-d", (dir.Path() / "bad").string()},
         "snapshot.json: the snapshot cannot be read: not a snapshot file"},
        {"snapshot of a later format",
         [&] {
             dir.Write("later/snapshot.json",
                       std::regex_replace(json, std::regex("\"format\": 1"), "\"format\": 2"));
         },
         {"compare", ini, "-d", (dir.Path() / "later").string()},
         "a snapshot of format 2, which this version cannot read"},
        // Read in time linear in their size, within the harness's timeout.
        {"400,000 empty objects",
         [&] {
             std::string objects = "{\"format\": 1, \"bitmaps\": [{}";
             for (int i = 1; i < 400000; ++i)
                 objects += ",{}";
             dir.Write("long/snapshot.json", objects + "]}");
         },
         {"compare", ini, "-d", (dir.Path() / "long").string()},
         "snapshot.json: the snapshot cannot be read: not a snapshot file"},
        {"deep nesting",
         [&] { dir.Write("deep/snapshot.json", std::string(1000000, '[')); },
         {"compare", ini, "-d", (dir.Path() / "deep").string()},
         "snapshot.json: the snapshot cannot be read: not a snapshot file"},
        {"--diff-dir a link to nothing",
         [&] { fs::create_symlink(Out("gone"), Out("diff-link")); },
         {"compare", ini, "-d", snap, "--diff-dir", Out("diff-link")},
         "diff-link: cannot make the folder: a symbolic link to "},
        {"missing skin", [] {}, {"compare", Out("none.ini"), "-d", snap}, "none.ini"},
        {"a screen missing",
         [&] { fs::remove(fs::path(snap) / "square-photo.png"); },
         {"compare", ini, "-d", snap},
         "square-photo.png: no such file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.damage();
        const test::ToolResult r = RunTool(c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadAll(fs::path(snap) / "snapshot.json"), json);
}

// A folder may come from someone else: a link or pipe planted under a name the tool writes is
// replaced, and what a link points at, or would point at, stays as it was.
TEST_F(Snapshots, LinksPlantedInFoldersAreReplacedNotFollowed) {
    const std::string snap = Out("snap"), fresh = Out("fresh"), diffs = Out("diffs");
    const fs::path victim = dir.Path() / "victim.png";
    struct Case {
        const char* name;
        std::string folder;
        const char* file;
        std::vector<std::string> args;
        int exitCode;
        bool victimIsSnapshot = false; // compare must read it before it writes
    };
    const Case cases[] = {
        {"snapshot's screen", fresh, "portrait-unknown.png", {"snapshot", skin, "-d", fresh}, 0},
        {"snapshot's json", fresh, "snapshot.json", {"snapshot", skin, "-d", fresh}, 0},
        {"screen of compare --update",
         snap,
         "portrait-unknown.png",
         {"compare", skin, "-d", snap, "--update"},
         0},
        {"json of compare --update",
         snap,
         "snapshot.json",
         {"compare", skin, "-d", snap, "--update", "--name", "Bo"},
         0,
         true},
        {"picture of --diff-dir",
         diffs,
         "portrait-unknown-diff.png",
         {"compare", skin, "-d", snap, "--diff-dir", diffs, "--time", "10:00"},
         1},
    };
    for (const Case& c : cases) {
        for (const std::string_view plant : {"link", "dangling link", "pipe"}) {
            if (plant != "link" && c.victimIsSnapshot) continue;
            SCOPED_TRACE(std::string(c.name) + ", " + std::string(plant));
            fs::remove_all(fresh);
            fs::remove_all(diffs);
            fs::remove_all(snap);
            ASSERT_EQ(RunTool({"snapshot", skin, "-d", snap}).exitCode, 0);
            const fs::path planted = fs::path(c.folder) / c.file;
            const std::string precious =
                c.victimIsSnapshot ? ReadAll(fs::path(snap) / "snapshot.json") : "precious";
            fs::create_directories(c.folder);
            fs::remove(planted);
            fs::remove(victim);
            if (plant == "link") dir.Write("victim.png", precious);
            if (plant == "pipe")
                ASSERT_EQ(::mkfifo(planted.c_str(), 0644), 0); // written into, it would block
            else
                fs::create_symlink(victim, planted);

            const test::ToolResult r = RunTool(c.args);
            EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
            EXPECT_FALSE(fs::is_symlink(planted));
            EXPECT_TRUE(fs::is_regular_file(planted));
            if (plant == "link")
                EXPECT_EQ(ReadAll(victim), precious);
            else
                EXPECT_FALSE(fs::exists(victim));
        }
    }
}

// A relative --photo is recorded relative to the snapshot folder, and found from any working
// folder; a snapshot of an older version recorded it relative to its working folder.
TEST_F(Snapshots, RelativePhotoIsFoundFromAnyWorkingFolder) {
    dir.Write("me.bmp", test::SolidBmp24(24, 20, kRed));
    const std::string snap = Out("snap");
    const fs::path json = fs::path(snap) / "snapshot.json";
    test::ToolOptions inSkinFolder, inOut, inRoot;
    inSkinFolder.cwd = dir.Path().string();
    inOut.cwd = out.Path().string();
    inRoot.cwd = "/";
    test::ToolResult r =
        RunTool({"snapshot", "skin.ini", "-d", snap, "--photo", "me.bmp"}, inSkinFolder);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto recorded = [&] {
        return nlohmann::json::parse(ReadAll(json))["sample"]["photo"]["file"].get<std::string>();
    };
    const std::string relative = recorded();
    EXPECT_TRUE(fs::path(relative).is_relative()) << relative;
    EXPECT_TRUE(fs::equivalent(fs::path(snap) / relative, dir.Path() / "me.bmp")) << relative;

    struct Case {
        const char* name;
        std::string file; // as recorded
        const test::ToolOptions* where;
    };
    const Case cases[] = {
        {"from the snapshot's parent", relative, &inOut},
        {"from the root", relative, &inRoot},
        {"an older record, from its working folder", "me.bmp", &inSkinFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto j = nlohmann::json::parse(ReadAll(json));
        j["sample"]["photo"]["file"] = c.file;
        std::ofstream(json) << j.dump(2) << "\n";
        r = RunTool({"compare", skin, "-d", snap}, *c.where);
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    }
    // An update records the older kind anew, relative to the folder.
    r = RunTool({"compare", "skin.ini", "-d", snap, "--update"}, inSkinFolder);
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(recorded(), relative);
}

TEST_F(Snapshots, FontsThatDifferComeFirst) {
    const std::string snap = Out("snap");
    ASSERT_EQ(RunTool({"snapshot", skin, "-d", snap}).exitCode, 0);
    const fs::path json = fs::path(snap) / "snapshot.json";
    auto j = nlohmann::json::parse(ReadAll(json));
    ASSERT_FALSE(j["fonts"].empty());
    const std::string font = j["fonts"][0]["file"];
    j["fonts"][0]["sha256"] = std::string(64, '0');
    j["fonts"].push_back({{"file", "/gone/Font.ttf"}, {"sha256", nullptr}});
    std::ofstream(json) << j.dump(2);
    const test::ToolResult r = RunTool({"compare", skin, "-d", snap});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "font /gone/Font.ttf: used by the snapshot only\n"
                     "font " +
                         font + ": its SHA-256 differs from the snapshot's\n");
}

TEST_F(Snapshots, DiffComparesTwoSkins) {
    const std::string moved =
        dir.Write("moved.ini",
                  std::regex_replace(std::string(kSkin), std::regex("posL=10,10"), "posL=11,10"));
    test::ToolResult r = RunTool({"diff", skin, skin});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    r = RunTool({"diff", skin, moved, "--report", Out("diff.html"), "--diff-dir", Out("d")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    std::string lines;
    for (const char* t : {"unknown", "private", "number", "contact", "photo"})
        lines += std::string("landscape-") + t + ": 20 pixels differ in 10,10,21,10\n";
    EXPECT_EQ(r.out, lines);
    EXPECT_EQ(Files(Out("d")).size(), 5u);
    const std::string html = ReadAll(Out("diff.html"));
    EXPECT_NE(html.find("5 of 15 screens differ"), std::string::npos);
    EXPECT_NE(html.find("Lint findings of " + moved), std::string::npos);
}

} // namespace
} // namespace pindrel
