#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "skin/font_cache.h"
#include "skin/lint.h"
#include "support/bmp_writer.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::TempDir;

// Placement that is on-screen and sized in all three orientations.
constexpr std::string_view kPlaced = "posP=0,0\nsizeP=100,20\nposL=0,0\nsizeL=100,20\n"
                                     "posQ=0,0\nsizeQ=100,20\n";

class Lint : public ::testing::Test {
protected:
    Lint() {
        dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
        dir.Write("b.bmp", test::SolidBmp24(20, 12, Color::FromRgb(0, 255, 0)));
        dir.Write("Cap.bmp", test::SolidBmp24(20, 10, Color::FromRgb(0, 0, 255)));
        dir.Write("border.bmp", test::SolidBmp24(30, 30, Color::FromRgb(9, 9, 9)));
        dir.Write("not.bmp", std::string_view("BA this is no bitmap"));
        dir.Write("v5.bmp", test::WriteBmp(test::BmpFile().InfoSize(124).Bits(32, 3)));
        dir.Write("shot.png", std::string_view("\x89PNG\r\n\x1a\n and the rest"));
    }
    std::vector<LintFinding> Run(std::string_view ini) {
        path = dir.Write("skin.ini", ini);
        return LintSkin(path);
    }

    TempDir dir;
    std::string path;
};

std::string Dump(const std::vector<LintFinding>& findings) {
    std::string s;
    for (const LintFinding& f : findings)
        s += FormatFinding(f) + "\n";
    return s;
}

TEST_F(Lint, CleanSkinHasNoFindings) {
    const std::string ini = "; a comment\n[Background Color]\ncolor=0,0,64\n"
                            "[Border Image]\nfile=border.bmp\n"
                            "[Photo Rect]\nposP=10,10\nsizeP=100,100\n"
                            "[Image]\nfile=a.bmp\nborder=1\ntransp_color=255,0,0\n"
                            "[Button]\nfile_up=a.bmp\nfile_down=a.bmp\nid=3\n"
                            "[Label]\nfields=name, phone\nfont1=12,Tahoma,1\ncolor2=255,255,255\n" +
                            std::string(kPlaced) + "[Notes]\nauthor=me\n";
    const auto findings = Run(ini);
    EXPECT_TRUE(findings.empty()) << Dump(findings);
}

TEST_F(Lint, EachFindingOnItsLine) {
    struct Case {
        const char* name;
        std::string ini;
        int32_t line;
        bool error;
        const char* text;
    };
    const std::string label = "[Label]\nfields=name\n" + std::string(kPlaced);
    const Case cases[] = {
        {"line without =", "[Image]\nfile=a.bmp\ngarbage\n", 3, false, "no \"=\" in this line"},
        {"header with trailing text", "[Image] ; logo\nfile=a.bmp\n", 1, false, "text after \"]\""},
        {"entry without key", "[Image]\nfile=a.bmp\n=5\n", 3, false, "entry without a key"},
        {"key without value", "[Image]\nfile=a.bmp\ntype=\n", 3, false, "\"type\" has no value"},
        {"entry before any section", "color=1,2,3\n[Background Color]\ncolor=1,2,3\n", 1, false,
         "entry \"color\" before any section"},
        {"section name case", "[label]\nfields=name\n", 1, true, "section [label] is not [Label]"},
        {"section name spacing", "[ Image ]\nfile=a.bmp\n", 1, true,
         "section [ Image ] is not [Image]"},
        {"section name typo", "[Imgae]\nfile=a.bmp\n", 1, false,
         "unknown section [Imgae] (did you mean [Image]?)"},
        {"second single section", "[Background Color]\ncolor=1,2,3\n[Background Color]\n", 3, false,
         "second [Background Color] section is ignored (the first is at line 1)"},
        {"unknown key", "[Image]\nfile=a.bmp\nposp=1,2\n", 3, false,
         "unknown key \"posp\" in [Image] (did you mean \"posP\"?)"},
        {"unknown label key", label + "Font1=12\n", 9, false,
         "unknown key \"Font1\" in [Label] (did you mean \"font1\"?)"},
        {"duplicate key", "[Image]\nfile=a.bmp\ntype=1\ntype=2\n", 4, false,
         "\"type\" given again in [Image]; the first (line 3) counts"},
        {"integer not a number", "[Image]\nfile=a.bmp\ntype=abc\n", 3, false,
         "\"type\" value \"abc\" is not a number; it reads as 0"},
        {"integer with suffix", "[Image]\nfile=a.bmp\nborder=2px\n", 3, false, "it reads as 2"},
        {"alignment out of range", label + "hor_align=5\n", 9, false,
         "\"hor_align\" 5 counts as left"},
        {"mask of no call type", "[Image]\nfile=a.bmp\ntype=32\n", 3, false,
         "shows the element under no call type"},
        {"position of one number", "[Image]\nfile=a.bmp\nposP=10\n", 3, false,
         "\"posP\" needs two numbers \"x,y\"; ignored"},
        {"colour of two numbers", "[Image]\nfile=a.bmp\ntransp_color=255,0\n", 3, false,
         "\"transp_color\" needs three numbers"},
        {"colour out of range", label + "color1=300,0,0\n", 9, false,
         "item 300 is outside 0..255; it reads as 44"},
        {"font without size", label + "font1=,Tahoma\n", 9, false,
         "\"font1\" size \"Tahoma\" is not a number; it reads as 0"},
        {"empty field item", "[Label]\nfields=name,,phone\n" + std::string(kPlaced), 2, false,
         "\"fields\" has an empty item"},
        {"font key beyond the fields", label + "font2=12\n", 9, false,
         "\"font2\" matches no item of \"fields\" (it has 1)"},
        {"field name case, none left", "[Label]\nfields=Name\n" + std::string(kPlaced), 2, true,
         "\"Name\" is not a caller field (did you mean \"name\"?); the label shows nothing"},
        {"field name unknown, others left", "[Label]\nfields=name,fax\n" + std::string(kPlaced), 2,
         false, "\"fax\" is not a caller field"},
        {"label without fields", "[Label]\ntype=1\n", 1, true,
         "[Label] has no \"fields\"; label dropped"},
        {"missing bitmap", "[Image]\nfile=missing.bmp\n", 2, true,
         "cannot load \"missing.bmp\": cannot open file (status -1); no image"},
        {"bitmap of another format", "[Image]\nfile=not.bmp\n", 2, true, "(status -2)"},
        {"bitmap with colour-space information", "[Image]\nfile=v5.bmp\n", 2, true,
         "v5.bmp has a 124-byte header (colour-space information), which skins cannot use (no "
         "image); save it without colour-space information or run: pindrel-cli convert v5.bmp -o "
         "v5.bmp"},
        {"PNG named in a skin", "[Button]\nfile_up=shot.png\nfile_down=a.bmp\n", 2, true,
         "shot.png is not a BMP but a PNG picture, which skins cannot use (button dropped); run: "
         "pindrel-cli convert shot.png -o shot.bmp and name shot.bmp in the skin"},
        {"PNG drawn with a key colour", "[Image]\nfile=shot.png\ntransp_color=255,0,255\n", 2, true,
         "run: pindrel-cli convert shot.png -o shot.bmp --key 255,0,255 and name shot.bmp"},
        {"bitmap name case", "[Image]\nfile=cap.bmp\n", 2, true,
         "cannot load \"cap.bmp\" (did you mean \"Cap.bmp\"? names are case-sensitive here)"},
        {"backslash in name", "[Image]\nfile=art\\a.bmp\n", 2, true, "(use \"/\" between folders)"},
        {"default background name", "[Background Image]\ntype=1\n", 1, true,
         "cannot load \"bgr.bmp\""},
        {"image without file", "[Image]\nposP=1,1\n", 1, true,
         "[Image] has no \"file\"; image dropped"},
        {"button without down picture", "[Button]\nfile_up=a.bmp\n", 1, true,
         "[Button] has no \"file_down\"; button dropped"},
        {"button pictures differ", "[Button]\nfile_up=a.bmp\nfile_down=b.bmp\n", 3, false,
         "down picture is 20x12 but the up picture is 20x10"},
        {"colour key on a resized image",
         "[Image]\nfile=a.bmp\nposP=0,0\nsizeP=40,10\nposL=0,0\ntransp_color=255,0,255\n", 6, false,
         "\"transp_color\" cannot apply in Portrait: the rectangle is not the picture's "
         "size (20x10)"},
        {"colour key of no pixel", "[Image]\nfile=a.bmp\ntransp_color=255,0,255\n", 3, false,
         "\"transp_color\" 255,0,255 matches no pixel of \"a.bmp\": nothing is keyed out"},
        {"colour key of no pixel of either button picture",
         "[Button]\nfile_up=a.bmp\nfile_down=a.bmp\ntransp_color=0,0,1\n", 4, false,
         "matches no pixel of \"a.bmp\" or \"a.bmp\""},
        {"label without an orientation",
         "[Label]\nfields=name\nposP=0,0\nsizeP=10,10\nposQ=0,0\nsizeQ=10,10\n", 1, false,
         "label has no \"posL\"; not drawn in Landscape"},
        {"label without size",
         "[Label]\nfields=name\nposP=0,0\nsizeP=10,10\nposL=0,0\nposQ=0,0\nsizeQ=10,10\n", 5, false,
         "label has no size in Landscape (\"sizeL\")"},
        {"image off-screen", "[Image]\nfile=a.bmp\nposP=0,300\n", 3, false,
         "image \"a.bmp\" is wholly off-screen in Landscape (at 0,300, 20x10) (placed by "
         "\"posP\")"},
        {"image of negative size", "[Image]\nfile=a.bmp\nposP=0,0\nsizeP=-5,10\n", 3, false,
         "has an empty rectangle in Portrait (-5x10)"},
        {"photo rectangle without position", "[Photo Rect]\nsizeP=10,10\n", 1, false,
         "[Photo Rect] has no position"},
        {"substituted font", label + "font1=9,No Such Face Pindrel\n", 9, false,
         "font face \"No Such Face Pindrel\" is not installed"},
        {"substituted font of a known package", label + "font1=9,comic sans ms\n", 9, false,
         "is not installed; \"DejaVu Sans\" stands in (the ttf-mscorefonts-installer package "
         "provides it)"},
        {"border image keys", "[Border Image]\nfile=border.bmp\nposP=1,1\n", 3, false,
         "\"posP\" plays no part in [Border Image]"},
        {"border without border image", "[Image]\nfile=a.bmp\nborder=1\n", 3, false,
         "\"border\" is set but there is no border image"},
        {"background colour without colour", "[Background Color]\ncolour=1,2,3\n", 1, false,
         "[Background Color] has no \"color\"; white is used"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto findings = Run(c.ini);
        const bool found = std::any_of(findings.begin(), findings.end(), [&](const LintFinding& f) {
            return f.line == c.line && f.error == c.error &&
                   f.text.find(c.text) != std::string::npos && f.file == path;
        });
        EXPECT_TRUE(found) << "line " << c.line << (c.error ? " error: " : " warning: ") << c.text
                           << "\ngot:\n"
                           << Dump(findings);
    }
}

// Silent where the key finds a pixel in either of a button's pictures, or cannot act at all
// (which another finding says).
TEST_F(Lint, ColourKeyOfNoPixelOnlyWhereItCouldAct) {
    dir.Write("dot.bmp", test::Bmp24(20, 10, [](int32_t x, int32_t y) {
                  return x == 19 && y == 9 ? Color::FromRgb(255, 0, 255) : kWhite;
              }));
    const std::string cases[] = {
        "[Button]\nfile_up=a.bmp\nfile_down=dot.bmp\ntransp_color=255,0,255\n",
        "[Image]\nfile=a.bmp\ntransp_color=255,0,255\n" + std::string(kPlaced),
        "[Image]\nfile=a.bmp\nposP=0,400\nposL=0,400\nposQ=0,400\ntransp_color=1,2,3\n",
    };
    for (const std::string& ini : cases) {
        SCOPED_TRACE(ini);
        const auto findings = Run(ini);
        EXPECT_TRUE(std::none_of(findings.begin(), findings.end(), [](const LintFinding& f) {
            return f.rule == LintRule::ColourKeyMatchesNothing;
        })) << Dump(findings);
    }
}

// The first findings by line, whatever order the checks find them in, and how many there were.
TEST_F(Lint, FirstFindingsOnlyWhenAskedFor) {
    std::string ini = "garbage\n[Image]\nfile=missing.bmp\nbogus=1\nbogus=2\n";
    for (int i = 0; i < 40; ++i)
        ini += "[Image]\nfile=not.bmp\nposp=1,2\njunk line\n";
    const std::vector<LintFinding> all = Run(ini);
    ASSERT_GT(all.size(), 100u);
    for (const size_t n :
         {size_t{0}, size_t{1}, size_t{3}, size_t{7}, size_t{50}, all.size(), all.size() + 5}) {
        SCOPED_TRACE(n);
        const LintSummary first = LintSkinFirst(path, n);
        EXPECT_EQ(first.total, all.size());
        const std::vector<LintFinding> prefix(all.begin(), all.begin() + std::min(n, all.size()));
        EXPECT_EQ(first.findings, prefix);
    }
    const LintSummary unreadable = LintSkinFirst((dir.Path() / "gone.ini").string(), 0);
    EXPECT_EQ(unreadable.total, 1u);
    EXPECT_TRUE(unreadable.findings.empty());
}

TEST_F(Lint, UnreadableSkinIsOneErrorOnLineZeroWithItsReason) {
    std::filesystem::create_symlink("nowhere.ini", dir.Path() / "dangling.ini");
    std::filesystem::create_symlink("loop.ini", dir.Path() / "loop.ini");
    const std::pair<std::string, const char*> cases[] = {
        {(dir.Path() / "missing.ini").string(), "cannot read the skin file: no such file"},
        {dir.Path().string(), "cannot read the skin file: is a directory"},
        {dir.Write("empty.ini", std::string_view("")), "cannot read the skin file: empty file"},
        {(dir.Path() / "dangling.ini").string(),
         "cannot read the skin file: dangling symbolic link"},
        {(dir.Path() / "loop.ini").string(), "cannot read the skin file: symbolic link loop"},
        {(dir.Path() / std::string(5000, 'n')).string(),
         "cannot read the skin file: file name too long"},
    };
    for (const auto& [p, text] : cases) {
        SCOPED_TRACE(p);
        const auto findings = LintSkin(p);
        ASSERT_EQ(findings.size(), 1u);
        EXPECT_EQ(findings[0].line, 0);
        EXPECT_TRUE(findings[0].error);
        EXPECT_EQ(findings[0].text, text);
    }
}

TEST_F(Lint, BitmapsThatAreNoFilesAreErrorsWithoutHints) {
    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.bmp").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path() / "folder.bmp");
    std::filesystem::create_symlink("gone.bmp", dir.Path() / "dangling.bmp");
    std::filesystem::create_symlink("loop.bmp", dir.Path() / "loop.bmp");
    const std::string locked = dir.Write("locked.bmp", test::SolidBmp24(2, 2, kWhite));
    ::chmod(locked.c_str(), 0);
    const auto findings = Run("[Image]\nfile=pipe.bmp\n[Image]\nfile=folder.bmp\n"
                              "[Image]\nfile=dangling.bmp\n[Image]\nfile=loop.bmp\n"
                              "[Image]\nfile=locked.bmp\n");
    const std::vector<std::string> reasons = {"not a regular file", "not a regular file",
                                              "dangling symbolic link", "symbolic link loop",
                                              // Permissions do not stop the superuser.
                                              ::geteuid() == 0 ? "" : "permission denied"};
    ASSERT_EQ(findings.size(), reasons.size() - (reasons.back().empty() ? 1 : 0)) << Dump(findings);
    for (size_t i = 0; i < findings.size(); ++i) {
        const LintFinding& f = findings[i];
        EXPECT_TRUE(f.error);
        EXPECT_NE(f.text.find(": " + reasons[i] + " (status -1)"), std::string::npos) << f.text;
        EXPECT_EQ(f.text.find("did you mean"), std::string::npos) << f.text;
    }
}

TEST_F(Lint, FindingsComeInLineOrder) {
    // Structure findings are gathered before element findings; the result is still by line.
    const auto findings = Run("[Image]\nfile=missing.bmp\n[Image]\nfile=a.bmp\nbogus=1\n");
    ASSERT_EQ(findings.size(), 2u) << Dump(findings);
    EXPECT_EQ(findings[0].line, 2);
    EXPECT_EQ(findings[1].line, 5);
}

TEST_F(Lint, BitmapsResolveAgainstTheSkinFolderWhateverTheCurrentDirectory) {
    TempDir elsewhere;
    test::ScopedCurrentDir cwd(elsewhere.Path());
    dir.Write("sub/c.bmp", test::SolidBmp24(4, 4, kWhite));
    const auto findings = Run("[Image]\nfile=a.bmp\n[Image]\nfile=sub/c.bmp\n");
    EXPECT_TRUE(findings.empty()) << Dump(findings);
}

TEST_F(Lint, RepeatedBitmapsAndManyFacesStayBounded) {
    // A bitmap is decoded once however many sections name it; each section still hears of it.
    const auto missing = Run("[Image]\nfile=gone.bmp\n[Image]\nfile=./gone.bmp\n"
                             "[Button]\nfile_up=gone.bmp\nfile_down=a.bmp\n");
    ASSERT_EQ(missing.size(), 3u) << Dump(missing);
    EXPECT_EQ(missing[1].line, 4);
    EXPECT_EQ(missing[2].line, 6);
    EXPECT_EQ(missing[0].text.substr(0, 30), missing[2].text.substr(0, 30));

    // Only as many distinct faces are looked up as a font cache holds.
    std::string ini = "[Label]\n" + std::string(kPlaced) + "fields=name";
    std::string fonts;
    for (size_t i = 1; i <= kMaxCachedFonts + 6; ++i) {
        ini += ",name";
        fonts += "font" + std::to_string(i) + "=9,No Such Face Pindrel " + std::to_string(i) + "\n";
    }
    size_t substituted = 0;
    for (const LintFinding& f : Run(ini + "\n" + fonts))
        substituted += f.text.find("is not installed") != std::string::npos;
    EXPECT_EQ(substituted, kMaxCachedFonts);
}

TEST_F(Lint, ElementsPastTheBitmapBudgetAreErrors) {
    // The loader takes the images before the buttons, so the button that comes first in the file
    // is the one that passes a budget one byte short of the whole.
    const std::string a = (dir.Path() / "a.bmp").string();
    const std::string b = (dir.Path() / "b.bmp").string();
    const std::string ini = "[Button]\nfile_up=" + a + "\nfile_down=" + a + "\n[Image]\nfile=" + a +
                            "\n[Image]\nfile=" + b + "\n";
    path = dir.Write("skin.ini", ini);
    test::TestSkin whole;
    ASSERT_TRUE(whole.Load(path));
    ASSERT_EQ(whole.buttons.size(), 1u);
    const uint64_t all =
        whole.images[0].loadBytes + whole.images[1].loadBytes + whole.buttons[0].loadBytes;
    EXPECT_TRUE(LintSkin(path, all).empty());

    const auto findings = LintSkin(path, all - 1);
    ASSERT_EQ(findings.size(), 1u) << Dump(findings);
    EXPECT_TRUE(findings[0].error);
    EXPECT_EQ(findings[0].line, 1);
    EXPECT_NE(findings[0].text.find("button"), std::string::npos) << findings[0].text;
    test::TestSkin cut;
    cut.maxBitmapBytes = all - 1;
    ASSERT_TRUE(cut.Load(path));
    EXPECT_EQ(cut.images.size(), 2u);
    EXPECT_TRUE(cut.buttons.empty());
}

TEST_F(Lint, FormatsLikeACompiler) {
    EXPECT_EQ(FormatFinding({"s.ini", 12, false, "unknown key"}), "s.ini:12: warning: unknown key");
    EXPECT_EQ(FormatFinding({"s.ini", 3, true, "dropped"}), "s.ini:3: error: dropped");
}

TEST_F(Lint, HostileInputStaysBounded) {
    // A long key gets no suggestion search and a shortened quote.
    const std::string longKey(100000, 'k');
    const auto findings = Run("[Image]\nfile=a.bmp\n" + longKey + "=1\n");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_LT(findings[0].text.size(), 200u);
}

} // namespace
} // namespace pindrel
