#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_edit.h"
#include "support/edit_check.h"

namespace pindrel {
namespace {

using test::Parsed;
using test::TextOf;

struct Case {
    const char* name;
    std::string_view ini;
    int32_t section;
    std::string_view key, value;
    std::string_view expected;
};

void Expect(const Case& c, const EditResult& r) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(TextOf(r), c.expected);
    EXPECT_EQ(r.changed, c.ini != c.expected);
}

TEST(SetKey, ChangesOneValueOrAddsOneLine) {
    const Case kCases[] = {
        {"a value in place: spacing and the rest of the line stay", "[Image]\nfile = a.bmp  \n", 0,
         "file", "b.bmp", "[Image]\nfile = b.bmp  \n"},
        {"the value is trimmed; \"=\" and \";\" are written as given", "[Image]\nfile=a\n", 0,
         "file", " x=y ; z ", "[Image]\nfile=x=y ; z\n"},
        {"the first of duplicate keys, the one that counts", "[Image]\ntype=1\ntype=2\n", 0, "type",
         "3", "[Image]\ntype=3\ntype=2\n"},
        {"the current value: the same bytes", "[Image]\r\ntype = 8 \r", 0, "type", "8",
         "[Image]\r\ntype = 8 \r"},
        {"CR LF: a new line after the last entry, before a comment",
         "[Label]\r\nfields=name\r\n; note\r\n\r\n[Image]\r\n", 0, "hor_align", "2",
         "[Label]\r\nfields=name\r\nhor_align=2\r\n; note\r\n\r\n[Image]\r\n"},
        {"CR", "[Label]\rfields=name\r", 0, "type", "3", "[Label]\rfields=name\rtype=3\r"},
        {"mixed ends: the new line ends as the last entry's does", "[A]\r\nx=1\r\ny=2\n[B]\r\n", 0,
         "z", "3", "[A]\r\nx=1\r\ny=2\nz=3\n[B]\r\n"},
        {"no line end at the end: the last line gets one", "[Image]\r\nfile=a.bmp", 0, "type", "3",
         "[Image]\r\nfile=a.bmp\r\ntype=3"},
        {"a section without entries: after its header", "[Photo Rect]  \n; c\n", 0, "posP", "1,2",
         "[Photo Rect]  \nposP=1,2\n; c\n"},
        {"case variants are other keys", "[Image]\nType=1\n", 0, "type", "2",
         "[Image]\nType=1\ntype=2\n"},
        {"bytes of 0x80 and above stay and may be written", "; \xe9\n[Image]\nfile=\xe9.bmp\n", 0,
         "file", "\xff.bmp", "; \xe9\n[Image]\nfile=\xff.bmp\n"},
        {"a section that does not load", "[Button]\nfile_up=missing.bmp\n[Image]\n", 0, "file_down",
         "b.bmp", "[Button]\nfile_up=missing.bmp\nfile_down=b.bmp\n[Image]\n"},
        {"the second of two sections of a name", "[Image]\nfile=a\n\n[Image]\nfile=a\n", 1, "type",
         "8", "[Image]\nfile=a\n\n[Image]\nfile=a\ntype=8\n"},
        {"lines the reader drops after the last entry stay after the new one",
         "[Image]\nfile=a\ntype=\njunk\n", 0, "border", "1",
         "[Image]\nfile=a\nborder=1\ntype=\njunk\n"},
    };
    for (const Case& c : kCases)
        Expect(c, SetKey(Parsed(c.ini), c.section, c.key, c.value));
}

TEST(SetSingleKey, EditsTheSectionThatCountsOrAppendsIt) {
    const Case kCases[] = {
        {"the first of two", "[Background Color]\ncolor=1,1,1\n[Background Color]\ncolor=2,2,2\n",
         0, "color", "3,3,3", "[Background Color]\ncolor=3,3,3\n[Background Color]\ncolor=2,2,2\n"},
        {"missing: at the end, in the file's line ends", "[Image]\r\nfile=a\r\n", 0, "color",
         "0,0,255", "[Image]\r\nfile=a\r\n[Background Color]\r\ncolor=0,0,255\r\n"},
        {"missing, and no line end at the end", "[Image]\rfile=a", 0, "posP", "1,2",
         "[Image]\rfile=a\r[Photo Rect]\rposP=1,2"},
        {"a case variant of its name is another section", "[background color]\ncolor=1,2,3\n", 0,
         "color", "1,2,3", "[background color]\ncolor=1,2,3\n[Background Color]\ncolor=1,2,3\n"},
    };
    const SectionKind kinds[] = {SectionKind::BackgroundColor, SectionKind::BackgroundColor,
                                 SectionKind::PhotoRect, SectionKind::BackgroundColor};
    for (size_t i = 0; i < std::size(kCases); ++i)
        Expect(kCases[i],
               SetSingleKey(Parsed(kCases[i].ini), kinds[i], kCases[i].key, kCases[i].value));
}

TEST(RemoveKey, RemovesEveryEntryWithItsLineEnd) {
    const Case kCases[] = {
        {"mixed ends; a case variant stays", "[Image]\r\ntype=1\r\nfile=a\ntype=2\rType=3\r\n", 0,
         "type", "", "[Image]\r\nfile=a\nType=3\r\n"},
        {"the last line, without a line end", "[Image]\nfile=a\ntype=1", 0, "type", "",
         "[Image]\nfile=a\n"},
        {"in that section only", "[Image]\ntype=1\n[Image]\ntype=2\n", 1, "type", "",
         "[Image]\ntype=1\n[Image]\n"},
        {"a line the reader drops is no entry", "[Image]\ntype=\n", 0, "type", "",
         "[Image]\ntype=\n"},
    };
    for (const Case& c : kCases)
        Expect(c, RemoveKey(Parsed(c.ini), c.section, c.key));
}

TEST(AddSection, AppendsAnElementSection) {
    const std::vector<KeyValue> button = {{"file_up", "up.bmp"}, {"file_down", " down.bmp "}};
    const std::vector<KeyValue> label = {{"fields", "name"}};
    const Case kCases[] = {
        {"LF", "[Image]\nfile=a\n", 0, "", "",
         "[Image]\nfile=a\n[Button]\nfile_up=up.bmp\nfile_down=down.bmp\n"},
        {"CR LF, no line end at the end", "[Image]\r\nfile=a", 0, "", "",
         "[Image]\r\nfile=a\r\n[Label]\r\nfields=name"},
    };
    Expect(kCases[0], AddSection(Parsed(kCases[0].ini), SectionKind::Button, button));
    Expect(kCases[1], AddSection(Parsed(kCases[1].ini), SectionKind::Label, label));
}

TEST(KeyEdit, RefusesWhatWouldNotReadBack) {
    const SkinIniFile file = Parsed("[Image]\nfile=a\n");
    const std::vector<KeyValue> empty = {{"file", "  "}};
    const struct {
        const char* name;
        EditResult result;
    } kCases[] = {
        {"empty value", SetKey(file, 0, "file", " \t")},
        {"line break in the value", SetKey(file, 0, "file", "a\nb")},
        {"line break in the key", SetKey(file, 0, "fi\rle", "a")},
        {"\"=\" in the key", SetKey(file, 0, "a=b", "c")},
        {"white space around the key", SetKey(file, 0, " file", "a")},
        {"a comment", SetKey(file, 0, ";file", "a")},
        {"a header", SetKey(file, 0, "[file", "a]")},
        {"no section", SetKey(file, 1, "file", "a")},
        {"no section to remove from", RemoveKey(file, -1, "file")},
        {"an element kind is no single section",
         SetSingleKey(file, SectionKind::Image, "file", "a")},
        {"a single kind is no element", AddSection(file, SectionKind::PhotoRect, {})},
        {"an entry of a new section", AddSection(file, SectionKind::Image, empty)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.result.ok);
        EXPECT_FALSE(c.result.error.empty());
    }
}

} // namespace
} // namespace pindrel
