#include "app/align_helper.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace pindrel {
namespace {

TEST(ReadAlignValue, ReadsLikeADecimalPrefix) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"0", 0},
        {"  42", 42},
        {"\t-7x", -7},
        {"+5", 5},
        {"007", 7},
        {"abc", 0},
        {"12abc", 12},
        {"-", 0},
        {"- 3", 0},
        {"1 2", 1},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(ReadAlignValue(c.text), c.expected);
    }
}

TEST(SnapAlign, SnapsToEdgesAndCentres) {
    using A = AlignAction;
    struct Case {
        const char* name;
        A action;
        Size screen;
        AlignValues values;
        AlignWrite expected;
    };
    const AlignValues v100{7, 9, 100, 100};
    const Case cases[] = {
        {"left", A::Left, {240, 320}, v100, {true, 0}},
        {"top", A::Top, {240, 320}, v100, {false, 0}},
        {"portrait right", A::Right, {240, 320}, v100, {true, 140}},
        {"portrait centre h", A::CentreHorizontally, {240, 320}, v100, {true, 70}},
        {"portrait bottom", A::Bottom, {240, 320}, v100, {false, 220}},
        {"portrait centre v", A::CentreVertically, {240, 320}, v100, {false, 110}},
        {"landscape right", A::Right, {320, 240}, v100, {true, 220}},
        {"landscape centre h", A::CentreHorizontally, {320, 240}, v100, {true, 110}},
        {"landscape bottom", A::Bottom, {320, 240}, v100, {false, 140}},
        {"landscape centre v", A::CentreVertically, {320, 240}, v100, {false, 70}},
        {"square right", A::Right, {240, 240}, v100, {true, 140}},
        {"square centre v", A::CentreVertically, {240, 240}, v100, {false, 70}},
        {"too wide, right", A::Right, {240, 320}, {0, 0, 300, 10}, {true, -60}},
        {"too wide, centre", A::CentreHorizontally, {240, 320}, {0, 0, 300, 10}, {true, -30}},
        {"odd overhang truncates", A::CentreHorizontally, {240, 320}, {0, 0, 301, 0}, {true, -30}},
        {"odd remainder truncates", A::CentreHorizontally, {240, 320}, {0, 0, 101, 0}, {true, 69}},
        {"empty size", A::Right, {240, 320}, {0, 0, 0, 0}, {true, 240}},
        {"negative size", A::Bottom, {240, 320}, {0, 0, 0, -5}, {false, 325}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SnapAlign(c.action, c.screen, c.values), c.expected);
    }
}

TEST(SnapAlign, ExtremeSizesWrapInsteadOfOverflowing) {
    const AlignValues v{0, 0, std::numeric_limits<int32_t>::min(), 0};
    EXPECT_EQ(SnapAlign(AlignAction::Right, {240, 320}, v).value,
              std::numeric_limits<int32_t>::min() + 240);
}

TEST(AlignRectangle, SpansPositionPlusSize) {
    EXPECT_EQ(AlignRectangle({0, 0, 100, 100}), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(AlignRectangle({-60, 5, 300, 0}), (Rect{-60, 5, 240, 5}));
}

TEST(StepUpDown, StaysWithinTheRange) {
    struct Case {
        int32_t value;
        int32_t delta;
        int32_t expected;
    };
    const Case cases[] = {
        {100, 1, 101}, {100, -1, 99},  {320, 1, 320}, {0, -1, 0},
        {999, 1, 320}, {999, -1, 320}, {-60, 1, 0},   {-60, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " by " + std::to_string(c.delta));
        EXPECT_EQ(StepUpDown(c.value, c.delta, kAlignStepMin, kAlignStepMax), c.expected);
    }
}

TEST(FormatAlignValue, PlainDecimal) {
    EXPECT_EQ(FormatAlignValue(-60), "-60");
    EXPECT_EQ(FormatAlignValue(0), "0");
    EXPECT_EQ(FormatAlignValue(320), "320");
}

TEST(AlignKeysText, KeysOfTheOrientation) {
    EXPECT_EQ(AlignKeysText(0, {70, 110, 100, 100}), "posP=70,110\nsizeP=100,100");
    EXPECT_EQ(AlignKeysText(1, {-60, 0, 300, 5}), "posL=-60,0\nsizeL=300,5");
    EXPECT_EQ(AlignKeysText(2, {1, 2, 3, 4}), "posQ=1,2\nsizeQ=3,4");
    EXPECT_EQ(AlignKeysText(7, {1, 2, 3, 4}), "posP=1,2\nsizeP=3,4");
}

} // namespace
} // namespace pindrel
