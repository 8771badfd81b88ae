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

// The first image names no bitmap that loads, so image 0 is the second section. CR LF line
// ends, no line end at the end, no skin sections of its own.
constexpr std::string_view kSkin =
    "; a skin\r\n[Image]\r\nfile=missing.bmp\r\n\r\n"
    "; the one that loads\r\n[Image]\r\nfile=a.bmp\r\nposP=1,2\r\n\r\n"
    "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\n"
    "[Label]\r\nfields=name\r\n[Label]\r\nfields=phone";

std::string Replaced(std::string s, std::string_view what, std::string_view with) {
    s.replace(s.find(what), what.size(), with);
    return s;
}

class Edit : public ::testing::Test {
protected:
    Edit() {
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        skin = dir.Write("skin.ini", kSkin);
    }
    std::string Read(const fs::path& p) const { return test::ReadText(p); }
    std::vector<std::string> Files() const { return dir.Names(); }
    // command SKIN args...
    test::ToolResult Run(const std::string& command, std::vector<std::string> args) const {
        args.insert(args.begin(), {command, skin});
        return RunTool(args);
    }

    test::TempDir dir;
    std::string skin;
};

TEST_F(Edit, EachCommandWritesTheEditedSkin) {
    const std::string k(kSkin);
    struct Case {
        const char* command;
        std::vector<std::string> args;
        std::string expected;
    };
    const Case kCases[] = {
        {"set",
         {"image", "0", "type=8", " posP = 3,4 "},
         Replaced(k, "posP=1,2\r\n", "posP=3,4\r\ntype=8\r\n")},
        {"set", {"label", "1", "font2=12, Arial ,1"}, k + "\r\nfont2=12, Arial ,1"},
        {"set", {"color", "0", "color=1,2,3"}, k + "\r\n[Background Color]\r\ncolor=1,2,3"},
        {"unset", {"image", "0", "posP", "type"}, Replaced(k, "posP=1,2\r\n", "")},
        {"unset", {"photo", "0", "posP"}, k},
        {"add",
         {"label", "fields=name", "posP=0,0", "fields=phone"},
         k + "\r\n[Label]\r\nfields=phone\r\nposP=0,0"},
        {"remove",
         {"image", "0"},
         Replaced(k, "; the one that loads\r\n[Image]\r\nfile=a.bmp\r\nposP=1,2\r\n\r\n", "")},
        {"remove", {"border", "0"}, k},
        {"duplicate",
         {"button", "0"},
         Replaced(k, "[Label]", "[Button]\r\nfile_up=a.bmp\r\nfile_down=a.bmp\r\n[Label]")},
        {"restack",
         {"label", "1", "--to", "0"},
         Replaced(k, "[Label]\r\nfields=name\r\n[Label]\r\nfields=phone",
                  "[Label]\r\nfields=phone\r\n[Label]\r\nfields=name\r\n")},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.args.front());
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", "-"});
        const test::ToolResult r = Run(c.command, args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, c.expected);
        EXPECT_EQ(Read(skin), kSkin);
    }
}

TEST_F(Edit, OutputsAFileOrTheSkinInPlace) {
    const std::string out = (dir.Path() / "out.ini").string();
    const test::ToolResult toFile = Run("set", {"button", "0", "id=3", "-o", out});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    const std::string expected =
        Replaced(std::string(kSkin), "file_down=a.bmp\r\n", "file_down=a.bmp\r\nid=3\r\n");
    EXPECT_EQ(Read(out), expected);
    EXPECT_EQ(Read(skin), kSkin);

    const fs::path link = dir.Path() / "link.ini";
    fs::create_symlink("skin.ini", link);
    ASSERT_EQ(::chmod(skin.c_str(), 0604), 0);
    const test::ToolResult inPlace =
        RunTool({"set", link.string(), "button", "0", "id=3", "--in-place"});
    ASSERT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(skin), expected);
    struct stat st {};
    ASSERT_EQ(::stat(skin.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp", "link.ini", "out.ini", "skin.ini"}));
}

TEST_F(Edit, AnElementThatDoesNotLoadIsWrittenWithAWarning) {
    const test::ToolResult r = Run("add", {"image", "file=none.bmp", "-o", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kSkin) + "\r\n[Image]\r\nfile=none.bmp");
    EXPECT_EQ(r.err, "pindrel-cli: warning: the [Image] section at line 17 does not load; "
                     "'pindrel-cli lint' tells why\n");
}

TEST_F(Edit, FailuresWriteNothing) {
    dir.Write("empty.ini", std::string_view());
    const std::string out = (dir.Path() / "out.ini").string();
    const std::string noFolder = (dir.Path() / "none" / "out.ini").string();
    struct Case {
        const char* command;
        std::vector<std::string> args; // after SKIN
        int exitCode;
        const char* err;
    };
    const Case kCases[] = {
        {"set", {"image", "0", "-o", out}, 2, "set needs KEY=VALUE"},
        {"set", {"image", "0", "type=1"}, 2, "set needs -o OUT.ini"},
        {"set", {"image", "0", "type=1", "-o", out, "--in-place"}, 2, "not both"},
        {"set",
         {"photo", "1", "posP=1,1", "-o", out},
         2,
         "INDEX 1: the skin has one photo rectangle, 0\n"},
        {"set", {"label", "2", "type=1", "-o", out}, 2, "INDEX 2: the skin has 2 loaded labels\n"},
        {"set",
         {"button", "0", "pos=1,1", "-o", out},
         2,
         "unknown key \"pos\" in [Button] sections; their keys are file_up, file_down, type, id, "
         "posP, sizeP, posL, sizeL, posQ, sizeQ and transp_color\n"},
        {"set", {"label", "0", "font0=9", "-o", out}, 2, "fontN and colorN (N from 1"},
        {"set", {"color", "0", "Color=1,2,3", "-o", out}, 2, "their only key is color\n"},
        {"set", {"image", "0", "type= ", "-o", out}, 2, "type needs a value"},
        {"set", {"image", "0", "type=1\n2", "-o", out}, 2, "the value of type holds a line break"},
        {"set", {"image", "0", "type", "-o", out}, 2, "expects KEY=VALUE, not \"type\""},
        {"unset", {"image", "0", "-o", out}, 2, "unset needs KEY"},
        {"unset", {"image", "0", "files", "-o", out}, 2, "unknown key \"files\""},
        {"add",
         {"photo", "posP=1,1", "-o", out},
         2,
         "expects image, button or label, not \"photo\""},
        {"remove", {"image", "1", "-o", out}, 2, "INDEX 1: the skin has 1 loaded image\n"},
        {"duplicate", {"color", "0", "-o", out}, 2, "expects image, button or label"},
        {"restack", {"label", "0", "-o", out}, 2, "restack needs --to N"},
        {"restack",
         {"label", "0", "--to", "2", "-o", out},
         2,
         "--to 2: the skin has 2 loaded labels, so N is 0 to 1\n"},
        {"set", {"image", "0", "type=1", "-o", noFolder}, 1, "none/out.ini: "},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.args.front() + " " + c.err);
        const test::ToolResult r = Run(c.command, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(r.err.starts_with("pindrel-cli: error: ")) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Read(skin), kSkin);
        EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp", "empty.ini", "skin.ini"}));
    }
    for (const char* command : {"set", "unset", "remove", "duplicate", "restack", "add"}) {
        SCOPED_TRACE(command);
        const bool add = std::string_view(command) == "add";
        std::vector<std::string> args = {command, (dir.Path() / "empty.ini").string(), "label"};
        if (!add) args.push_back("0");
        if (add || std::string_view(command) == "set") args.push_back("fields=name");
        if (std::string_view(command) == "unset") args.push_back("fields");
        if (std::string_view(command) == "restack") args.insert(args.end(), {"--to", "0"});
        args.push_back("--in-place");
        const test::ToolResult r = RunTool(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("empty.ini: empty file\n"), std::string::npos) << r.err;
    }
}

// adapt keeps the contract of the editing commands: only position and size keys change, and a
// usage error writes nothing.
TEST_F(Edit, AdaptSetsAnotherOrientation) {
    // In the last third both ways: kept at the right and the bottom; Square, which took the
    // rectangle from Portrait through Landscape, gets a key of its own.
    const std::string wide =
        dir.Write("wide.ini", std::string_view("[Image]\nfile=a.bmp\nposP=200,300\n"));
    const test::ToolResult r =
        RunTool({"adapt", wide, "--from", "portrait", "--to", "landscape", "-o", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "[Image]\nfile=a.bmp\nposP=200,300\nposL=280,220\nposQ=200,300\n");
    // Nothing of the skin's moves: the same bytes.
    const test::ToolResult same =
        Run("adapt", {"--from", "square", "--to", "landscape", "--rule", "same", "-o", "-"});
    ASSERT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, kSkin);
    const std::string out = (dir.Path() / "out.ini").string();
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case kCases[] = {
        {{"--to", "landscape", "-o", out}, "adapt needs --from"},
        {{"--from", "portrait", "--to", "portrait", "-o", out}, "the same orientation"},
        {{"--from", "portrait", "--to", "square", "image", "-o", out}, "has no INDEX"},
        {{"--from", "portrait", "--to", "square", "button", "1", "-o", out},
         "INDEX 1: the skin has 1 loaded button"},
        {{"--from", "portrait", "--to", "square", "background", "0", "-o", out},
         "no background picture"},
        {{"--from", "portrait", "--to", "square", "--rule", "near", "-o", out}, "--rule"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.err);
        const test::ToolResult bad = Run("adapt", c.args);
        EXPECT_EQ(bad.exitCode, 2) << bad.err;
        EXPECT_NE(bad.err.find(c.err), std::string::npos) << bad.err;
        EXPECT_EQ(Files(), (std::vector<std::string>{"a.bmp", "skin.ini", "wide.ini"}));
    }
}

TEST_F(Edit, HelpDocumentsEachCommand) {
    for (const char* command : {"set", "unset", "add", "remove", "duplicate", "restack", "adapt"}) {
        SCOPED_TRACE(command);
        const test::ToolResult r = RunTool({command, "--help"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        for (const char* word : {"SKIN", "KIND", "-o,--output OUT.ini", "--in-place",
                                 "Exit status: 0 done, 1 SKIN cannot be read"})
            EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
}

} // namespace
} // namespace pindrel
