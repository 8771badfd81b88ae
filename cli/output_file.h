#pragma once

#include <string>
#include <string_view>

#include "base/atomic_file.h"

namespace pindrel::cli {

// Writes an output file whole or not at all, as WriteFileAtomically does; "-" is standard
// output. False, with a short reason in *error, on failure.
bool WriteOutputFile(std::string_view path, const WriteToFile& write, std::string* error);
// The same for text at hand.
bool WriteOutputText(std::string_view path, std::string_view text, std::string* error);

} // namespace pindrel::cli
