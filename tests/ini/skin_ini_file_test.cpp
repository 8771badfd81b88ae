#include "ini/skin_ini_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace pindrel {
namespace {

using namespace std::literals;

SkinIniFile Parsed(std::string_view text) {
    SkinIniFile f;
    f.Parse({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return f;
}

// "[name]{k=v|k=v}" for every section, so whole models compare as one string.
std::string Dump(const IniFile& f) {
    std::string out;
    for (const auto& s : f.sections) {
        out.append("[").append(s.name).append("]{");
        for (size_t i = 0; i < s.keys.size(); ++i) {
            if (i) out += "|";
            out.append(s.keys[i]).append("=").append(s.values[i]);
        }
        out += "}";
    }
    return out;
}

struct SyntaxCase {
    const char* name;
    std::string_view text;
    const char* model;
};

TEST(SkinIniFile, SyntaxRules) {
    const SyntaxCase cases[] = {
        {"header only", "[Label]", "[Label]{}"},
        {"entries before any header dropped", "a=1\n[S]\nb=2", "[S]{b=2}"},
        {"name kept untrimmed", "[ Label ]", "[ Label ]{}"},
        {"header with trailing text is no header", "[A]\nx=1\n[Label] ; note\ny=2", "[A]{x=1|y=2}"},
        {"comment header", "; [Label]\n[S]", "[S]{}"},
        {"equals in name", "[a=b]", "[a=b]{}"},
        {"empty name", "[]", "[]{}"},
        {"lone brackets dropped", "[\n]\n[S]\n[\n]", "[S]{}"},
        {"trimmed key and value", "[S]\n  key   =   value  ", "[S]{key=value}"},
        {"value keeps further equals", "[S]\na=b=c", "[S]{a=b=c}"},
        {"no key or no value stores nothing", "[S]\n=x\n=x=y\nkey=\nkey =   \nnoequals", "[S]{}"},
        {"semicolon inside value", "[S]\ncolor=255,0,0 ; red", "[S]{color=255,0,0 ; red}"},
        {"duplicates kept", "[S]\na=1\na=2\n[S]\na=3", "[S]{a=1|a=2}[S]{a=3}"},
        {"quotes are ordinary", "[S]\n\"k\"=\"v\"", "[S]{\"k\"=\"v\"}"},
        {"tab and vertical white space trimmed", "\t[S]\v\n\fa\t=\tb\f", "[S]{a=b}"},
        {"high bytes are not white space", "[S]\n\xA0k=v\xA0", "[S]{\xA0k=v\xA0}"},
        {"comment after white space", "[S]\n   ; a=b", "[S]{}"},
        {"utf-16 yields no section", "\xFF\xFE[\0S\0]\0\n\0"sv, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Dump(Parsed(c.text)), c.model);
    }
}

TEST(SkinIniFile, LineEndsGiveTheSameModel) {
    const std::string expected = "[A]{x=1|y=2}[B]{z=3}";
    for (const char* text : {"[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n", "[A]\nx=1\ny=2\n[B]\nz=3",
                             "[A]\rx=1\ry=2\r[B]\rz=3", "[A]\n\rx=1\r\n\n\ny=2\r\r[B]\n\r\nz=3",
                             "\n\n  \t\n[A]\n   \nx=1\ny=2\n[B]\n\nz=3\n\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Dump(Parsed(text)), expected);
    }
}

TEST(SkinIniFile, KeepsLineNumbersBesideTheModel) {
    const SkinIniFile f = Parsed("junk\r\n[A]\r\n\r\nx=1\n\n[B]\ry=2\rnonsense\n;c\nz=3");
    ASSERT_EQ(f.sectionLines.size(), 2u);
    EXPECT_EQ(f.sectionLines[0].header, 2);
    EXPECT_TRUE(std::ranges::equal(f.sectionLines[0].entries, std::vector<int32_t>{4}));
    EXPECT_EQ(f.sectionLines[1].header, 6);
    EXPECT_TRUE(std::ranges::equal(f.sectionLines[1].entries, std::vector<int32_t>{7, 10}));
    ASSERT_EQ(f.droppedLines.size(), 2u);
    EXPECT_EQ(f.droppedLines[0].line, 1);
    EXPECT_TRUE(f.droppedLines[0].beforeSection);
    EXPECT_EQ(f.droppedLines[1].line, 8);
    EXPECT_EQ(f.droppedLines[1].text, "nonsense");
    EXPECT_FALSE(f.droppedLines[1].beforeSection);
}

TEST(SkinIniFile, Lookups) {
    const SkinIniFile f = Parsed("[Image]\nfile=a\nfile=b\n[Label]\n[Image]\nfile=c");
    EXPECT_EQ(f.FindSection("Image", 0), 0);
    EXPECT_EQ(f.FindSection("Image", 1), 2);
    EXPECT_EQ(f.FindSection("Image", 3), -1);
    EXPECT_EQ(f.FindSection("image", 0), -1);
    EXPECT_EQ(f.FindSection("Label", 3), -1);
    EXPECT_EQ(f.GetValue(0, "file"), "a");
    EXPECT_EQ(f.GetValue(2, "file"), "c");
    EXPECT_EQ(f.GetValue(0, "File"), "");
    EXPECT_EQ(f.GetValue(-1, "file"), "");
    EXPECT_EQ(f.GetValue(3, "file"), "");
    EXPECT_EQ(f.GetValue(1, "file"), "");
}

TEST(SkinIniFile, LoadReadsRegularFilesOnly) {
    test::TempDir dir;
    const std::string good = dir.Write("skin.ini", "[Label]\nfields=name\n");
    const std::string empty = dir.Write("empty.ini", "");
    const std::string fifo = (dir.Path() / "pipe.ini").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    SkinIniFile f;
    ASSERT_TRUE(f.Load(good));
    EXPECT_EQ(f.sections.size(), 1u);
    for (const std::string& bad :
         {empty, fifo, dir.Path().string(), (dir.Path() / "missing.ini").string(),
          std::string("/dev/zero"), std::string()}) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(f.Load(good));
        EXPECT_FALSE(f.Load(bad));
        EXPECT_TRUE(f.sections.empty()); // a failed load leaves the reader empty
        EXPECT_EQ(f.FindSection("Label", 0), -1);
    }
}

TEST(SkinIniFile, MovedReaderKeepsItsTexts) {
    // The model points into the reader's own copy of the file; tiny files included.
    for (const char* text : {"[S]\na=b", "[Section]\nkey=a rather longer value than SSO holds"}) {
        SCOPED_TRACE(text);
        SkinIniFile moved = Parsed(text);
        const std::string before = Dump(moved);
        SkinIniFile target = std::move(moved);
        EXPECT_EQ(Dump(target), before);
        std::vector<SkinIniFile> many;
        for (int i = 0; i < 20; ++i)
            many.push_back(Parsed(text)); // regrowth moves them
        for (const SkinIniFile& f : many)
            EXPECT_EQ(Dump(f), before);
    }
}

TEST(SkinIniFile, EmptyBytesParseToNothing) {
    SkinIniFile f = Parsed("[S]\na=b");
    f.Parse(std::span<const uint8_t>{}); // a null data pointer
    EXPECT_TRUE(f.sections.empty());
}

TEST(SkinIniFile, FileWithoutHeadersLoads) {
    test::TempDir dir;
    SkinIniFile f;
    EXPECT_TRUE(f.Load(dir.Write("c.ini", "; only a comment\nkey=value\n")));
    EXPECT_TRUE(f.sections.empty());
}

} // namespace
} // namespace pindrel
