#include "cli/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace pindrel::cli {

bool WriteOutputFile(std::string_view path, const WriteToFile& write, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    if (path != "-") return WriteFileAtomically(path, write, error) == AtomicWriteStatus::Written;
    // Closing the stream must not close the process's standard output.
    const int fd = ::dup(STDOUT_FILENO);
    FILE* out = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!out) {
        *error = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        return false;
    }
    return WriteAndCloseStream(out, write, error);
}

bool WriteOutputText(std::string_view path, std::string_view text, std::string* error) {
    return WriteOutputFile(
        path,
        [text](FILE* out, std::string* why) {
            if (std::fwrite(text.data(), 1, text.size(), out) == text.size()) return true;
            *why = std::strerror(errno);
            return false;
        },
        error);
}

} // namespace pindrel::cli
