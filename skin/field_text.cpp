#include "skin/field_text.h"

#include <ctime>

namespace pindrel {

std::string FieldText(int32_t field, CallType t, const CallerInfo& info,
                      std::string_view timeText) {
    const bool contact = t == CallType::ContactFound || t == CallType::ContactWithPicture;
    const bool number = t == CallType::NumberDetected || contact;
    switch (static_cast<CallerField>(field)) {
    case CallerField::Name:
        if (t == CallType::UnknownCaller) return "Unknown Caller";
        if (t == CallType::PrivateCaller) return "Private Caller";
        return contact ? info.name : std::string();
    case CallerField::Company:
        return contact ? info.company : std::string();
    case CallerField::Job:
        return contact ? info.job : std::string();
    case CallerField::Category:
        return contact ? info.categories : std::string();
    case CallerField::Phone:
        return number ? info.phone + " (" + info.phoneType + ")" : std::string();
    case CallerField::Time:
        return std::string(timeText);
    case CallerField::Nick:
        return number ? info.nick : std::string();
    case CallerField::PhoneType:
        return number ? info.phoneType : std::string();
    case CallerField::PhoneOnly:
        return number ? info.phone : std::string();
    }
    return {};
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local)) return {};
    char buf[32];
    const size_t n = std::strftime(buf, sizeof buf, "%H:%M", &local);
    return std::string(buf, n);
}

} // namespace pindrel
