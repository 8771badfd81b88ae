#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "skin/adapt.h"
#include "skin/skin_edit.h"
#include "skin/skin_format.h"
#include "support/edit_check.h"
#include "support/pictures.h"
#include "support/place_check.h"
#include "support/temp_dir.h"
#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::TempDir;
using test::TestSkin;

// Writes skins of random sections, keys, values, comments and line ends.
class SkinGenerator {
public:
    explicit SkinGenerator(uint32_t seed) : rng_(seed) {}

    std::string Skin() {
        text_.clear();
        if (Chance(10)) Line("posP=1,2"); // before any header: dropped
        const int sections = Pick(1, 7);
        for (int i = 0; i < sections; ++i)
            Section();
        if (!text_.empty() && Chance(40)) {
            while (!text_.empty() && (text_.back() == '\r' || text_.back() == '\n'))
                text_.pop_back();
        }
        return text_;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Pick(0, 99) < percent; }

private:
    template <size_t N> std::string_view OneOf(const std::string_view (&items)[N]) {
        return items[static_cast<size_t>(Pick(0, static_cast<int>(N) - 1))];
    }

    void Line(std::string_view content) {
        static constexpr std::string_view kBreaks[] = {"\n", "\n",   "\r\n",    "\r\n",
                                                       "\r", "\n\r", "\r\n\r\n"};
        text_ += content;
        text_ += OneOf(kBreaks);
    }

    std::string Number() {
        if (Chance(5)) return Chance(50) ? "2147483647" : "-2147483648";
        if (Chance(10)) return "0";
        return std::to_string(Pick(-20, 260));
    }

    // A value the reader may or may not take as a pair.
    std::string PairValue() {
        static constexpr std::string_view kAfter[] = {"",      "",   "",          " ; note",
                                                      ",junk", "px", " \xe9\xff", ",7,8"};
        static constexpr std::string_view kUnusable[] = {"5", "abc", ",", "5 ; one", ",,9"};
        if (Chance(12)) return std::string(OneOf(kUnusable));
        const std::string gap = Chance(20) ? " , " : ",";
        std::string first = Number();
        if (Chance(5)) first = "+" + first;
        if (Chance(4)) first = "x";
        return first + gap + Number() + std::string(OneOf(kAfter));
    }

    void Entry(std::string_view key, std::string_view value) {
        static constexpr std::string_view kEquals[] = {"=", "=", " = ", "\t=", "=  "};
        std::string line = Chance(10) ? "  " : "";
        line += key;
        line += OneOf(kEquals);
        line += value;
        if (Chance(10)) line += "  ";
        Line(line);
    }

    void Noise() {
        static constexpr std::string_view kNoise[] = {
            "; comment", "", "   ", "; \xe0\xe9\xff", "no equals here", "posL=", "=5,5", "type=3"};
        if (Chance(25)) Line(OneOf(kNoise));
    }

    void Section() {
        static constexpr std::string_view kNames[] = {
            "Image",        "Image", "Image",      "Button",           "Button",
            "Label",        "Label", "Photo Rect", "Photo Rect",       "Background Image",
            "Border Image", "image", " Image ",    "Background Color", "Other"};
        const std::string_view name = OneOf(kNames);
        if (Chance(30)) Line("; about the section");
        Line("[" + std::string(name) + "]");
        std::vector<std::pair<std::string, std::string>> entries;
        static constexpr std::string_view kFiles[] = {"a.bmp", "a.bmp", "b.bmp", "missing.bmp"};
        if (name == "Image" || name == "Background Image" || Chance(10))
            entries.emplace_back("file", OneOf(kFiles));
        if (name == "Button" || Chance(5)) {
            entries.emplace_back("file_up", Chance(90) ? "b.bmp" : "missing.bmp");
            if (Chance(90)) entries.emplace_back("file_down", "a.bmp");
        }
        if (name == "Label" && Chance(90)) entries.emplace_back("fields", "name,phone");
        static constexpr std::string_view kOthers[] = {
            "type=8",         "id=3",         "transp_color=255,0,255",
            "font1=12,Arial", "color2=1,2,3", "hor_align=2",
            "Type=1",         "border=1"};
        for (int i = Pick(0, 2); i > 0; --i) {
            const std::string_view other = OneOf(kOthers);
            const size_t eq = other.find('=');
            entries.emplace_back(other.substr(0, eq), other.substr(eq + 1));
        }
        for (size_t o = 0; o < kOrientationCount; ++o) {
            for (const std::string_view key : {kPosKeys[o], kSizeKeys[o]}) {
                if (Chance(45)) entries.emplace_back(key, PairValue());
                if (Chance(8)) entries.emplace_back(key, PairValue()); // a duplicate, ignored
                if (Chance(6)) {
                    std::string variant(key);
                    variant[0] = static_cast<char>(variant[0] - 'a' + 'A');
                    entries.emplace_back(variant, PairValue());
                }
            }
        }
        std::shuffle(entries.begin(), entries.end(), rng_);
        for (const auto& [key, value] : entries) {
            Noise();
            Entry(key, value);
        }
        Noise();
    }

    std::mt19937 rng_;
    std::string text_;
};

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Random edits of random skins: loading the result gives the old model with exactly that one
// rectangle changed, and no line but the element's own position and size lines changes.
TEST(PlaceElementProperty, OneRectangleAndItsLinesChangeOnly) {
    TempDir dir;
    const test::ScopedCurrentDir cwd(dir.Path());
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    dir.Write("b.bmp", test::SolidBmp24(7, 30, Color::FromRgb(0, 255, 0)));
    SkinGenerator gen(20261208);
    int edits = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string ini = gen.Skin();
        TestSkin before;
        // Fresh names: replacing a file costs more than making one on some file systems.
        const std::string name = std::to_string(round);
        if (!before.Load(dir.Write(name + ".ini", ini))) continue; // an empty file
        std::vector<PlacedElement> elements = {{PlacedKind::Photo, 0}};
        for (size_t i = 0; i < before.images.size(); ++i)
            elements.push_back({PlacedKind::Image, i});
        for (size_t i = 0; i < before.buttons.size(); ++i)
            elements.push_back({PlacedKind::Button, i});
        for (size_t i = 0; i < before.labels.size(); ++i)
            elements.push_back({PlacedKind::Label, i});
        const PlacedElement e =
            elements[static_cast<size_t>(gen.Pick(0, static_cast<int>(elements.size()) - 1))];
        const int32_t o = gen.Pick(0, 2);
        Placement p = *CurrentPlacement(before, e, o);
        if (gen.Chance(80)) {
            p.x = WrapAdd(p.x, gen.Pick(-3, 3));
            p.y = WrapAdd(p.y, gen.Chance(50) ? gen.Pick(-3, 3) : 0);
        }
        if (gen.Chance(40)) {
            p.width = gen.Chance(30) ? 0 : gen.Pick(0, 60);
            p.height = gen.Chance(30) ? 0 : gen.Pick(0, 60);
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", orientation " + std::to_string(o) +
                     ", element " + std::to_string(static_cast<int>(e.kind)) + "/" +
                     std::to_string(e.index) + "\n" + ini);
        SkinIniFile file;
        file.Parse(Bytes(ini));
        const EditResult r = PlaceElement(file, before, e, p);
        ASSERT_TRUE(r.ok) << r.error;
        TestSkin after;
        ASSERT_TRUE(after.Load(dir.Write(name + "-placed.ini", r.file.Bytes())));
        EXPECT_EQ(test::PlaceDifference(Bytes(ini), before, r.file.Bytes(), after, e, p), "");
        if (r.changed) ++edits;
        if (HasFailure()) return;
    }
    EXPECT_GT(edits, 250); // most rounds really edit
}

// Random operations of every kind on random skins: each keeps the engine's promises (see
// EditDifference).
TEST(EditProperty, EveryOperationChangesWhatItSaysOnly) {
    TempDir dir;
    const test::ScopedCurrentDir cwd(dir.Path());
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    dir.Write("b.bmp", test::SolidBmp24(7, 30, Color::FromRgb(0, 255, 0)));
    dir.Write("up.bmp", test::SolidBmp24(12, 12, Color::FromRgb(0, 0, 255)));
    SkinGenerator gen(20261209);
    std::array<int, 8> done{};
    for (int round = 0; round < 1500; ++round) {
        const std::string ini = gen.Skin();
        SkinIniFile file;
        file.Parse(Bytes(ini));
        TestSkin before, after;
        before.Load(file, {});
        std::array<uint8_t, 4> choice;
        for (uint8_t& c : choice)
            c = static_cast<uint8_t>(gen.Pick(0, 255));
        const test::EditOp op = test::ChooseEdit(file, before, choice);
        SCOPED_TRACE("round " + std::to_string(round) + ": " + test::Describe(op) + "\n" + ini);
        const EditResult r = test::ApplyEdit(file, before, op);
        after.Load(r.file, {});
        EXPECT_EQ(test::EditDifference(file, before, r, after, op), "");
        if (HasFailure()) return;
        if (r.changed) ++done[static_cast<size_t>(op.kind)];
    }
    for (size_t k = 0; k < done.size(); ++k)
        EXPECT_GT(done[k], 25) << "operation " << k; // every kind really edits
}

// The lines of a skin that are no position or size keys, each with its line end: what adapting
// must leave alone.
std::vector<std::string> OtherLines(std::span<const uint8_t> bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        const bool last = i == bytes.size();
        if (!last && bytes[i] != '\r' && bytes[i] != '\n') {
            line += static_cast<char>(bytes[i]);
            continue;
        }
        // CR LF ends one line.
        std::string ending;
        if (!last) ending += static_cast<char>(bytes[i]);
        if (!last && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ending += static_cast<char>(bytes[++i]);
        const std::string_view t = TrimIni(line);
        const bool placement = (t.starts_with("pos") || t.starts_with("size")) &&
                               t.find('=') != std::string_view::npos;
        if (!placement && !(last && line.empty())) lines.push_back(line + ending);
        line.clear();
    }
    // A last line without its end may gain one when a key goes after it.
    if (!lines.empty())
        while (!lines.back().empty() &&
               (lines.back().back() == '\r' || lines.back().back() == '\n'))
            lines.back().pop_back();
    return lines;
}

// Adapting random skins: every element's rectangle in `to` is as the rule says, its other
// orientations stay, and no line but a position or size line changes.
TEST(AdaptProperty, RectanglesAsTheRuleSaysAndNothingElse) {
    TempDir dir;
    const test::ScopedCurrentDir cwd(dir.Path());
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    dir.Write("b.bmp", test::SolidBmp24(7, 30, Color::FromRgb(0, 255, 0)));
    SkinGenerator gen(20261210);
    int moved = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string ini = gen.Skin();
        SkinIniFile file;
        file.Parse(Bytes(ini));
        TestSkin before;
        before.Load(file, {});
        AdaptRequest request;
        request.from = gen.Pick(0, 2);
        request.to = (request.from + gen.Pick(1, 2)) % 3;
        request.rule = gen.Chance(80) ? AdaptRule::Anchor : AdaptRule::Same;
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(request.from) +
                     " to " + std::to_string(request.to) + "\n" + ini);
        const AdaptResult r = AdaptSkin(Bytes(ini), {}, request);
        ASSERT_TRUE(r.ok) << r.error;
        SkinIniFile edited;
        edited.Parse(r.bytes);
        TestSkin after;
        after.Load(edited, {});
        const Size from = kScreenSizes[static_cast<size_t>(request.from)];
        const Size to = kScreenSizes[static_cast<size_t>(request.to)];
        const auto check = [&](const SkinElement& b, const SkinElement& a, bool stretches) {
            const Rect was = b.rects[static_cast<size_t>(request.from)];
            for (int32_t o = 0; o < kOrientationCount; ++o) {
                const auto i = static_cast<size_t>(o);
                if (o == request.to && !was.IsEmpty())
                    EXPECT_EQ(a.rects[i], AdaptRect(was, from, to, request.rule, stretches));
                else
                    EXPECT_EQ(a.rects[i], b.rects[i]) << "orientation " << o;
            }
        };
        ASSERT_EQ(after.images.size(), before.images.size());
        ASSERT_EQ(after.buttons.size(), before.buttons.size());
        ASSERT_EQ(after.labels.size(), before.labels.size());
        for (size_t i = 0; i < before.images.size(); ++i)
            check(before.images[i], after.images[i], false);
        for (size_t i = 0; i < before.buttons.size(); ++i)
            check(before.buttons[i], after.buttons[i], false);
        for (size_t i = 0; i < before.labels.size(); ++i)
            check(before.labels[i], after.labels[i], true);
        check(before.photoRect, after.photoRect, true);
        if (before.backgroundImage.loaded)
            check(before.backgroundImage, after.backgroundImage, false);
        EXPECT_EQ(OtherLines(r.bytes), OtherLines(Bytes(ini)));
        if (HasFailure()) return;
        if (r.bytes != std::vector<uint8_t>(ini.begin(), ini.end())) ++moved;
    }
    EXPECT_GT(moved, 150);
}

} // namespace
} // namespace pindrel
