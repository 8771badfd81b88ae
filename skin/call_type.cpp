#include "skin/call_type.h"

namespace pindrel {

std::optional<int32_t> FindCallerField(std::string_view name) {
    for (size_t i = 0; i < kCallerFieldNames.size(); ++i) {
        if (kCallerFieldNames[i] == name) return static_cast<int32_t>(i);
    }
    return std::nullopt;
}

} // namespace pindrel
