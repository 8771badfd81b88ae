#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace pindrel {

enum class ReadFileStatus {
    Ok,
    CannotOpen, // missing, no permission
    NotRegular, // directory, FIFO, device, socket
    TooLarge,   // larger than the caller's limit
    ReadError,
    Unstable, // kept changing while it was read
};

// What tells one version of a file from the next: a write changes the size or the times, a
// replacement the inode.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified = 0; // nanoseconds since the epoch
    int64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ReadFileResult {
    ReadFileStatus status = ReadFileStatus::CannotOpen;
    std::vector<uint8_t> bytes;
    int error = 0;     // errno of the call that failed
    FileStamp stamp{}; // of the file as it was read
};

// Reads a whole regular file. Anything else (a directory, a pipe, /dev/zero) is refused before a
// single byte is read, so a hostile path can neither block nor stream without end.
ReadFileResult ReadRegularFile(std::string_view path,
                               uint64_t maxBytes = std::numeric_limits<uint64_t>::max());

// How long a file must have been left alone before ReadStableFile takes it as written whole: a
// writer that truncates a file and fills it in steps is caught between them, however fast the
// read is.
inline constexpr int64_t kFileQuietNanoseconds = 50'000'000;

// ReadRegularFile for a file that is to be edited and written back: its stamp is the same
// before and after the read, and older than kFileQuietNanoseconds. A file that is not is read
// again a few times, and then refused as Unstable.
ReadFileResult ReadStableFile(std::string_view path,
                              uint64_t maxBytes = std::numeric_limits<uint64_t>::max());

// The stamp of the file at path, through links; nothing when there is none.
std::optional<FileStamp> StampFile(std::string_view path);

// Reads at most the first maxBytes of a regular file, refusing the same files.
ReadFileResult ReadRegularFileHead(std::string_view path, size_t maxBytes);

// Why opening path failed with errno error, where that says more than "cannot open": "dangling
// symbolic link", "symbolic link loop", "permission denied", "file name too long". Empty for
// anything else, a missing file among them.
std::string_view OpenFailureDetail(std::string_view path, int error);

} // namespace pindrel
