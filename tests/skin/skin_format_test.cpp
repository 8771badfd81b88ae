#include <gtest/gtest.h>

#include "skin/skin_format.h"

namespace pindrel {
namespace {

// The names an inspector lists are the keys the format reads, numbered ones for labels only.
TEST(SectionKeyNames, ListsWhatTheFormatReads) {
    for (const SectionInfo& section : kSkinSections) {
        SCOPED_TRACE(section.name);
        const std::vector<std::string> names = SectionKeyNames(section.kind, 2);
        EXPECT_EQ(names.size(), section.keys.size() + (section.numberedKeys ? 4 : 0));
        for (const std::string& name : names)
            EXPECT_TRUE(KeyForm(section.kind, name)) << name;
    }
    const std::vector<std::string> label = SectionKeyNames(SectionKind::Label, 2);
    EXPECT_EQ(std::vector<std::string>(label.end() - 4, label.end()),
              (std::vector<std::string>{"font1", "color1", "font2", "color2"}));
}

} // namespace
} // namespace pindrel
