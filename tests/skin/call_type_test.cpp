#include "skin/call_type.h"

#include <gtest/gtest.h>

namespace pindrel {
namespace {

TEST(FindCallerField, ExactCaseSensitiveNames) {
    const struct {
        const char* name;
        std::optional<int32_t> id;
    } cases[] = {
        {"name", 0},  {"company", 1}, {"job", 2},       {"category", 3},  {"phone", 4},
        {"time", 5},  {"nick", 6},    {"phonetype", 7}, {"phoneonly", 8}, {"Name", {}},
        {"NAME", {}}, {" name", {}},  {"", {}},         {"phon", {}},     {"categories", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindCallerField(c.name), c.id);
    }
}

TEST(ShownFor, MaskBits) {
    EXPECT_TRUE(ShownFor(255, CallType::ContactWithPicture));
    EXPECT_FALSE(ShownFor(0, CallType::UnknownCaller));
    EXPECT_TRUE(ShownFor(24, CallType::ContactFound));
    EXPECT_FALSE(ShownFor(24, CallType::NumberDetected));
    EXPECT_TRUE(ShownFor(3, CallType::PrivateCaller));
    EXPECT_FALSE(ShownFor(32 | 64, CallType::ContactWithPicture));
}

} // namespace
} // namespace pindrel
