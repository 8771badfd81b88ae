#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pindrel {

// What a layer's or group's name says besides its name.
struct LayerName {
    std::string text; // trimmed, lower-case, without the call types and the id
    int32_t type = 255;
    std::optional<int32_t> id; // "id N"
};

// Reads a name case-insensitively: "[contact, photo]" (any subset of the call types' keywords)
// sets the type; "id N" the id when withId. Other brackets stay part of the name.
LayerName ParseLayerName(std::string_view name, bool withId = false);

// A file name's stem a device takes: ASCII lower-case letters, digits, "_" and "-"; spaces
// become "_" and everything else goes.
std::string SafeFileStem(std::string_view name);

// Without blanks at either end.
std::string_view TrimBlanks(std::string_view text);
std::string AsciiLower(std::string_view text);

} // namespace pindrel
