#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>

#include "render/geometry.h"

namespace pindrel {

// The kind of incoming call being previewed; single bits, so elements carry a mask of them.
enum class CallType : int32_t {
    UnknownCaller = 1,
    PrivateCaller = 2,
    NumberDetected = 4,
    ContactFound = 8,
    ContactWithPicture = 16,
};
inline constexpr std::array<CallType, 5> kCallTypes = {
    CallType::UnknownCaller, CallType::PrivateCaller, CallType::NumberDetected,
    CallType::ContactFound, CallType::ContactWithPicture};

// Lower-case names of the call types, parallel to kCallTypes, for command lines and file names.
inline constexpr std::array<std::string_view, 5> kCallTypeKeywords = {"unknown", "private",
                                                                      "number", "contact", "photo"};

// The place of a call type in kCallTypes: its lowest bit's number; 0 for a value of no such bit.
constexpr size_t CallTypeIndex(CallType t) {
    const auto i = static_cast<size_t>(std::countr_zero(static_cast<uint32_t>(t)));
    return i < kCallTypes.size() ? i : 0;
}

// An element with this mask is shown under call type t.
constexpr bool ShownFor(int32_t mask, CallType t) {
    return (mask & static_cast<int32_t>(t)) != 0;
}

// Ids of the caller data items a label can show.
enum class CallerField : int32_t {
    Name = 0,
    Company = 1,
    Job = 2,
    Category = 3,
    Phone = 4,
    Time = 5,
    Nick = 6,
    PhoneType = 7,
    PhoneOnly = 8,
};
inline constexpr std::array<std::string_view, 9> kCallerFieldNames = {
    "name", "company", "job", "category", "phone", "time", "nick", "phonetype", "phoneonly"};

// The id of a field name, compared exactly and case-sensitively; nothing when unknown.
std::optional<int32_t> FindCallerField(std::string_view name);

// Screen orientations, indexes of every per-orientation table.
enum Orientation : int32_t { Portrait = 0, Landscape = 1, Square = 2 };
inline constexpr int32_t kOrientationCount = 3;
// Lower-case names of the orientations, for command lines and file names.
inline constexpr std::array<std::string_view, 3> kOrientationKeywords = {"portrait", "landscape",
                                                                         "square"};
inline constexpr std::array<Size, 3> kScreenSizes = {Size{240, 320}, Size{320, 240},
                                                     Size{240, 240}};

} // namespace pindrel
