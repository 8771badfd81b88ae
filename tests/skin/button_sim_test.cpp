#include <gtest/gtest.h>

#include "support/test_skin.h"

namespace pindrel {
namespace {

using test::FakeSurface;
using test::TestSkin;

SkinButton MakeButton(int32_t id, Rect portrait, int32_t firesOnPress = 0) {
    SkinButton b;
    b.id = id;
    b.loaded = true;
    b.firesOnPress = firesOnPress;
    b.rects = {portrait, Rect{}, Rect{}};
    return b;
}

class ButtonSim : public ::testing::Test {
protected:
    void SetUp() override {
        skin.buttons.push_back(MakeButton(7, {10, 10, 50, 30}));
        skin.buttons.push_back(MakeButton(8, {40, 20, 80, 60})); // overlaps the first
    }
    const SkinButton& B(size_t i) const { return skin.buttons[i]; }

    TestSkin skin;
    FakeSurface window;
};

TEST_F(ButtonSim, PressAndReleaseInsideSendsOnceAtRelease) {
    skin.HandleMouseDown(window, {20, 20});
    EXPECT_TRUE(B(0).pressed);
    EXPECT_TRUE(B(0).tracking);
    EXPECT_TRUE(window.commands.empty());
    EXPECT_EQ(window.repaints, std::vector<Rect>{B(0).rects[0]});
    skin.HandleMouseUp(window, {21, 21});
    EXPECT_EQ(window.commands, std::vector<uint16_t>{7});
    EXPECT_FALSE(B(0).pressed);
    EXPECT_FALSE(B(0).tracking);
    EXPECT_EQ(window.repaints.size(), 2u);
}

TEST_F(ButtonSim, LeavingShowsUpPictureAndReleaseOutsideSendsNothing) {
    skin.HandleMouseDown(window, {20, 20});
    skin.HandleMouseMove(window, {100, 100});
    EXPECT_FALSE(B(0).pressed);
    EXPECT_TRUE(B(0).tracking);
    skin.HandleMouseMove(window, {200, 200}); // still outside: no further repaint
    EXPECT_EQ(window.repaints.size(), 2u);
    skin.HandleMouseUp(window, {100, 100});
    EXPECT_TRUE(window.commands.empty());
    EXPECT_FALSE(B(0).tracking);
    EXPECT_EQ(window.repaints.size(), 2u); // not pressed at release: nothing to redraw
}

TEST_F(ButtonSim, ComingBackAndReleasingInsideSendsOnce) {
    skin.HandleMouseDown(window, {20, 20});
    skin.HandleMouseMove(window, {100, 100});
    skin.HandleMouseMove(window, {15, 15});
    EXPECT_TRUE(B(0).pressed);
    skin.HandleMouseUp(window, {15, 15});
    EXPECT_EQ(window.commands, std::vector<uint16_t>{7});
}

TEST_F(ButtonSim, EdgesLeftTopInsideRightBottomOutside) {
    for (const Point p : {Point{50, 15}, Point{15, 30}, Point{9, 15}}) {
        skin.HandleMouseDown(window, p);
        EXPECT_FALSE(B(0).pressed) << p.x << "," << p.y;
    }
    skin.HandleMouseDown(window, {10, 10});
    EXPECT_TRUE(B(0).pressed);
}

TEST_F(ButtonSim, EarlierButtonTakesPressInOverlap) {
    skin.HandleMouseDown(window, {45, 25});
    EXPECT_TRUE(B(0).pressed);
    EXPECT_FALSE(B(1).pressed);
}

TEST_F(ButtonSim, PressOutsideThenMoveOverButtonDoesNothing) {
    skin.HandleMouseDown(window, {200, 200});
    skin.HandleMouseMove(window, {20, 20});
    EXPECT_FALSE(B(0).pressed);
    EXPECT_TRUE(window.repaints.empty());
}

TEST_F(ButtonSim, FiresOnPressLatchesForGood) {
    skin.buttons.insert(skin.buttons.begin(), MakeButton(3, {100, 100, 120, 120}, 1));
    skin.HandleMouseDown(window, {110, 110});
    EXPECT_EQ(window.commands, std::vector<uint16_t>{3});
    EXPECT_TRUE(B(0).pressed);
    EXPECT_FALSE(B(0).tracking);
    skin.HandleMouseUp(window, {110, 110});
    skin.HandleMouseMove(window, {0, 0});
    skin.HandleMouseDown(window, {110, 110});
    EXPECT_TRUE(B(0).pressed);
    EXPECT_EQ(window.commands.size(), 1u);
}

TEST_F(ButtonSim, ReleaseOutsideWindowKeepsTrackingUntilNextRelease) {
    skin.HandleMouseDown(window, {20, 20});
    // The release happened outside the window; moves keep toggling the down picture.
    skin.HandleMouseMove(window, {100, 100});
    skin.HandleMouseMove(window, {20, 20});
    EXPECT_TRUE(B(0).pressed);
    skin.HandleMouseDown(window, {20, 20}); // still pressed: ignored
    EXPECT_TRUE(window.commands.empty());
    skin.HandleMouseUp(window, {20, 20});
    EXPECT_EQ(window.commands, std::vector<uint16_t>{7});
    EXPECT_FALSE(B(0).tracking);
}

TEST_F(ButtonSim, HiddenAndUnloadedButtons) {
    skin.buttons[0].type = 0; // hidden under every call type, still pressable
    skin.HandleMouseDown(window, {45, 25});
    EXPECT_TRUE(B(0).pressed);
    skin.HandleMouseUp(window, {0, 0});
    skin.buttons[0].loaded = false; // not loaded: never hit, so the later one takes it
    skin.HandleMouseDown(window, {45, 25});
    EXPECT_FALSE(B(0).pressed);
    EXPECT_TRUE(B(1).pressed);
}

TEST_F(ButtonSim, CommandIsLow16BitsOfId) {
    skin.buttons[0].id = 0x12345;
    skin.HandleMouseDown(window, {20, 20});
    skin.HandleMouseUp(window, {20, 20});
    EXPECT_EQ(window.commands, std::vector<uint16_t>{0x2345});
}

TEST_F(ButtonSim, HitTestUsesCurrentOrientation) {
    skin.buttons[0].rects[Landscape] = {200, 200, 220, 220};
    skin.SetOrientation(Landscape);
    skin.HandleMouseDown(window, {20, 20});
    EXPECT_FALSE(B(0).pressed);
    skin.HandleMouseDown(window, {210, 210});
    EXPECT_TRUE(B(0).pressed);
    skin.SetOrientation(7); // ignored
    EXPECT_EQ(skin.orientation, Landscape);
}

TEST_F(ButtonSim, RedrawButtonRanges) {
    skin.RedrawButton(-1, window);
    skin.RedrawButton(2, window);
    EXPECT_TRUE(window.repaints.empty());
    skin.buttons[1].loaded = false;
    skin.RedrawButton(1, window);
    EXPECT_EQ(window.repaints, std::vector<Rect>{Rect{}});
}

} // namespace
} // namespace pindrel
