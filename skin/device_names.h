#pragma once

#include <string>
#include <string_view>

namespace pindrel {

// How the device's file system takes names: it compares them without case, and refuses some
// characters and names outright. A skin that works here may find nothing there.

// Why the device refuses one name of a folder or file (a path component, without "/"): a
// control byte or one of <>:"\|?*, a reserved name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also
// with an extension), or a last character that is a dot or a space. Empty when it takes it.
std::string DeviceRefusal(std::string_view name);

// The name as the device compares it: ASCII letters in lower case.
std::string FoldCase(std::string_view name);

// Bytes of 0x80 and above, which the device reads in its own code page.
bool HasNonAsciiByte(std::string_view name);

} // namespace pindrel
