#include <gtest/gtest.h>

#include <string>

#include "ini/skin_ini_file.h"
#include "skin/key_values.h"

namespace pindrel {
namespace {

SkinIniFile Parse(std::string_view text) {
    SkinIniFile f;
    f.Parse(std::vector<uint8_t>(text.begin(), text.end()));
    return f;
}

TEST(KeyValues, WrittenAsSkinsWriteThem) {
    EXPECT_EQ(ColorValue(Color::FromRgb(255, 0, 128)), "255,0,128");
    EXPECT_EQ(PairValue(-3, 40), "-3,40");
    FontSpec f;
    f.face = " Deja,Vu Sans\n";
    f.size = 11;
    f.bold = true;
    EXPECT_EQ(FontValue(f), "11,DejaVu Sans,1,0");
}

TEST(KeyValues, LabelFieldsKeepTheirFontsAndColours) {
    const SkinIniFile file = Parse("[Label]\nfields=name, phone ,time\nfont1=12,A\ncolor1=1,1,1\n"
                                   "font3=8,C\ncolor2=2,2,2\n");
    using C = std::vector<KeyChange>;
    const struct {
        const char* name;
        std::vector<std::string> names;
        std::vector<size_t> from;
        C changes;
    } cases[] = {
        {"nothing moves", {"name", "phone", "time"}, {1, 2, 3}, {}},
        {"one added at the end",
         {"name", "phone", "time", "nick"},
         {1, 2, 3, 0},
         {{"fields", "name,phone,time,nick"}}},
        {"the first removed",
         {"phone", "time"},
         {2, 3},
         {{"fields", "phone,time"},
          {"font1", std::nullopt},
          {"font2", "8,C"},
          {"font3", std::nullopt},
          {"color1", "2,2,2"},
          {"color2", std::nullopt}}},
        {"two swapped",
         {"phone", "name", "time"},
         {2, 1, 3},
         {{"fields", "phone,name,time"},
          {"font1", std::nullopt},
          {"font2", "12,A"},
          {"color1", "2,2,2"},
          {"color2", "1,1,1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LabelFieldChanges(file, 0, c.names, c.from), c.changes);
    }
}

} // namespace
} // namespace pindrel
