#include <gtest/gtest.h>

#include "app/tool_placement.h"

namespace pindrel {
namespace {

TEST(PlaceToolWindow, BesideTheMainWindowWithinTheRoom) {
    const Rect wide{0, 0, 1920, 1080};
    const Rect laptop{0, 0, 1600, 1000};
    const struct {
        const char* name;
        Rect main;
        Size size;
        Rect room;
        Rect placed;
    } cases[] = {
        {"right, level with it", {0, 0, 1147, 536}, {480, 640}, wide, {1155, 0, 1635, 640}},
        {"right, pulled up to fit",
         {10, 600, 1157, 1000},
         {480, 640},
         wide,
         {1165, 440, 1645, 1080}},
        {"left when the right is short",
         {700, 20, 1847, 556},
         {480, 640},
         wide,
         {212, 20, 692, 660}},
        {"below when neither side is wide enough",
         {300, 0, 1447, 300},
         {480, 640},
         laptop,
         {300, 308, 780, 948}},
        {"above", {300, 700, 1447, 1000}, {480, 600}, laptop, {300, 92, 780, 692}},
        // No side takes it whole: the side where most of it shows, the window cut to it.
        {"cut to the side that shows most",
         {0, 0, 1147, 536},
         {960, 1280},
         laptop,
         {1155, 0, 1600, 1000}},
        {"cut below", {0, 0, 1400, 536}, {960, 1280}, laptop, {0, 544, 960, 1000}},
        {"cut on the right", {0, 0, 1147, 900}, {480, 1280}, laptop, {1155, 0, 1600, 1000}},
        // Too little room anywhere: over the main window's right part, never past the room.
        {"over the main window",
         {0, 0, 1147, 536},
         {480, 640},
         {0, 0, 1200, 650},
         {667, 0, 1147, 640}},
        {"over it, cut to the room",
         {0, 0, 1147, 536},
         {960, 1280},
         {0, 0, 1200, 650},
         {187, 0, 1147, 650}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect r = PlaceToolWindow(c.main, c.size, c.room);
        EXPECT_EQ(r, c.placed);
        Rect inside;
        EXPECT_TRUE(IntersectRect(r, c.room, &inside) && inside == r);
    }
}

} // namespace
} // namespace pindrel
