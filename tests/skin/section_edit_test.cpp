#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "skin/skin_edit.h"
#include "support/edit_check.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::Parsed;
using test::TextOf;

struct Case {
    const char* name;
    std::string_view ini;
    int32_t section;
    std::string_view expected;
};

TEST(RemoveSection, TakesItsCommentsAboveAndBlankLinesAfter) {
    const Case kCases[] = {
        {"LF", "; top\n\n; about A\n[Image]\nfile=a\n\n\n; about B\n[Button]\nx=1\n", 1 - 1,
         "; top\n\n; about B\n[Button]\nx=1\n"},
        {"the lines between its entries go; a comment after them stays",
         "[Image]\r\nfile=a\r\n; in\r\n  \r\ntype=1\r\n; after\r\n\r\n[Label]\r\n", 0,
         "; after\r\n\r\n[Label]\r\n"},
        {"CR, and no line end at the end", "[Label]\rfields=name\r\r[Image]\rfile=a", 1,
         "[Label]\rfields=name\r\r"},
        {"mixed ends, bytes above 0x7f", "[A]\r\nx=\xe9\n; \xff\r[Image]\nfile=\xe9\r\n\n[B]\r", 1,
         "[A]\r\nx=\xe9\n[B]\r"},
        {"one without entries", "[Image]\n[Label]\nfields=name\n", 0, "[Label]\nfields=name\n"},
        {"a single section: every one of its name, not its case variants",
         "[Photo Rect]\nposP=1,1\n[Image]\nfile=a\n[photo rect]\n[Photo Rect]\nposP=2,2", 3,
         "[Image]\nfile=a\n[photo rect]\n"},
        {"of two sections of a name, the one asked for", "[Image]\nfile=a\n[Image]\nfile=a\n", 1,
         "[Image]\nfile=a\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const EditResult r = RemoveSection(Parsed(c.ini), c.section);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(TextOf(r), c.expected);
    }
}

TEST(DuplicateSection, InsertsTheCopyRightAfterIt) {
    const Case kCases[] = {
        {"with the blank lines that part it from the next", "; c\n[Image]\nfile=a\n\n[Label]\n", 0,
         "; c\n[Image]\nfile=a\n\n[Image]\nfile=a\n\n[Label]\n"},
        {"the lines between its entries, duplicate keys and case variants come along",
         "[Image]\r\nfile=a\r\n; in\r\nType=1\r\ntype=2\r\ntype=3\r\n; after\r\n[Label]\r\n", 0,
         "[Image]\r\nfile=a\r\n; in\r\nType=1\r\ntype=2\r\ntype=3\r\n[Image]\r\nfile=a\r\n; "
         "in\r\nType=1\r\ntype=2\r\ntype=3\r\n; after\r\n[Label]\r\n"},
        {"at the end without a line end", "[Label]\rfields=name", 0,
         "[Label]\rfields=name\r[Label]\rfields=name"},
        {"one that does not load", "[Button]\nfile_up=\xe9.bmp\n[Image]\n", 0,
         "[Button]\nfile_up=\xe9.bmp\n[Button]\nfile_up=\xe9.bmp\n[Image]\n"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const EditResult r = DuplicateSection(Parsed(c.ini), c.section);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(TextOf(r), c.expected);
    }
}

TEST(RestackSection, MovesItAmongTheLoadedElementsOfItsKind) {
    // Labels load without pictures; one without "fields" does not load.
    const std::string_view three = "[Label]\nfields=name\n\n; B\n[Label]\nfields=phone\n\n"
                                   "[Image]\n[Label]\n\n[Label]\r\nfields=job";
    const struct {
        const char* name;
        std::string_view ini;
        size_t label;
        size_t to;
        std::string_view expected;
    } kCases[] = {
        {"to the top of its kind: after the last, whatever lies between", three, 0, 2,
         "; B\n[Label]\nfields=phone\n\n[Image]\n[Label]\n\n[Label]\r\nfields=job\r\n"
         "[Label]\nfields=name\n\n"},
        {"to the bottom: before the first; the last line gets the file's line end", three, 2, 0,
         "[Label]\r\nfields=job\r\n[Label]\nfields=name\n\n; B\n[Label]\nfields=phone\n\n[Image]\n"
         "[Label]\n\n"},
        {"one step up", three, 0, 1,
         "; B\n[Label]\nfields=phone\n\n[Label]\nfields=name\n\n[Image]\n[Label]\n\n[Label]\r\n"
         "fields=job"},
        {"where it is: the same bytes", three, 1, 1, three},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const SkinIniFile file = Parsed(c.ini);
        test::TestSkin skin;
        skin.Load(file, {});
        ASSERT_EQ(skin.labels.size(), 3u);
        const EditResult r = RestackSection(file, skin, skin.labels[c.label].section, c.to);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(TextOf(r), c.expected);
        EXPECT_EQ(r.changed, c.ini != c.expected);
    }
}

TEST(SectionEdit, RefusesWhatItCannotDo) {
    const SkinIniFile file = Parsed("[Label]\nfields=name\n[Photo Rect]\n[Label]\n");
    test::TestSkin skin;
    skin.Load(file, {});
    test::TestSkin other;
    other.Load(Parsed("[Image]\n[Label]\nfields=name\n"), {});
    const struct {
        const char* name;
        EditResult result;
    } kCases[] = {
        {"no section to remove", RemoveSection(file, 3)},
        {"a single section has no copy", DuplicateSection(file, 1)},
        {"no section to copy", DuplicateSection(file, -1)},
        {"no place beyond the last", RestackSection(file, skin, 0, 1)},
        {"a single section has no place", RestackSection(file, skin, 1, 0)},
        {"a skin from other bytes", RestackSection(file, other, 0, 0)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.result.ok);
        EXPECT_FALSE(c.result.error.empty());
    }
}

TEST(LoadedSection, CountsTheLoadedElementsAndFindsTheSingleSectionThatCounts) {
    const SkinIniFile file = Parsed("[Label]\n[Label]\nfields=name\n[Photo Rect]\n[Photo Rect]\n");
    test::TestSkin skin;
    skin.Load(file, {});
    EXPECT_EQ(LoadedCount(skin, SectionKind::Label), 1u);
    EXPECT_EQ(LoadedSection(skin, file, SectionKind::Label, 0), 1);
    EXPECT_EQ(LoadedSection(skin, file, SectionKind::Label, 1), -1);
    EXPECT_EQ(LoadedSection(skin, file, SectionKind::PhotoRect, 0), 2);
    EXPECT_EQ(LoadedSection(skin, file, SectionKind::BorderImage, 0), -1);
}

} // namespace
} // namespace pindrel
