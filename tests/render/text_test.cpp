#include "render/text_draw.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/font.h"
#include "render/text_decode.h"
#include "render/text_layout.h"

namespace pindrel {
namespace {

constexpr Color kPaper = Color::FromRgb(250, 240, 230);
constexpr Color kInkColor = Color::FromRgb(20, 40, 160);

// Every test measures against the font's own metrics and advances, so any face will do; the
// skins' default face is the one asked for.
Font& TestFont() {
    static const std::unique_ptr<Font> font = CreateFont({"Tahoma", -12, 400, false});
    return *font;
}

int64_t Advance(Font& font, std::string_view text) {
    int64_t w = 0;
    for (size_t p = 0; p < text.size();) {
        const DecodedChar d = DecodeChar(text, p);
        w += font.GetGlyph(d.codepoint).advance;
        p += d.length;
    }
    return w;
}

Canvas Paper(int32_t w, int32_t h) {
    Canvas c(w, h);
    FillRect(c.View(), c.Bounds(), kPaper);
    return c;
}

// The bounding box of the pixels that differ from the paper, within `area`.
std::optional<Rect> InkBox(const Canvas& c, const Rect& area) {
    std::optional<Rect> box;
    for (int32_t y = std::max(area.top, 0); y < std::min(area.bottom, c.Height()); ++y)
        for (int32_t x = std::max(area.left, 0); x < std::min(area.right, c.Width()); ++x) {
            if (c.Pixel(x, y) == kPaper) continue;
            if (!box) box = Rect{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x);
            box->top = std::min(box->top, y);
            box->right = std::max(box->right, x + 1);
            box->bottom = std::max(box->bottom, y + 1);
        }
    return box;
}

std::optional<Rect> InkBox(const Canvas& c) {
    return InkBox(c, c.Bounds());
}

std::vector<std::string> LineTexts(Font& font, std::string_view text, int32_t width) {
    std::vector<TextLine> lines;
    LayoutText(font, text, width, &lines);
    std::vector<std::string> out;
    for (const TextLine& l : lines) {
        EXPECT_EQ(l.width, Advance(font, text.substr(l.begin, l.end - l.begin)));
        out.emplace_back(text.substr(l.begin, l.end - l.begin));
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(TextLayout, LineEnds) {
    struct Case {
        std::string name;
        std::string text;
        Lines lines;
    } const cases[] = {
        {"empty text", "", {}},
        {"one line", "ab", {"ab"}},
        {"line feed", "ab\ncd", {"ab", "cd"}},
        {"carriage return", "ab\rcd", {"ab", "cd"}},
        {"CR LF is one break", "ab\r\ncd", {"ab", "cd"}},
        {"LF CR is two", "ab\n\rcd", {"ab", "", "cd"}},
        {"two line feeds", "ab\n\ncd", {"ab", "", "cd"}},
        {"final line end adds no line", "ab\r\n", {"ab"}},
        {"a lone line feed", "\n", {""}},
        {"leading line feed", "\nab", {"", "ab"}},
        {"ends at a NUL", std::string("ab\0cd\ne", 7), {"ab"}},
        {"ampersand is ordinary", "&a&&b", {"&a&&b"}},
    };
    Font& font = TestFont();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LineTexts(font, c.text, 10000), c.lines);
        EXPECT_EQ(MeasureText(font, c.text, 10000),
                  static_cast<int32_t>(c.lines.size()) * font.Height());
    }
}

TEST(TextLayout, WrapsBeforeTheWordThatCrossesTheRightEdge) {
    Font& font = TestFont();
    const auto w = [&](std::string_view s) { return static_cast<int32_t>(Advance(font, s)); };
    struct Case {
        std::string name;
        std::string text;
        int32_t width;
        Lines lines;
    } const cases[] = {
        {"fits exactly", "aaa bbb", w("aaa bbb"), {"aaa bbb"}},
        {"one pixel short", "aaa bbb", w("aaa bbb") - 1, {"aaa", "bbb"}},
        {"three words, two lines", "aaa bbb ccc", w("aaa bbb"), {"aaa bbb", "ccc"}},
        {"long word alone on its line", "a verylongword b", w("a b"), {"a", "verylongword", "b"}},
        {"long first word", "verylongword b", w("b"), {"verylongword", "b"}},
        {"zero width: a word per line", "aa b c", 0, {"aa", "b", "c"}},
        {"negative width", "aa b", -50, {"aa", "b"}},
        {"spaces at a break are dropped", "aaa    bbb", w("aaa"), {"aaa", "bbb"}},
        {"leading spaces belong to the line", "  aaa bbb", w("  aaa"), {"  aaa", "bbb"}},
        {"trailing spaces kept while they fit", "aaa  ", w("aaa  "), {"aaa  "}},
        {"trailing spaces past the edge dropped", "aaa  ", w("aaa"), {"aaa"}},
        {"only spaces", "   ", 0, {"   "}},
        {"each paragraph wraps alone", "aa bb\ncc dd", w("aa bb") - 1, {"aa", "bb", "cc", "dd"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LineTexts(font, c.text, c.width), c.lines);
        EXPECT_EQ(MeasureText(font, c.text, c.width),
                  static_cast<int32_t>(c.lines.size()) * font.Height());
    }
}

TEST(TextDraw, LinesStandOneCellApartFromTheRectangleTop) {
    Font& font = TestFont();
    const Glyph& h = font.GetGlyph(U'H');
    ASSERT_FALSE(h.coverage.empty());
    Canvas c = Paper(200, 100);
    const Rect r{10, 7, 190, 100};
    EXPECT_EQ(DrawText(c.View(), font, "H\nH\r\nH", r, {}, kInkColor), 3 * font.Height());
    for (int32_t line = 0; line < 3; ++line) {
        SCOPED_TRACE(line);
        const int32_t top = r.top + line * font.Height();
        const auto box = InkBox(c, {0, top, 200, top + font.Height()});
        ASSERT_TRUE(box);
        EXPECT_EQ(box->top, top + font.Ascent() - h.top);
        EXPECT_EQ(box->bottom, top + font.Ascent() - h.top + h.height);
        EXPECT_EQ(box->left, r.left + h.left);
    }
}

TEST(TextDraw, AlignsEachLineOnItsOwn) {
    Font& font = TestFont();
    const std::string text = "HH HHHH\nH";
    const Rect r{20, 0, 141, 60};
    const int32_t width = r.Width();
    const int32_t wide = static_cast<int32_t>(Advance(font, "HH HHHH"));
    const int32_t narrow = static_cast<int32_t>(Advance(font, "H"));
    const int32_t bearing = font.GetGlyph(U'H').left;
    struct Case {
        std::string name;
        TextAlign align;
        int32_t firstPen, secondPen;
    } const cases[] = {
        {"left", TextAlign::Left, r.left, r.left},
        {"centre", TextAlign::Center, r.left + (width - wide) / 2, r.left + (width - narrow) / 2},
        {"right", TextAlign::Right, r.right - wide, r.right - narrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas = Paper(160, 60);
        DrawText(canvas.View(), font, text, r, {c.align, false}, kInkColor);
        const auto first = InkBox(canvas, {0, 0, 160, font.Height()});
        const auto second = InkBox(canvas, {0, font.Height(), 160, 2 * font.Height()});
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->left, c.firstPen + bearing);
        EXPECT_EQ(second->left, c.secondPen + bearing);
        if (c.align == TextAlign::Right) {
            EXPECT_LE(first->right, r.right);
        }
    }
}

TEST(TextDraw, CentringTruncatesTowardZeroForLinesWiderThanTheRectangle) {
    Font& font = TestFont();
    const int32_t wide = static_cast<int32_t>(Advance(font, "HHHHHHHH"));
    const Rect r{60, 0, 60 + wide / 2 + 1, 40}; // wider text, odd difference
    Canvas canvas = Paper(200, 40);
    DrawText(canvas.View(), font, "HHHHHHHH", r, {TextAlign::Center, true}, kInkColor);
    const auto box = InkBox(canvas);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->left, r.left + (r.Width() - wide) / 2 + font.GetGlyph(U'H').left);
}

TEST(TextDraw, ClipsToTheRectangleUnlessNoClip) {
    Font& font = TestFont();
    const std::string text = "WWWWWWWWWW\nWWWWWWWWWW\nWWWWWWWWWW";
    // Narrower than a line and one and a half lines high.
    const Rect r{30, 20, 30 + static_cast<int32_t>(Advance(font, "WWWW")) + 3,
                 20 + font.Height() + font.Height() / 2};
    Canvas clipped = Paper(300, 120);
    EXPECT_EQ(DrawText(clipped.View(), font, text, r, {}, kInkColor), 3 * font.Height());
    const auto box = InkBox(clipped);
    ASSERT_TRUE(box);
    EXPECT_GE(box->left, r.left);
    EXPECT_GE(box->top, r.top);
    EXPECT_LE(box->right, r.right);
    EXPECT_LE(box->bottom, r.bottom);
    EXPECT_GT(box->bottom, r.top + font.Height()) << "the second line is partly shown";

    Canvas free = Paper(300, 120);
    DrawText(free.View(), font, text, r, {TextAlign::Left, true}, kInkColor);
    const auto freeBox = InkBox(free);
    ASSERT_TRUE(freeBox);
    EXPECT_GT(freeBox->right, r.right);
    EXPECT_GT(freeBox->bottom, r.bottom);

    // Right-aligned: the overhang left of the rectangle is cut too.
    Canvas right = Paper(300, 120);
    DrawText(right.View(), font, text, r, {TextAlign::Right, false}, kInkColor);
    const auto rightBox = InkBox(right);
    ASSERT_TRUE(rightBox);
    EXPECT_GE(rightBox->left, r.left);
    EXPECT_EQ(InkBox(right, {0, 0, r.left, 120}), std::nullopt);
}

TEST(TextDraw, BlendsGlyphsOverWhatLiesBeneath) {
    const std::unique_ptr<Font> big = CreateFont({"Tahoma", -60, 400, false});
    const Glyph& bar = big->GetGlyph(U'l');
    Canvas canvas(80, 80);
    // A background with a pattern: every pixel the glyph leaves uncovered must keep it.
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 80; ++x)
            canvas.View().SetPixel(
                x, y,
                Color::FromRgb(static_cast<uint8_t>(x * 3), 128, static_cast<uint8_t>(y * 3)));
    const Canvas before = canvas;
    DrawText(canvas.View(), *big, "l", {5, 0, 80, 80}, {}, kInkColor);
    const int32_t originX = 5 + bar.left, originY = big->Ascent() - bar.top;
    int full = 0, partial = 0;
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 80; ++x) {
            const int32_t gx = x - originX, gy = y - originY;
            const bool onGlyph = gx >= 0 && gx < bar.width && gy >= 0 && gy < bar.height;
            const uint8_t a = onGlyph ? bar.coverage[static_cast<size_t>(gy * bar.width + gx)] : 0;
            const Color was = before.Pixel(x, y), now = canvas.Pixel(x, y);
            if (a == 0) {
                ASSERT_EQ(now, was) << x << "," << y;
            } else if (a == 255) {
                ASSERT_EQ(now, kInkColor) << x << "," << y;
                ++full;
            } else {
                ++partial;
                // Each channel lies between the old value and the ink's.
                ASSERT_GE(now.R(), std::min(was.R(), kInkColor.R()));
                ASSERT_LE(now.R(), std::max(was.R(), kInkColor.R()));
                ASSERT_GE(now.B(), std::min(was.B(), kInkColor.B()));
                ASSERT_LE(now.B(), std::max(was.B(), kInkColor.B()));
            }
        }
    EXPECT_GT(full, 0);
    EXPECT_GT(partial, 0) << "glyphs are anti-aliased";
}

TEST(TextDraw, HostileRectanglesAndTargetsDrawSafely) {
    Font& font = TestFont();
    struct Case {
        std::string name;
        Rect r;
        bool noClip;
    } const cases[] = {
        {"32-bit extremes", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false},
        {"32-bit extremes, no clip", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, true},
        {"near the positive limit", {INT32_MAX - 5, INT32_MAX - 5, INT32_MAX, INT32_MAX}, true},
        {"near the negative limit", {INT32_MIN, INT32_MIN, INT32_MIN + 5, INT32_MIN + 5}, true},
        {"inverted", {50, 50, 10, 10}, false},
        {"inverted, no clip", {50, 50, 10, 10}, true},
        {"empty", {10, 10, 10, 10}, false},
    };
    const std::string text = "Some words\nwrapped \xff\xfe text";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (TextAlign align : {TextAlign::Left, TextAlign::Center, TextAlign::Right}) {
            Canvas canvas = Paper(64, 64);
            const int32_t h =
                DrawText(canvas.View(), font, text, c.r, {align, c.noClip}, kInkColor);
            EXPECT_EQ(h, MeasureText(font, text, c.r.Width()));
            if (!c.noClip && c.r.IsEmpty()) {
                EXPECT_EQ(InkBox(canvas), std::nullopt);
            }
        }
    }
    EXPECT_EQ(DrawText(PixelView{}, font, "ab", {0, 0, 10, 10}, {}, kInkColor), font.Height());
}

TEST(TextDecode, InvalidBytesAreWindows1252Characters) {
    struct Case {
        std::string name;
        std::string bytes;
        std::u32string chars;
    } const cases[] = {
        {"ASCII", "aZ~", U"aZ~"},
        {"two-byte sequence", "caf\xc3\xa9", U"caf\u00e9"},
        {"three-byte sequence", "\xe2\x82\xac", U"\u20ac"},
        {"four-byte sequence", "\xf0\x9f\x98\x80", U"\U0001F600"},
        {"lone Latin-1 byte", "caf\xe9", U"caf\u00e9"},
        {"1252 euro and quotes", "\x80\x93\x94", U"\u20ac\u201c\u201d"},
        {"undefined 1252 byte", "\x81", U"\u0081"},
        {"truncated sequence", "\xc3", U"\u00c3"},
        {"truncated before ASCII",
         "\xe2\x82"
         "a",
         U"\u00e2\u201aa"},
        {"overlong slash", "\xc0\xaf", U"\u00c0\u00af"},
        {"surrogate", "\xed\xa0\x80", U"\u00ed\u00a0\u20ac"},
        {"above U+10FFFF", "\xf4\x90\x80\x80", U"\u00f4\u0090\u20ac\u20ac"},
        {"stray continuation", "\xbf", U"\u00bf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u32string got;
        for (size_t p = 0; p < c.bytes.size();) {
            const DecodedChar d = DecodeChar(c.bytes, p);
            got.push_back(d.codepoint);
            p += d.length;
        }
        EXPECT_EQ(got, c.chars);
    }
    EXPECT_EQ(ToWellFormedUtf8("caf\xe9 \xc3\xa9"), "caf\xc3\xa9 \xc3\xa9");
}

TEST(TextDraw, AnInvalidByteDrawsAsItsWindows1252Character) {
    Font& font = TestFont();
    const auto draw = [&](std::string_view text) {
        Canvas canvas = Paper(100, 30);
        DrawText(canvas.View(), font, text, {2, 2, 100, 30}, {}, kInkColor);
        return canvas;
    };
    const auto same = [](const Canvas& a, const Canvas& b) {
        for (int32_t y = 0; y < a.Height(); ++y)
            for (int32_t x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(draw("caf\xe9 \x80"), draw("caf\xc3\xa9 \xe2\x82\xac")));
    EXPECT_FALSE(same(draw("caf\xe9"), draw("cafe")));
}

TEST(Font, HeightRules) {
    const std::unique_ptr<Font> em12 = CreateFont({"Tahoma", -12, 400, false});
    EXPECT_EQ(em12->PixelSize(), 12);
    EXPECT_EQ(em12->Height(), em12->Ascent() + em12->Descent());
    EXPECT_GE(em12->Height(), 12);

    const std::unique_ptr<Font> em24 = CreateFont({"Tahoma", -24, 400, false});
    EXPECT_NEAR(em24->GetGlyph(U'M').advance, 2 * em12->GetGlyph(U'M').advance, 2);

    const std::unique_ptr<Font> cell = CreateFont({"Tahoma", 20, 400, false});
    EXPECT_NEAR(cell->Height(), 20, 1) << "a positive height asks for the cell height";
    EXPECT_LT(cell->PixelSize(), 20);

    EXPECT_EQ(CreateFont({"Tahoma", 0, 400, false})->PixelSize(), kDefaultFontPixels);
    EXPECT_EQ(CreateFont({"Tahoma", -5000, 400, false})->PixelSize(), kMaxFontPixels);
    EXPECT_EQ(CreateFont({"Tahoma", INT32_MIN, 400, false})->PixelSize(), kMaxFontPixels);
    EXPECT_EQ(CreateFont({"Tahoma", INT32_MAX, 400, false})->PixelSize(), kMaxFontPixels);
    EXPECT_EQ(CreateFont({"Tahoma", 1, 400, false})->PixelSize(), kMinFontPixels);
}

TEST(Font, MissingFaceIsSubstituted) {
    const std::unique_ptr<Font> font = CreateFont({"No Such Face Anywhere", -12, 400, false});
    EXPECT_TRUE(font->IsSubstituted());
    EXPECT_EQ(font->RequestedFamily(), "No Such Face Anywhere");
    EXPECT_FALSE(font->Path().empty());
    EXPECT_GT(font->GetGlyph(U'a').advance, 0);
    EXPECT_FALSE(font->GetGlyph(U'a').coverage.empty());
}

TEST(Font, FaceNamesAreCutTo31Bytes) {
    // What lies beyond the 31st byte is never looked up: trailing blanks do not count in a family
    // name, so the cut name is the family itself.
    const std::string name = "DejaVu Sans" + std::string(20, ' ') + "Condensed Bogus";
    const std::unique_ptr<Font> font = CreateFont({name, -12, 400, false});
    EXPECT_EQ(font->RequestedFamily(), name.substr(0, kMaxFaceNameBytes));
    if (font->Family() == "DejaVu Sans") {
        EXPECT_FALSE(font->IsSubstituted());
    }
}

TEST(Font, TahomaComesFromFontsWine) {
    if (!std::filesystem::exists("/usr/share/wine/fonts/tahoma.ttf"))
        GTEST_SKIP() << "fonts-wine is not installed";
    const std::unique_ptr<Font> regular = CreateFont({"Tahoma", -12, 400, false});
    EXPECT_EQ(regular->Family(), "Tahoma");
    EXPECT_FALSE(regular->IsSubstituted());
    EXPECT_EQ(std::filesystem::path(regular->Path()).filename(), "tahoma.ttf");
    EXPECT_FALSE(regular->IsSyntheticBold() || regular->IsSyntheticItalic());

    const std::unique_ptr<Font> bold = CreateFont({"Tahoma", -12, 700, false});
    if (std::filesystem::exists("/usr/share/wine/fonts/tahomabd.ttf")) {
        EXPECT_EQ(std::filesystem::path(bold->Path()).filename(), "tahomabd.ttf");
        EXPECT_FALSE(bold->IsSyntheticBold());
    } else {
        EXPECT_TRUE(bold->IsSyntheticBold());
    }

    // No italic Tahoma exists: the slant is made, and leans the glyph to the right.
    const std::unique_ptr<Font> italic = CreateFont({"tahoma", -24, 400, true});
    EXPECT_FALSE(italic->IsSubstituted()) << "family names ignore case";
    EXPECT_TRUE(italic->IsSyntheticItalic());
    const std::unique_ptr<Font> uprightFont = CreateFont({"Tahoma", -24, 400, false});
    const Glyph& upright = uprightFont->GetGlyph(U'l');
    const Glyph& slanted = italic->GetGlyph(U'l');
    EXPECT_GT(slanted.width, upright.width);
    EXPECT_EQ(slanted.advance, upright.advance);
}

} // namespace
} // namespace pindrel
