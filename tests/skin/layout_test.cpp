#include <gtest/gtest.h>

#include <vector>

#include "skin/adapt_rule.h"
#include "skin/arrange.h"
#include "skin/snapping.h"

namespace pindrel {
namespace {

constexpr Size kPortrait{240, 320};

TEST(Snap, NearestLineWithinReachOnEachAxis) {
    const std::vector<Rect> others = {{100, 100, 140, 120}};
    const SnapLines all;
    const struct {
        const char* name;
        Rect moving;
        SnapLines across, down;
        int32_t reach;
        SnapResult expected;
    } cases[] = {
        {"to the screen's left edge", {3, 50, 23, 60}, all, all, 4, {-3, 0, 0, std::nullopt}},
        {"out of reach", {6, 50, 26, 60}, all, all, 4, {}},
        // Its right edge lies 2 short of the other's left; its top 1 below the other's top.
        {"to another's edges", {78, 101, 98, 111}, all, all, 4, {2, -1, 100, 100}},
        {"centre to the screen's centre",
         {108, 200, 130, 210},
         all,
         all,
         3,
         {1, 0, 120, std::nullopt}},
        // A resize drags its right edge only: its left and centre do not snap.
        {"only the dragged edge",
         {1, 50, 97, 60},
         {false, false, true},
         {false, false, false},
         4,
         {3, 0, 100, std::nullopt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SnapResult r = Snap(c.moving, c.across, c.down, others, kPortrait, c.reach);
        EXPECT_EQ(r.dx, c.expected.dx);
        EXPECT_EQ(r.dy, c.expected.dy);
        EXPECT_EQ(r.guideX, c.expected.guideX);
        EXPECT_EQ(r.guideY, c.expected.guideY);
    }
}

TEST(Snap, GapsToNeighboursAndTheScreen) {
    const std::vector<Rect> others = {{0, 0, 50, 40}, {100, 10, 120, 30}, {60, 200, 80, 220}};
    // Left the first and right the second share its rows; nothing above shares its columns, so
    // the screen's edge; below, the third does.
    const std::array<int32_t, 4> expected = {10, 20, 5, 170};
    EXPECT_EQ(Gaps({60, 5, 80, 30}, others, kPortrait), expected);
}

TEST(Arrange, AlignAndDistribute) {
    const std::vector<Rect> rects = {{10, 10, 30, 20}, {50, 40, 60, 80}, {100, 5, 140, 15}};
    const Rect b = Bounds(rects);
    EXPECT_EQ(b, (Rect{10, 5, 140, 80}));
    EXPECT_EQ(Align(rects, AlignTo::Left, b)[2], (Rect{10, 5, 50, 15}));
    EXPECT_EQ(Align(rects, AlignTo::Right, b)[0], (Rect{120, 10, 140, 20}));
    EXPECT_EQ(Align(rects, AlignTo::Centre, b)[1], (Rect{70, 40, 80, 80}));
    EXPECT_EQ(Align(rects, AlignTo::Middle, b)[0], (Rect{10, 37, 30, 47}));
    EXPECT_EQ(Align(rects, AlignTo::Bottom, Rect{0, 0, 240, 320})[1], (Rect{50, 280, 60, 320}));
    // Equal gaps between, the outermost two staying: 10..30, then 10 wide, then 100..140: 70
    // pixels of room less 10 leaves 60, two gaps of 30.
    const std::vector<Rect> spread = Distribute(rects, true);
    EXPECT_EQ(spread[0], rects[0]);
    EXPECT_EQ(spread[1], (Rect{60, 40, 70, 80}));
    EXPECT_EQ(spread[2], rects[2]);
    // Down, in the order they stand (the third is topmost): 15 pixels of room for two gaps, the
    // spare pixel to the first.
    const std::vector<Rect> down = Distribute(rects, false);
    EXPECT_EQ(down[0], (Rect{10, 23, 30, 33}));
}

TEST(AdaptRule, AnchorsOnEachAxis) {
    // Portrait to landscape across: S 240, T 320, T - S = 80.
    const struct {
        const char* name;
        int32_t a, l;
        bool stretches;
        Span expected;
    } cases[] = {
        {"first third keeps its start", 10, 40, false, {10, 40}},
        // Centre exactly at 1/3: 3(2a + l) = 2S is not below it, so centred.
        {"centre at one third is centred", 60, 40, false, {100, 40}},
        {"centre just inside the first third", 59, 40, false, {59, 40}},
        // Centre exactly at 2/3: 3(2a + l) = 4S is not above it.
        {"centre at two thirds is centred", 140, 40, false, {180, 40}},
        {"last third keeps its distance to the end", 141, 40, false, {221, 40}},
        {"spanning two thirds stretches a label", 0, 160, true, {0, 240}},
        {"just short of two thirds does not", 0, 159, true, {0, 159}},
        {"spanning, a picture keeps its length", 0, 240, false, {40, 240}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AnchorSpan(c.a, c.l, 240, 320, c.stretches), c.expected);
    }
    // Shrinking: the half difference truncates toward zero (-80 / 2 = -40, -81 / 2 = -40).
    EXPECT_EQ(AnchorSpan(100, 40, 320, 239, false), (Span{60, 40}));
    EXPECT_EQ(AdaptRect({1, 2, 3, 4}, {240, 320}, {320, 240}, AdaptRule::Same, true),
              (Rect{1, 2, 3, 4}));
}

} // namespace
} // namespace pindrel
