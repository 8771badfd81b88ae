#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace pindrel::cli {

// Writes a file that appears under its name only when it is complete: write(out, error) fills a
// temporary file beside it, which is renamed into place, so a failure leaves no file (and keeps
// an older one). A file that is replaced keeps its permissions; a new one gets those of any new
// file. A symbolic link keeps pointing at the new file; a device or pipe (/dev/stdout) is written
// directly, and "-" is standard output. On failure returns false and puts a short reason in
// *error.
bool WriteFileAtomically(std::string_view path,
                         const std::function<bool(FILE* out, std::string* error)>& write,
                         std::string* error);

} // namespace pindrel::cli
