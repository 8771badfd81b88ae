#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace pindrel::cli {

// Writes the bytes into an open stream; false, with a short reason in *error, on failure.
using StreamWriter = std::function<bool(FILE* out, std::string* error)>;

// Writes a file through write. The file appears under its name only when it is complete: it is
// written beside it under a temporary name and renamed into place, so a failure leaves no file
// (and keeps an older one), and a file replaced keeps its permissions. A symbolic link keeps
// pointing at the new file; a device or pipe (/dev/stdout) is written directly, and "-" is
// standard output. On failure returns false and puts a short reason in *error.
bool WriteFileAtomically(std::string_view path, const StreamWriter& write, std::string* error);

// The same for bytes already in memory.
bool WriteFileAtomically(std::string_view path, std::string_view bytes, std::string* error);

} // namespace pindrel::cli
