#include "skin/device_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace pindrel {

namespace {

constexpr std::string_view kRefusedCharacters = "<>:\"\\|?*";
constexpr std::array<std::string_view, 4> kReservedNames = {"con", "prn", "aux", "nul"};
// COM1 to COM9 and LPT1 to LPT9.
constexpr std::array<std::string_view, 2> kNumberedDevices = {"com", "lpt"};

bool IsReserved(std::string_view name) {
    // The device reserves the name whatever extension follows it, and reads "CON .bmp" as CON.
    std::string base = FoldCase(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (std::find(kReservedNames.begin(), kReservedNames.end(), base) != kReservedNames.end())
        return true;
    return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
           std::find(kNumberedDevices.begin(), kNumberedDevices.end(),
                     std::string_view(base).substr(0, 3)) != kNumberedDevices.end();
}

} // namespace

std::string DeviceRefusal(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            char text[48];
            std::snprintf(text, sizeof text, "holds the control byte 0x%02X", byte);
            return text;
        }
        if (kRefusedCharacters.find(c) != std::string_view::npos)
            return std::string("holds \"") + c + "\", which the device refuses in names";
    }
    if (IsReserved(name)) return "is a reserved device name";
    if (!name.empty() && name.back() == '.') return "ends in a dot, which the device drops";
    if (!name.empty() && name.back() == ' ') return "ends in a space, which the device drops";
    return {};
}

std::string FoldCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool HasNonAsciiByte(std::string_view name) {
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

} // namespace pindrel
