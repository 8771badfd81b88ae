#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pindrel::cli {

// SHA-256 of bytes as 64 lower-case hex digits.
std::string Sha256Hex(std::string_view bytes);

// SHA-256 of a regular file's bytes, read in pieces; nothing, with the reason in *error, for a
// file that cannot be read or is no regular file (a pipe is refused before it could block).
std::optional<std::string> FileSha256(std::string_view path, std::string* error = nullptr);

} // namespace pindrel::cli
