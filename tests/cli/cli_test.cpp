#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/png_reader.h"
#include "cli/run_tool.h"
#include "render/bmp_decoder.h"
#include "render/geometry.h"
#include "skin/overlays.h"
#include "support/bmp_writer.h"
#include "support/pictures.h"
#include "support/png_file.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::ReadPng;
using test::RunTool;
using test::TempDir;
namespace fs = std::filesystem;

constexpr Color kBlue = Color::FromRgb(0, 0, 255);
constexpr Color kRed = Color::FromRgb(255, 0, 0);
constexpr Color kGreen = Color::FromRgb(0, 255, 0);
constexpr Color kYellow = Color::FromRgb(255, 255, 0);
constexpr Color kMagenta = Color::FromRgb(255, 0, 255);
constexpr Color kPhotoColor = Color::FromRgb(10, 200, 30);

// Every kind of element, placed so that single pixels tell them apart.
constexpr std::string_view kSkin = R"([Background Color]
color=0,0,255
[Photo Rect]
posP=100,200
sizeP=120,100
posL=10,10
sizeL=120,100
posQ=10,10
sizeQ=120,100
[Image]
file=art/red.bmp
posP=10,10
posL=100,100
posQ=200,200
[Image]
file=key.bmp
posP=50,10
transp_color=255,0,255
[Button]
file_up=up.bmp
file_down=down.bmp
id=3
posP=10,100
[Button]
file_up=down.bmp
file_down=up.bmp
id=7
type=24
transp_color=0,255,0
posP=200,0
posL=280,0
posQ=200,0
[Label]
fields=name
type=8
hor_align=2
vert_align=1
font1=12,Arial,1,1
color1=255,255,0
posP=0,280
sizeP=240,40
posL=0,200
sizeL=320,40
posQ=0,200
sizeQ=240,40
[Label]
fields=time,Phone,phoneonly
font3=8
posP=0,240
sizeP=240,40
posL=0,160
sizeL=320,40
posQ=0,160
sizeQ=240,40
)";

class Cli : public ::testing::Test {
protected:
    Cli() {
        dir.Write("art/red.bmp", test::SolidBmp24(20, 10, kRed));
        dir.Write("key.bmp",
                  test::Bmp24(4, 4, [](int32_t x, int32_t) { return x < 2 ? kMagenta : kWhite; }));
        dir.Write("up.bmp", test::SolidBmp24(30, 20, kGreen));
        dir.Write("down.bmp", test::SolidBmp24(30, 20, kYellow));
        dir.Write("photo.bmp", test::SolidBmp24(240, 200, kPhotoColor));
        dir.Write("not.bmp", std::string_view("BA this is no bitmap"));
        skin = dir.Write("skin.ini", kSkin);
    }
    std::string Out(std::string_view name = "out.png") const {
        return (out.Path() / name).string();
    }
    // Renders the skin with extra arguments; the PNG, or nothing when the tool failed.
    std::optional<test::PngPicture> Render(std::vector<std::string> args) {
        args.insert(args.begin(), {"render", skin, "-o", Out(), "--time", "12:34"});
        const test::ToolResult r = RunTool(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        if (r.exitCode != 0) return std::nullopt;
        return ReadPng(Out());
    }
    // Files the tool left in the output folder.
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(out.Path()))
            names.push_back(e.path().filename().string());
        return names;
    }

    TempDir dir;
    TempDir out;
    std::string skin;
};

test::ToolOptions InDir(const std::string& cwd) {
    test::ToolOptions o;
    o.cwd = cwd;
    return o;
}
// For inputs that could block a careless reader: they must fail fast.
test::ToolOptions Quick() {
    test::ToolOptions o;
    o.timeout = std::chrono::seconds(10);
    return o;
}
test::ToolOptions StdoutToFull() {
    test::ToolOptions o;
    o.stdoutToFull = true;
    return o;
}

// Pixels in r that differ from c.
size_t CountOther(const test::PngPicture& p, const Rect& r, Color c) {
    size_t n = 0;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x)
            n += p.Pixel(x, y) == c ? 0 : 1;
    }
    return n;
}

TEST_F(Cli, UsageErrorsExitTwoAndHelpExitsZero) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        const char* out; // expected in stdout
        const char* err; // expected in stderr
    };
    const Case cases[] = {
        {"no command", {}, 2, "", "error: a command is required: render, sheet, "},
        {"unknown command", {"paint"}, 2, "", "error: unknown command \"paint\"; the commands are"},
        {"unknown option", {"--paint"}, 2, "", "error: unknown option \"--paint\"\n"},
        {"help", {"--help"}, 0, "Usage: pindrel-cli", ""},
        {"command help", {"render", "--help"}, 0, "--align X,Y,W,H  ", ""},
        {"version", {"--version"}, 0, "pindrel-cli ", ""},
        {"render without output", {"render"}, 2, "", "error: render needs -o OUT.png: "},
        {"output without its value", {"render", "-o"}, 2, "", "error: --output needs a value\n"},
        {"unknown render option",
         {"render", "-o", "x.png", "--paint"},
         2,
         "",
         "error: unknown option \"--paint\" for render\n"},
        {"bad orientation",
         {"render", "-o", "x.png", "--orientation", "upside"},
         2,
         "",
         "error: --orientation: expects portrait, landscape or square (or 0, 1 or 2), not "
         "\"upside\"\n"},
        {"orientation index out of range",
         {"render", "-o", "x.png", "--orientation", "3"},
         2,
         "",
         "--orientation: expects portrait, landscape or square (or 0, 1 or 2), not \"3\""},
        {"bad call type",
         {"render", "-o", "x.png", "--call-type", "3"},
         2,
         "",
         "--call-type: expects unknown, private, number, contact or photo (or 1, 2, 4, 8 or 16), "
         "not \"3\""},
        {"align of three numbers",
         {"render", "-o", "x.png", "--align", "1,2,3"},
         2,
         "",
         "--align: expects 4 whole numbers X,Y,W,H, not \"1,2,3\""},
        {"align not numbers",
         {"render", "-o", "x.png", "--align", "a,b,c,d"},
         2,
         "",
         "--align: expects 4 whole numbers X,Y,W,H, not \"a,b,c,d\""},
        {"negative press",
         {"render", "-o", "x.png", "--press", "-1"},
         2,
         "",
         "--press: expects a button number from 0 on, not \"-1\"\n"},
        {"press not a number", {"render", "-o", "x.png", "--press", "1x"}, 2, "", "\"1x\""},
        {"unknown overlay",
         {"render", "-o", "x.png", "--overlay", "frames"},
         2,
         "",
         "--overlay: expects outlines, keys or outlines,keys, not \"frames\""},
        {"zero dpi",
         {"render", "-o", "x.png", "--dpi", "0"},
         2,
         "",
         "--dpi: expects a whole number from 1 to 10000, not \"0\""},
        {"decode without input", {"decode", "-o", "x.png"}, 2, "", "decode needs IN.bmp"},
        {"inspect with two skins",
         {"inspect", "a.ini", "b.ini"},
         2,
         "",
         "unexpected argument \"b.ini\" for inspect"},
        {"snapshot without its folder", {"snapshot"}, 2, "", "error: snapshot needs -d DIR: "},
        {"compare without its folder", {"compare"}, 2, "", "error: compare needs -d DIR: "},
        {"tolerance beyond a channel",
         {"compare", "-d", "x", "--tolerance", "256"},
         2,
         "",
         "--tolerance: expects a channel difference from 0 to 255, not \"256\""},
        {"empty report",
         {"compare", "-d", "x", "--report", ""},
         2,
         "",
         "error: --report: expects a file, not an empty name\n"},
        {"empty diff folder",
         {"diff", "a.ini", "b.ini", "--diff-dir", ""},
         2,
         "",
         "error: --diff-dir: expects a folder, not an empty name\n"},
        {"diff of one skin", {"diff", "a.ini"}, 2, "", "error: diff needs NEW.ini: "},
        {"diff of three skins",
         {"diff", "a.ini", "b.ini", "c.ini"},
         2,
         "",
         "unexpected argument \"c.ini\" for diff"},
        {"sheet rejects render options",
         {"sheet", "-o", "x.png", "--press", "0"},
         2,
         "",
         "unknown option \"--press\" for sheet"},
        {"convert help", {"convert", "--help"}, 0, "--background R,G,B", ""},
        {"convert without output", {"convert", "a.png"}, 2, "", "convert needs -o OUT.bmp"},
        {"convert to 16 bits",
         {"convert", "a.png", "-o", "a.bmp", "--bits", "16"},
         2,
         "",
         "--bits: expects 24, 8 or rle8, not \"16\"\n"},
        {"key of two numbers",
         {"convert", "a.png", "-o", "a.bmp", "--key", "1,2"},
         2,
         "",
         "--key: expects R,G,B, three numbers from 0 to 255, not \"1,2\"\n"},
        {"background out of range",
         {"convert", "a.png", "-o", "a.bmp", "--background", "0,0,256"},
         2,
         "",
         "--background: expects R,G,B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::ToolResult r = RunTool(c.args, InDir(out.Path().string()));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        // An empty expectation means nothing at all is written there.
        if (*c.out)
            EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        else
            EXPECT_TRUE(r.out.empty()) << r.out;
        if (*c.err)
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        else
            EXPECT_TRUE(r.err.empty()) << r.err;
        if (c.exitCode == 2) {
            EXPECT_TRUE(r.err.starts_with("pindrel-cli: error: ")) << r.err;
            // The parser's own wording stays out.
            for (const char* leak : {"FAILED", "missing", "Check ", " x 4", "The following"})
                EXPECT_EQ(r.err.find(leak), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.out.find(" x 4"), std::string::npos) << r.out;
        }
        EXPECT_TRUE(OutFiles().empty());
    }
}

TEST_F(Cli, RenderDrawsEachElementAtItsPixels) {
    const auto p = Render({});
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rgb8);
    ASSERT_EQ(p->width, 240);
    ASSERT_EQ(p->height, 320);
    EXPECT_EQ(p->Pixel(0, 0), kBlue);
    EXPECT_EQ(p->Pixel(10, 10), kRed); // image found through its relative folder
    EXPECT_EQ(p->Pixel(29, 19), kRed);
    EXPECT_EQ(p->Pixel(30, 10), kBlue);
    EXPECT_EQ(p->Pixel(50, 10), kBlue); // keyed out
    EXPECT_EQ(p->Pixel(53, 10), kWhite);
    EXPECT_EQ(p->Pixel(10, 100), kGreen); // button up
    EXPECT_EQ(p->Pixel(200, 0), kBlue);   // type 24: not for an unknown caller
    EXPECT_EQ(p->Pixel(160, 250), kBlue); // no photo for an unknown caller
    EXPECT_EQ(std::vector<std::string>{"out.png"}, OutFiles()); // no temporary file left
}

TEST_F(Cli, RenderOptionsReachTheSkin) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        Point at;
        Color expected;
    };
    const Case cases[] = {
        {"pressed button", {"--press", "0"}, {10, 100}, kYellow},
        {"align rectangle", {"--align", "0,0,100,100"}, {0, 50}, kRed},
        {"align rectangle inside", {"--align", "0,0,100,100"}, {50, 50}, kBlue},
        {"call type by name", {"--call-type", "contact"}, {200, 0}, kYellow},
        {"call type by value", {"--call-type", "8"}, {200, 0}, kYellow},
        {"photo from a file",
         {"--call-type", "photo", "--photo",
          dir.Write("p.bmp", test::SolidBmp24(240, 200, kPhotoColor))},
         {160, 250},
         kPhotoColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = Render(c.args);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Pixel(c.at.x, c.at.y), c.expected);
    }
}

TEST_F(Cli, OverlaysOnlyWhenAsked) {
    // The first image's ring, and nothing where no element's ring lies.
    for (const char* command : {"render", "sheet"}) {
        SCOPED_TRACE(command);
        ASSERT_EQ(RunTool({command, skin, "-o", Out("plain.png"), "--time", "1"}).exitCode, 0);
        const test::ToolResult r = RunTool(
            {command, skin, "-o", Out("outlined.png"), "--time", "1", "--overlay", "outlines"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto plain = ReadPng(Out("plain.png"));
        const auto outlined = ReadPng(Out("outlined.png"));
        ASSERT_TRUE(plain && outlined);
        EXPECT_NE(plain->Count(kBlue), outlined->Count(kBlue));
    }
    const test::ToolResult r =
        RunTool({"render", skin, "-o", Out(), "--time", "1", "--overlay", "outlines,keys"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto both = ReadPng(Out());
    ASSERT_TRUE(both);
    EXPECT_EQ(both->Pixel(10, 10), kImageOutline);
    EXPECT_EQ(both->Pixel(15, 15), kRed);
}

TEST_F(Cli, BuiltInPhotoIsDrawnForContactWithPicture) {
    const auto p = Render({"--call-type", "photo"});
    ASSERT_TRUE(p);
    EXPECT_GT(CountOther(*p, {100, 200, 220, 300}, kBlue), 10000u);
}

TEST_F(Cli, SampleDataAndTimeFillTheLabels) {
    const Rect nameLabel{0, 280, 240, 320};
    const Rect timeLabel{0, 240, 240, 280};
    auto p = Render({"--call-type", "contact"});
    ASSERT_TRUE(p);
    EXPECT_GT(CountOther(*p, nameLabel, kBlue), 0u);
    p = Render({"--call-type", "contact", "--name", ""});
    ASSERT_TRUE(p);
    EXPECT_EQ(CountOther(*p, nameLabel, kBlue), 0u);
    EXPECT_GT(CountOther(*p, timeLabel, kBlue), 0u);
    // Under an unknown caller the time is the label's only text.
    const test::ToolResult r =
        RunTool({"render", skin, "-o", Out(), "--time", "", "--call-type", "unknown"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    p = ReadPng(Out());
    ASSERT_TRUE(p);
    EXPECT_EQ(CountOther(*p, timeLabel, kBlue), 0u);
}

TEST_F(Cli, OrientationsGiveTheirScreenSizes) {
    struct Case {
        const char* orientation;
        Size size;
        Point redAt;
    };
    const Case cases[] = {{"portrait", {240, 320}, {10, 10}},
                          {"landscape", {320, 240}, {100, 100}},
                          {"1", {320, 240}, {100, 100}},
                          {"Square", {240, 240}, {200, 200}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        const auto p = Render({"--orientation", c.orientation});
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->rgb8);
        EXPECT_EQ(p->width, c.size.width);
        EXPECT_EQ(p->height, c.size.height);
        EXPECT_EQ(p->Pixel(c.redAt.x, c.redAt.y), kRed);
    }
}

TEST_F(Cli, SkinPathsResolveAgainstTheSkinFolder) {
    TempDir elsewhere;
    // An absolute path from another folder, and a relative one from a folder below the skin's.
    for (const std::string& path : {skin, std::string("../skin.ini")}) {
        SCOPED_TRACE(path);
        const std::string cwd =
            path == skin ? elsewhere.Path().string() : (dir.Path() / "art").string();
        const test::ToolResult r =
            RunTool({"render", path, "-o", Out(), "--time", "1"}, InDir(cwd));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto p = ReadPng(Out());
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Pixel(10, 10), kRed);
    }
}

TEST_F(Cli, PressBeyondTheButtonsIsAUsageError) {
    const test::ToolResult r = RunTool({"render", skin, "-o", Out(), "--press", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("the skin has 2 loaded buttons"), std::string::npos) << r.err;
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Cli, OutputThroughLinksAndPipesKeepsThem) {
    // A link to an existing PNG and one that points nowhere yet: the links stay, their
    // targets get the picture.
    const fs::path old = out.Path() / "old.png";
    std::ofstream(old) << "old";
    fs::create_symlink(old, out.Path() / "to-old.png");
    fs::create_symlink("new.png", out.Path() / "to-new.png");
    for (const char* link : {"to-old.png", "to-new.png"}) {
        SCOPED_TRACE(link);
        const test::ToolResult r = RunTool({"render", skin, "-o", Out(link), "--time", "1"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(fs::is_symlink(out.Path() / link));
        const auto p = ReadPng(fs::canonical(out.Path() / link).string());
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Pixel(10, 10), kRed);
    }

    // A pipe (as /dev/stdout is) is written, not replaced by a file. The reader is open before
    // the tool runs, and the picture fits the pipe's buffer.
    const std::string fifo = Out("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const test::ToolResult r =
        RunTool({"render", skin, "-o", fifo, "--time", "1", "--orientation", "square"}, Quick());
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<size_t>(n));
    ::close(reader);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    const auto p = ReadPng(dir.Write("from-fifo.png", std::string_view(bytes)));
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rgb8);
    EXPECT_EQ(p->width, 240);
    EXPECT_EQ(p->height, 240);
}

TEST_F(Cli, OutputDashIsStandardOutputAndReplacedFilesKeepTheirMode) {
    const test::ToolResult r = RunTool({"render", skin, "-o", "-", "--time", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const auto p = ReadPng(dir.Write("stdout.png", std::string_view(r.out)));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Pixel(10, 10), kRed);
    EXPECT_TRUE(OutFiles().empty());

    for (const char* command : {"render", "sheet"}) {
        SCOPED_TRACE(command);
        std::ofstream(Out()) << "old";
        ASSERT_EQ(::chmod(Out().c_str(), 0600), 0);
        ASSERT_EQ(RunTool({command, skin, "-o", Out(), "--time", "1"}).exitCode, 0);
        struct stat st {};
        ASSERT_EQ(::stat(Out().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        EXPECT_TRUE(ReadPng(Out()));
    }
}

// A folder deeper than any path the system takes, made and removed through open folders.
class DeepFolder {
public:
    DeepFolder(const fs::path& base, int levels) : levels_(levels) {
        fds_.push_back(::open(base.c_str(), O_RDONLY | O_DIRECTORY));
        for (int i = 0; i < levels_; ++i) {
            ::mkdirat(fds_.back(), kName, 0700);
            fds_.push_back(::openat(fds_.back(), kName, O_RDONLY | O_DIRECTORY));
        }
    }
    ~DeepFolder() {
        for (int i = levels_; i > 0; --i) {
            RemoveFiles(fds_[static_cast<size_t>(i)]);
            ::close(fds_[static_cast<size_t>(i)]);
            ::unlinkat(fds_[static_cast<size_t>(i - 1)], kName, AT_REMOVEDIR);
        }
        ::close(fds_.front());
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;
    int Fd() const { return fds_.back(); }
    bool Has(const char* name) const { return ::faccessat(Fd(), name, F_OK, 0) == 0; }
    void Write(const char* name, std::string_view bytes) const {
        const int fd = ::openat(Fd(), name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }

private:
    static void RemoveFiles(int fd) {
        for (const char* name : {"skin.ini", "out.png", "sheet.png", "o3.png"})
            ::unlinkat(fd, name, 0);
    }
    static constexpr const char* kName = "level-of-a-deep-folder";
    int levels_;
    std::vector<int> fds_;
};

TEST_F(Cli, DeepWorkingFolderGetsTheOutputAndReadsRelativeSkins) {
    const DeepFolder deep(out.Path(), 200); // 200 x 23 bytes: far past PATH_MAX
    test::ToolOptions there;
    there.cwdFd = deep.Fd();
    // The skin lies elsewhere; the output goes where it was asked, into the deep folder.
    test::ToolResult r = RunTool({"render", skin, "-o", "o3.png", "--time", "1"}, there);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_TRUE(deep.Has("o3.png"));
    EXPECT_FALSE(fs::exists(dir.Path() / "o3.png"));

    // A skin without bitmaps beside the deep folder's output, named relatively.
    deep.Write("skin.ini", "[Background Color]\ncolor=0,0,255\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", "skin.ini", "-o", "out.png", "--time", "1"},
          std::vector<std::string>{"sheet", "skin.ini", "-o", "sheet.png", "--time", "1"},
          std::vector<std::string>{"inspect", "skin.ini"},
          std::vector<std::string>{"lint", "skin.ini"}}) {
        SCOPED_TRACE(args[0]);
        r = RunTool(args, there);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
    }
    EXPECT_TRUE(deep.Has("out.png"));
    EXPECT_TRUE(deep.Has("sheet.png"));
}

TEST_F(Cli, PathsTooLongSaySo) {
    const std::string longName = (out.Path() / std::string(5000, 'n')).string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", longName, "-o", Out()},
          std::vector<std::string>{"lint", longName},
          std::vector<std::string>{"decode", longName, "-o", Out()},
          std::vector<std::string>{"render", skin, "-o", longName + ".png"}}) {
        SCOPED_TRACE(args[0]);
        const test::ToolResult r = RunTool(args);
        EXPECT_EQ(r.exitCode, 1);
        std::string lower = r.err;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(lower.find("file name too long"), std::string::npos) << r.err;
        EXPECT_EQ(lower.find("no such file"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(Cli, UnreadableInputsExitOneQuicklyAndWriteNothing) {
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {"missing skin",
         {"render", (dir.Path() / "none.ini").string(), "-o", Out()},
         "none.ini: no such file"},
        {"empty skin",
         {"render", dir.Write("empty.ini", std::string_view()), "-o", Out()},
         "empty file"},
        {"directory as skin", {"render", dir.Path().string(), "-o", Out()}, "is a directory"},
        {"FIFO as skin", {"render", fifo, "-o", Out()}, "not a regular file"},
        {"device as skin", {"sheet", "/dev/zero", "-o", Out()}, "not a regular file"},
        {"FIFO for inspect", {"inspect", fifo}, "not a regular file"},
        {"FIFO for lint", {"lint", fifo}, "not a regular file"},
        {"missing photo",
         {"render", skin, "-o", Out(), "--photo", "/nonexistent/p.bmp"},
         "error: /nonexistent/p.bmp: cannot open file (status -1)"},
        {"photo of another format",
         {"render", skin, "-o", Out(), "--photo", (dir.Path() / "not.bmp").string()},
         "(status -2)"},
        {"FIFO as photo", {"render", skin, "-o", Out(), "--photo", fifo}, "(status -1)"},
        {"output folder missing",
         {"render", skin, "-o", (out.Path() / "no/out.png").string()},
         "no/out.png: "},
        {"output is a folder", {"render", skin, "-o", out.Path().string()}, "error: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::ToolResult r = RunTool(c.args, Quick());
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_TRUE(r.err.starts_with("pindrel-cli: error: ")) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_TRUE(OutFiles().empty());
    }
}

TEST_F(Cli, SheetHoldsAllFifteenScreens) {
    // A skin of colour only: every screen pixel is blue, nothing else of the sheet is.
    const std::string plain = dir.Write("plain.ini", std::string_view("[Background Color]\n"
                                                                      "color=0,0,255\n"));
    const test::ToolResult r = RunTool({"sheet", plain, "-o", Out(), "--time", "12:34"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto p = ReadPng(Out());
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rgb8);
    EXPECT_GE(p->width, 5 * 320);
    EXPECT_GE(p->height, 320 + 240 + 240);
    EXPECT_EQ(p->Count(kBlue), 5u * (240 * 320 + 320 * 240 + 240 * 240));
}

TEST_F(Cli, InspectPrintsTheModel) {
    const test::ToolResult r = RunTool({"inspect", skin});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::ifstream golden(fs::path(PINDREL_GOLDEN_DIR) / "cli_inspect.json");
    ASSERT_TRUE(golden);
    const auto expected = nlohmann::json::parse(golden);
    const auto actual = nlohmann::json::parse(r.out);
    EXPECT_EQ(actual, expected) << r.out;
}

TEST_F(Cli, InspectGivesNullForImagesThatDoNotLoad) {
    const std::string ini = dir.Write("bg.ini", std::string_view("[Background Image]\n"
                                                                 "file=missing.bmp\n"
                                                                 "[Border Image]\n"
                                                                 "file=art/red.bmp\n"));
    const test::ToolResult r = RunTool({"inspect", ini});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["backgroundImage"].is_null());
    EXPECT_EQ(j["borderImage"]["file"], "art/red.bmp");
    EXPECT_EQ(j["backgroundColor"], 0xFFFFFF);
    EXPECT_EQ(j["images"], nlohmann::json::array());
}

TEST_F(Cli, InspectWritesLongFieldListsWhole) {
    // Far more JSON than one write of the tool: the pieces join into one document.
    std::string fields;
    for (int i = 0; i < 5000; ++i)
        fields += i % 2 ? "phone," : "name,";
    const std::string ini = dir.Write("long.ini", "[Label]\nfields=" + fields + "\nfont2=7\n");
    const test::ToolResult r = RunTool({"inspect", ini});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_GT(r.out.size(), size_t{1} << 17);
    const auto j = nlohmann::json::parse(r.out);
    const auto& list = j["labels"][0]["fields"];
    ASSERT_EQ(list.size(), 5000u);
    EXPECT_EQ(list[1]["name"], "phone");
    EXPECT_EQ(list[1]["size"], 7);
    EXPECT_EQ(list[4999]["name"], "phone");
    EXPECT_EQ(j["images"], nlohmann::json::array());
}

// A full disk is named as such, to standard output and to a file alike.
TEST_F(Cli, FailedWritesSayWhy) {
    test::ToolResult r = RunTool({"inspect", skin}, StdoutToFull());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write to standard output: No space left on device"),
              std::string::npos)
        << r.err;
    r = RunTool({"render", skin, "-o", "/dev/full"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("/dev/full: No space left on device"), std::string::npos) << r.err;
}

TEST_F(Cli, LintListsFindingsAndExitsOneOnErrors) {
    const std::string bad = dir.Write("bad.ini", std::string_view("[Image]\n"
                                                                  "file=missing.bmp\n"
                                                                  "[image]\n"
                                                                  "file=art/red.bmp\n"
                                                                  "[Label]\n"
                                                                  "fields=Name\n"
                                                                  "posp=0,0\n"));
    test::ToolResult r = RunTool({"lint", bad});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, bad +
                         ":2: error: cannot load \"missing.bmp\": cannot open file (status -1); no "
                         "image\n" +
                         bad +
                         ":3: error: section [image] is not [Image] (case and spaces count); "
                         "section ignored\n" +
                         bad +
                         ":6: error: \"Name\" is not a caller field (did you mean \"name\"?); the "
                         "label shows nothing\n" +
                         bad +
                         ":7: warning: unknown key \"posp\" in [Label] (did you mean \"posP\"?)\n");

    const std::string warned =
        dir.Write("warned.ini", std::string_view("[Image]\nfile=art/red.bmp\nbogus=1\n"));
    r = RunTool({"lint", warned});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::regex line(R"(^.+:3: warning: unknown key "bogus" in \[Image\]\n$)");
    EXPECT_TRUE(std::regex_match(r.out, line)) << r.out;
}

TEST_F(Cli, LintFormatsForMachines) {
    const std::string bad = dir.Write("bad lint.ini", std::string_view("[Image]\n"
                                                                       "file=missing.bmp\n"
                                                                       "[Label]\n"
                                                                       "fields=name\n"
                                                                       "posp=0,0\n"));
    const test::ToolResult text = RunTool({"lint", bad});
    const test::ToolResult json = RunTool({"lint", bad, "--format", "json"});
    const test::ToolResult sarif = RunTool({"lint", bad, "--format", "SARIF"});
    // The exit status is the text format's, whatever the format.
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(json.exitCode, 1) << json.err;
    EXPECT_EQ(sarif.exitCode, 1) << sarif.err;

    const auto list = nlohmann::json::parse(json.out);
    ASSERT_TRUE(list.is_array());
    ASSERT_EQ(list.size(), 5u) << json.out; // the image, three orientations, the typo
    for (const auto& f : list) {
        EXPECT_EQ(f.size(), 5u) << f;
        EXPECT_EQ(f["file"], bad);
        EXPECT_TRUE(f["line"].is_number_integer());
        EXPECT_TRUE(f["severity"] == "error" || f["severity"] == "warning") << f;
        EXPECT_TRUE(f["message"].is_string());
        EXPECT_TRUE(f["rule"].is_string());
    }
    EXPECT_EQ(list[0]["rule"], "bitmap-unreadable");
    EXPECT_EQ(list[0]["line"], 2);
    EXPECT_EQ(list[0]["severity"], "error");
    // The same findings as the text, one a line.
    std::string lines;
    for (const auto& f : list)
        lines += bad + ":" + std::to_string(f["line"].get<int>()) + ": " +
                 f["severity"].get<std::string>() + ": " + f["message"].get<std::string>() + "\n";
    EXPECT_EQ(lines, text.out);

    const auto log = nlohmann::json::parse(sarif.out);
    EXPECT_EQ(log["version"], "2.1.0");
    const auto& driver = log["runs"][0]["tool"]["driver"];
    EXPECT_EQ(driver["name"], "pindrel-cli");
    EXPECT_TRUE(driver["version"].is_string());
    std::set<std::string> ids;
    for (const auto& rule : driver["rules"]) {
        EXPECT_TRUE(rule["shortDescription"]["text"].is_string());
        EXPECT_TRUE(ids.insert(rule["id"].get<std::string>()).second) << rule; // ids are unique
    }
    const auto& results = log["runs"][0]["results"];
    ASSERT_EQ(results.size(), list.size());
    for (size_t i = 0; i < results.size(); ++i) {
        const auto& r = results[i];
        EXPECT_EQ(r["ruleId"], list[i]["rule"]);
        EXPECT_TRUE(ids.count(r["ruleId"].get<std::string>()));
        EXPECT_EQ(driver["rules"][r["ruleIndex"].get<size_t>()]["id"], r["ruleId"]);
        EXPECT_EQ(r["level"], list[i]["severity"]);
        EXPECT_EQ(r["message"]["text"], list[i]["message"]);
        const auto& where = r["locations"][0]["physicalLocation"];
        EXPECT_EQ(where["region"]["startLine"], list[i]["line"]);
        // A URI reference: the space is encoded.
        const std::string uri = where["artifactLocation"]["uri"];
        EXPECT_EQ(uri.find(' '), std::string::npos) << uri;
        EXPECT_NE(uri.find("bad%20lint.ini"), std::string::npos) << uri;
    }

    // A skin that cannot be read still gives a whole document, of its one finding, which has
    // no line: SARIF gives the file without a region.
    const std::string empty = dir.Write("empty.ini", std::string_view());
    for (const std::string& unread :
         {empty, (dir.Path() / "none.ini").string(), dir.Path().string()}) {
        SCOPED_TRACE(unread);
        const test::ToolResult j = RunTool({"lint", unread, "--format", "json"});
        const test::ToolResult s = RunTool({"lint", unread, "--format", "sarif"});
        EXPECT_EQ(j.exitCode, 1);
        EXPECT_EQ(s.exitCode, 1);
        const auto one = nlohmann::json::parse(j.out);
        ASSERT_EQ(one.size(), 1u) << j.out;
        EXPECT_EQ(one[0]["rule"], "skin-unreadable");
        const auto sarifLog = nlohmann::json::parse(s.out);
        const auto& found = sarifLog["runs"][0]["results"];
        ASSERT_EQ(found.size(), 1u) << s.out;
        EXPECT_EQ(found[0]["ruleId"], "skin-unreadable");
        const auto& where = found[0]["locations"][0]["physicalLocation"];
        EXPECT_TRUE(where["artifactLocation"]["uri"].is_string());
        EXPECT_FALSE(where.contains("region"));
    }

    const test::ToolResult wrong = RunTool({"lint", bad, "--format", "xml"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("--format: expects text, json or sarif, not \"xml\""),
              std::string::npos)
        << wrong.err;
}

TEST_F(Cli, ExampleSkinIsTheDefaultAndLintsClean) {
    test::ToolResult r = RunTool({"lint"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    r = RunTool({"inspect"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_FALSE(j["buttons"].empty());
    EXPECT_FALSE(j["labels"].empty());
    EXPECT_FALSE(j["backgroundImage"].is_null());
    r = RunTool({"render", "-o", Out(), "--orientation", "square", "--call-type", "photo"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto p = ReadPng(Out());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 240);
    EXPECT_EQ(p->height, 240);
}

TEST_F(Cli, ExampleSkinIsFoundBesideTheProgramOnly) {
    // A copy of the program elsewhere knows no example until one is installed beside it, as a
    // package installs it: nothing of the build's own folders is compiled in.
    const fs::path bin = out.Path() / "bin";
    fs::create_directories(bin);
    fs::copy_file(PINDREL_CLI, bin / "pindrel-cli");
    test::ToolOptions copy;
    copy.program = (bin / "pindrel-cli").string();
    test::ToolResult r = RunTool({"lint"}, copy);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("the example skin is not installed"), std::string::npos) << r.err;

    const fs::path examples = out.Path() / "share/pindrel/examples";
    fs::create_directories(examples);
    fs::create_directory_symlink(
        fs::canonical(fs::path(PINDREL_CLI).parent_path() / "../share/pindrel/examples/aurora"),
        examples / "aurora");
    r = RunTool({"lint"}, copy);
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(Cli, DecodeWritesThePictureTopRowFirst) {
    const auto pixel = [](int32_t x, int32_t y) {
        return Color::FromRgb(static_cast<uint8_t>(x * 60), static_cast<uint8_t>(y * 100), 7);
    };
    const std::string in = dir.Write("grad.bmp", test::Bmp24(3, 2, pixel));
    const test::ToolResult r = RunTool({"decode", in, "-o", Out()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto p = ReadPng(Out());
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rgb8);
    ASSERT_EQ(p->width, 3);
    ASSERT_EQ(p->height, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(p->Pixel(x, y), pixel(x, y)) << x << "," << y;
    }
}

TEST_F(Cli, DecodeFailuresGiveTheDecoderStatus) {
    std::vector<uint8_t> huge = test::SolidBmp24(1, 1, kRed);
    test::PutU32(huge, 18, 100000);
    test::PutU32(huge, 22, 100000);
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string in;
        const char* status;
    };
    const Case cases[] = {
        {"missing", (dir.Path() / "none.bmp").string(), "(status -1)"},
        {"directory", dir.Path().string(), "(status -1)"},
        {"FIFO", fifo, "(status -1)"},
        {"device", "/dev/zero", "(status -1)"},
        {"not a bitmap", (dir.Path() / "not.bmp").string(), "(status -2)"},
        {"huge", dir.Write("huge.bmp", huge), "(status -3)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::ToolResult r = RunTool({"decode", c.in, "-o", Out()}, Quick());
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 1);
        const std::regex message(
            "^pindrel-cli: error: " +
            std::regex_replace(c.in, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
            ": [^\n]+ \\(status -[123]\\)\n$");
        EXPECT_TRUE(std::regex_match(r.err, message)) << r.err;
        EXPECT_NE(r.err.find(c.status), std::string::npos) << r.err;
        EXPECT_TRUE(OutFiles().empty());
    }
}

// A PNG with a transparent pixel and one that is opaque in the key colour.
std::vector<uint8_t> KeyedPng() {
    test::PngFile f;
    f.width = 3;
    f.colorType = 6;
    f.samples = {10, 20, 30, 0, 255, 0, 255, 255, 200, 100, 50, 255};
    return test::WritePngFile(f);
}

TEST_F(Cli, ConvertWritesWhatSkinsRead) {
    const std::string in = dir.Write("art.png", KeyedPng());
    const test::ToolResult r =
        RunTool({"convert", in, "-o", Out("art.bmp"), "--bits", "rle8", "--key", "255,0,255"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "pindrel-cli: warning: " + in +
                         ": 1 opaque pixel has the key colour 255,0,255 and would vanish on the "
                         "device\n");
    const BmpResult back = LoadBmp(Out("art.bmp"));
    ASSERT_TRUE(back.image) << back.reason;
    const ConstPixelView v = back.image->View();
    EXPECT_EQ(v.Pixel(0, 0), kMagenta);
    EXPECT_EQ(v.Pixel(1, 0), kMagenta);
    EXPECT_EQ(v.Pixel(2, 0), Color::FromRgb(200, 100, 50));
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"art.bmp"});
}

TEST_F(Cli, ConvertReplacesAtomicallyOrNotAtAll) {
    // An existing bitmap behind a link, with permissions of its own.
    const fs::path target = out.Path() / "old.bmp";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, out.Path() / "link.bmp");
    const std::string link = Out("link.bmp");
    const std::string many =
        dir.Write("many.bmp", test::Bmp24(20, 20, [](int32_t x, int32_t y) {
                      return Color::FromRgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0);
                  }));
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* err;
    };
    const Case kCases[] = {
        {"missing input", {(dir.Path() / "none.png").string()}, "none.png: no such file\n"},
        {"not a picture",
         {(dir.Path() / "not.bmp").string()},
         "neither a PNG, a JPEG nor a BMP file\n"},
        {"device", {"/dev/zero"}, "/dev/zero: not a regular file\n"},
        {"too many colours", {many, "--bits", "8"}, "many.bmp: 400 colours; use --bits 24\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "convert");
        args.insert(args.end(), {"-o", link});
        const test::ToolResult r = RunTool(args, Quick());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.starts_with("pindrel-cli: error: ")) << r.err;
        EXPECT_TRUE(r.err.ends_with(c.err)) << r.err;
        std::ifstream old(target);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
    }
    EXPECT_EQ(OutFiles().size(), 2u); // no temporary file left behind

    const test::ToolResult r = RunTool({"convert", many, "-o", link});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const BmpResult back = LoadBmp(target.string());
    ASSERT_TRUE(back.image) << back.reason;
    EXPECT_EQ(back.image->View().Pixel(19, 3), Color::FromRgb(19, 3, 0));
}

} // namespace
} // namespace pindrel
