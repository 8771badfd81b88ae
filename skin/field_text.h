#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/call_type.h"

namespace pindrel {

// Sample caller data typed by the skin author, with the defaults a fresh designer shows.
struct CallerInfo {
    std::string name = "First Last";
    std::string company = "Company";
    std::string job = "Job";
    std::string categories = "Cat";
    std::string phone = "123456789";
    std::string phoneType = "mobile";
    std::string nick = "nick";
    friend bool operator==(const CallerInfo&, const CallerInfo&) = default;
};

// The text caller field `field` shows under call type t; empty for unknown ids.
std::string FieldText(int32_t field, CallType t, const CallerInfo& info, std::string_view timeText);

// The current local time as hours and minutes.
std::string LocalTimeText();

} // namespace pindrel
