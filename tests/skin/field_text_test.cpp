#include "skin/field_text.h"

#include <gtest/gtest.h>

namespace pindrel {
namespace {

TEST(FieldText, TableOfFieldsByCallType) {
    const CallerInfo info;
    // Columns: unknown, private, number, contact, contact with picture.
    const struct {
        int32_t field;
        std::array<const char*, 5> texts;
    } rows[] = {
        {0, {"Unknown Caller", "Private Caller", "", "First Last", "First Last"}},
        {1, {"", "", "", "Company", "Company"}},
        {2, {"", "", "", "Job", "Job"}},
        {3, {"", "", "", "Cat", "Cat"}},
        {4, {"", "", "123456789 (mobile)", "123456789 (mobile)", "123456789 (mobile)"}},
        {5, {"09:41", "09:41", "09:41", "09:41", "09:41"}},
        {6, {"", "", "nick", "nick", "nick"}},
        {7, {"", "", "mobile", "mobile", "mobile"}},
        {8, {"", "", "123456789", "123456789", "123456789"}},
        {9, {"", "", "", "", ""}},
        {-1, {"", "", "", "", ""}},
    };
    for (const auto& row : rows) {
        for (size_t c = 0; c < kCallTypes.size(); ++c) {
            SCOPED_TRACE(testing::Message() << "field " << row.field << " column " << c);
            EXPECT_EQ(FieldText(row.field, kCallTypes[c], info, "09:41"), row.texts[c]);
        }
    }
}

TEST(FieldText, PhoneFormatWithEmptyParts) {
    CallerInfo info;
    info.phoneType.clear();
    EXPECT_EQ(FieldText(4, CallType::NumberDetected, info, ""), "123456789 ()");
    info.phone.clear();
    EXPECT_EQ(FieldText(4, CallType::NumberDetected, info, ""), " ()");
    info.name.clear();
    EXPECT_EQ(FieldText(0, CallType::ContactFound, info, ""), "");
}

TEST(FieldText, LocalTimeHasHoursAndMinutes) {
    const std::string t = LocalTimeText();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[2], ':');
}

} // namespace
} // namespace pindrel
