#include <cstring>

#include <gtest/gtest.h>

#include "ini/skin_ini_file.h"

namespace pindrel {
namespace {

// One section "S" with "v=<value>" (no entry when value is empty).
SkinIniFile WithValue(std::string_view value) {
    std::string text = "[S]\n";
    if (!value.empty()) text += "v=" + std::string(value) + "\n";
    SkinIniFile f;
    f.Parse({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return f;
}

TEST(ParseSkinInt, NumberSyntax) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"12px", 12},
        {"-7", -7},
        {"+5", 5},
        {"0x1F", 0},
        {"1.9", 1},
        {"word", 0},
        {"", 0},
        {"  \t 42", 42},
        {"- 3", 0},
        {"+-3", 0},
        {"12,5", 12},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},
        {"4294967295", -1},
        {"4294967296", 0},
        {"-2147483648", INT32_MIN},
        {"99999999999999999999", 1661992959},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseSkinInt(c.text), c.expected);
    }
}

TEST(SkinIniReaders, StringAndInt) {
    EXPECT_EQ(WithValue("").GetString(0, "v", "def"), "def");
    EXPECT_EQ(WithValue("a, b = c").GetString(0, "v", "def"), "a, b = c");
    EXPECT_EQ(WithValue("x").GetString(-1, "v", "def"), "def");
    EXPECT_EQ(WithValue("").GetInt(0, "v", 255), 255);
    EXPECT_EQ(WithValue("abc").GetInt(0, "v", 255), 0); // present, so not the default
    EXPECT_EQ(WithValue("12,5").GetInt(0, "v", 255), 12);
    EXPECT_EQ(WithValue("7").GetInt(-1, "v", -1), -1);
}

TEST(SkinIniReaders, List) {
    const struct {
        const char* value;
        std::vector<std::string> items;
    } cases[] = {
        {"1,,2", {"1", "2"}},   {"a , b ,c", {"a", "b", "c"}},
        {" , ,, ", {}},         {"1,2,", {"1", "2"}},
        {",1", {"1"}},          {"", {}},
        {"single", {"single"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        std::vector<std::string> list = {"stale"};
        EXPECT_EQ(WithValue(c.value).GetList(0, "v", list), static_cast<int32_t>(c.items.size()));
        EXPECT_EQ(list, c.items);
    }
}

TEST(SkinIniReaders, Pair) {
    const struct {
        const char* value;
        bool ok;
        Point pair;
    } cases[] = {
        {"10", false, {0, 0}},      {"10,20,30", true, {10, 20}}, {"x,5", true, {0, 5}},
        {"10,,20", true, {10, 20}}, {"", false, {0, 0}},          {"-4, +6", true, {-4, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Point p{99, 99};
        EXPECT_EQ(WithValue(c.value).GetPair(0, "v", p), c.ok);
        EXPECT_EQ(p, c.pair);
    }
}

TEST(SkinIniReaders, Rect) {
    const auto parse = [](std::string_view text) {
        SkinIniFile f;
        f.Parse({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        return f;
    };
    const Rect preset{1, 2, 3, 4};
    const struct {
        const char* name;
        const char* text;
        bool ok;
        Rect rect;
    } cases[] = {
        {"position and size", "[S]\np=10,20\ns=30,40", true, {10, 20, 40, 60}},
        {"no size", "[S]\np=10,20", true, {10, 20, 10, 20}},
        {"size of one item", "[S]\np=10,20\ns=30", true, {10, 20, 10, 20}},
        {"no position keeps preset", "[S]\ns=30,40", false, preset},
        {"negative size not normalised", "[S]\np=10,20\ns=-30,-5", true, {10, 20, -20, 15}},
        {"sum wraps", "[S]\np=2147483647,0\ns=1,1", true, {INT32_MAX, 0, INT32_MIN, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rect r = preset;
        EXPECT_EQ(parse(c.text).GetRect(0, "p", "s", r), c.ok);
        EXPECT_EQ(r, c.rect);
    }
}

TEST(SkinIniReaders, Color) {
    const Color preset(0x123456);
    const struct {
        const char* value;
        bool ok;
        Color color;
    } cases[] = {
        {"255,128,0", true, Color(0x0080FF)}, {"300,0,0", true, Color(44)},
        {"-1,0,0", true, Color(255)},         {"255,0", false, preset},
        {"1,2,3,4", true, Color(0x030201)},   {"0xFF00FF", false, preset},
        {"0,0,255", true, Color(0xFF0000)},   {"", false, preset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Color color = preset;
        EXPECT_EQ(WithValue(c.value).GetColor(0, "v", color), c.ok);
        EXPECT_EQ(color, c.color);
    }
}

TEST(SkinIniReaders, FontSpecFillsOnlyPresentItems) {
    const struct {
        const char* value;
        bool ok;
        int32_t size;
        const char* face;
        bool bold, italic;
    } cases[] = {
        {"10", true, 10, "Tahoma", false, false},
        {"10,Arial", true, 10, "Arial", false, false},
        {"10,Arial,2,0", true, 10, "Arial", true, false},
        {"14, Arial, 1, 1, junk", true, 14, "Arial", true, true},
        {",Arial", true, 0, "Tahoma", false,
         false}, // the empty item is dropped: "Arial" is the size
        {"", false, 9, "Tahoma", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        int32_t size = 9;
        bool bold = false, italic = false;
        std::string face = "Tahoma";
        EXPECT_EQ(WithValue(c.value).GetFontSpec(0, "v", size, face, bold, italic), c.ok);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(face, c.face);
        EXPECT_EQ(bold, c.bold);
        EXPECT_EQ(italic, c.italic);
    }
}

TEST(SkinIniReaders, NumberedValuesMatchTheKeyByKeyLookup) {
    const char* text = "[S]\nfont2=b\nfont1=a\nfont1=second\nfont01=zero\nfont4=beyond\n"
                       "font=bare\nfont3x=junk\nFont3=case\nfont 3=blank\ncolor3=c\n"
                       "font18446744073709551617=wrapped\n[T]\nfont3=other";
    SkinIniFile f;
    f.Parse({reinterpret_cast<const uint8_t*>(text), std::strlen(text)});
    for (const int32_t section : {0, 1, -1, 2}) {
        SCOPED_TRACE(section);
        const std::vector<std::string_view> values = f.FindNumberedValues(section, "font", 3);
        ASSERT_EQ(values.size(), 3u);
        for (size_t n = 1; n <= 3; ++n)
            EXPECT_EQ(values[n - 1], f.FindValue(section, "font" + std::to_string(n)));
    }
    EXPECT_EQ(f.FindNumberedValues(0, "font", 3), (std::vector<std::string_view>{"a", "b", ""}));
}

} // namespace
} // namespace pindrel
