#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace pindrel {

enum class ReadFileStatus {
    Ok,
    CannotOpen, // missing, no permission
    NotRegular, // directory, FIFO, device, socket
    TooLarge,   // larger than the caller's limit
    ReadError,
};

struct ReadFileResult {
    ReadFileStatus status = ReadFileStatus::CannotOpen;
    std::vector<uint8_t> bytes;
    int error = 0; // errno of the call that failed
};

// Reads a whole regular file. Anything else (a directory, a pipe, /dev/zero) is refused before a
// single byte is read, so a hostile path can neither block nor stream without end.
ReadFileResult ReadRegularFile(std::string_view path,
                               uint64_t maxBytes = std::numeric_limits<uint64_t>::max());

// Reads at most the first maxBytes of a regular file, refusing the same files.
ReadFileResult ReadRegularFileHead(std::string_view path, size_t maxBytes);

// Why opening path failed with errno error, where that says more than "cannot open": "dangling
// symbolic link", "symbolic link loop", "permission denied", "file name too long". Empty for
// anything else, a missing file among them.
std::string_view OpenFailureDetail(std::string_view path, int error);

} // namespace pindrel
