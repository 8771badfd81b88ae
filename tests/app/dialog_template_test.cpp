#include "app/dialog_template.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace pindrel {
namespace {

TEST(BaseUnitsFromFont, RoundsTheAverageLetterWidth) {
    struct Case {
        const char* name;
        int32_t alphabet;
        int32_t height;
        BaseUnits expected;
    };
    const Case cases[] = {
        {"classic 6 x 13", 6 * 52 - 10, 13, {6, 13}}, // 302 / 26 = 11, rounded up to 6
        {"just below a half", 11 * 26 - 1, 13, {5, 13}},
        {"exact 7", 7 * 52, 15, {7, 15}},
        {"odd quotient rounds up", 13 * 26, 16, {7, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BaseUnitsFromFont(c.alphabet, c.height), c.expected);
    }
}

TEST(LayoutBaseUnits, NeverBelowTheDesignUnits) {
    EXPECT_EQ(LayoutBaseUnits({5, 12}), (BaseUnits{6, 13}));
    EXPECT_EQ(LayoutBaseUnits({5, 16}), (BaseUnits{6, 16}));
    EXPECT_EQ(LayoutBaseUnits({8, 12}), (BaseUnits{8, 13}));
    EXPECT_EQ(LayoutBaseUnits({7, 14}), (BaseUnits{7, 14}));
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(449, 6, 4), 674);  // 673.5
    EXPECT_EQ(MulDiv(306, 13, 8), 497); // 497.25
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(-3, -1, 2), 2);
    EXPECT_EQ(MulDiv(5, 5, 0), 0);
    EXPECT_EQ(MulDiv(INT32_MAX, 4, 1), INT32_MAX);
}

TEST(DialogRectToPixels, MapsPositionAndSizeSeparately) {
    // The X pos edit at the design units: its right edge is 53 + 47, not 66 units mapped (99).
    const Rect r = DialogRectToPixels({35, 234, 31, 12}, kDesignBaseUnits);
    EXPECT_EQ(r, (Rect{53, 380, 100, 400}));
}

TEST(PreviewPlacement, CentresEachScreenInTheSquare) {
    EXPECT_EQ(PreviewPlacement(0), (Rect{50, 10, 290, 330}));
    EXPECT_EQ(PreviewPlacement(1), (Rect{10, 50, 330, 290}));
    EXPECT_EQ(PreviewPlacement(2), (Rect{50, 50, 290, 290}));
    EXPECT_EQ(PreviewPlacement(3), PreviewPlacement(0));
    EXPECT_EQ(PreviewPlacement(-1), PreviewPlacement(0));
}

TEST(DialogControls, IdsAreUniqueAndBuddiesResolve) {
    std::set<int32_t> ids;
    for (const ControlSpec& c : DialogControls()) {
        SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.id));
        if (c.id != 0) {
            EXPECT_TRUE(ids.insert(c.id).second);
        }
        if (c.kind == ControlKind::UpDown) {
            ASSERT_NE(FindControl(c.buddy), nullptr);
            EXPECT_EQ(FindControl(c.buddy)->kind, ControlKind::NumberEdit);
        }
        if (c.kind == ControlKind::Label || c.kind == ControlKind::CentredLabel) {
            EXPECT_NE(FindControl(c.buddy), nullptr);
        }
    }
    EXPECT_EQ(ids.size(), 34u);
    EXPECT_EQ(FindControl(0), nullptr);
    EXPECT_EQ(FindControl(1024), nullptr);
}

TEST(DialogControls, OneLetterButtonsHaveDistinctNames) {
    std::set<std::string_view> names;
    for (const ControlSpec& c : DialogControls()) {
        if (c.kind == ControlKind::PushButton && c.caption.size() == 1) {
            EXPECT_TRUE(names.insert(c.accessibleName).second) << c.id;
        }
    }
    EXPECT_EQ(names.size(), 6u);
    EXPECT_FALSE(names.contains(""));
}

// The preview keeps its pixel size whatever the font: at the smallest units the layout allows,
// its 320 x 320 square must still miss every shown control.
TEST(DialogControls, PreviewSquareMissesEveryControlAtTheSmallestUnits) {
    const Rect square{10, 10, 330, 330};
    const Rect dialog = DialogRectToPixels(kDialogSize, kDesignBaseUnits);
    for (const ControlSpec& c : DialogControls()) {
        SCOPED_TRACE(std::string(c.caption) + " " + std::to_string(c.id));
        const Rect r = DialogRectToPixels(c.rect, kDesignBaseUnits);
        if (c.kind != ControlKind::HiddenGroupBox) {
            EXPECT_FALSE(IntersectRect(r, square));
        }
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= dialog.right &&
                    r.bottom <= dialog.bottom);
    }
}

} // namespace
} // namespace pindrel
