#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/read_file.h"

namespace pindrel {

enum class AtomicWriteStatus {
    Written,
    Failed,  // nothing was replaced; the error says why
    Changed, // the file no longer held the expected bytes, and was left as it was
};

// Fills the stream; false, with a reason in *error when it has one, on failure.
using WriteToFile = std::function<bool(FILE* out, std::string* error)>;

// Writes a file that appears under its name only when it is complete: write fills a temporary
// file beside it, which is renamed into place, so a failure leaves no file (and keeps an older
// one). A file that is replaced keeps its permissions; a new one gets those of any new file. A
// symbolic link stays and keeps pointing at the new file; a device or pipe is written directly.
// With `expected`, the file must hold exactly those bytes right before it is replaced, so that
// what changed on disk behind the writer's back is not overwritten: otherwise nothing is written
// and the result is Changed; so it is when the file is no longer the version of expectedStamp
// (a change of mode or owner alone aside). A file
// replaced with `expected` must have a write permission bit, whoever runs this, as an editor
// asks: otherwise it fails with "read-only file". On failure *error gets a short reason.
AtomicWriteStatus WriteFileAtomically(std::string_view path, const WriteToFile& write,
                                      std::string* error,
                                      std::optional<std::span<const uint8_t>> expected = {},
                                      std::optional<FileStamp> expectedStamp = {});

// For files a tool names itself inside a folder that may be someone else's: the same, but
// whatever stands under the name (a symbolic link, a pipe) is replaced, never written through;
// a regular file keeps its permissions.
AtomicWriteStatus ReplaceFileAtomically(std::string_view path, const WriteToFile& write,
                                        std::string* error);

// Fills an open stream with write, flushes and closes it, whatever happens; false, with a short
// reason in *error, when a step fails. For outputs that are no files, such as standard output.
bool WriteAndCloseStream(FILE* out, const WriteToFile& write, std::string* error);

// The same for bytes at hand.
AtomicWriteStatus WriteBytesAtomically(std::string_view path, std::span<const uint8_t> bytes,
                                       std::string* error,
                                       std::optional<std::span<const uint8_t>> expected = {},
                                       std::optional<FileStamp> expectedStamp = {});

inline constexpr std::string_view kReadOnlyFile = "read-only file";

} // namespace pindrel
