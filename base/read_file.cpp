#include "base/read_file.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pindrel {

namespace {

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

ReadFileResult ReadRegularFile(std::string_view path, uint64_t maxBytes) {
    ReadFileResult result;
    const std::string p(path);
    if (p.empty()) return result;
    // O_NONBLOCK: opening a FIFO without a writer must not wait; regular files ignore it.
    Fd f{::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (f.fd < 0) {
        result.error = errno;
        result.status = (errno == EISDIR) ? ReadFileStatus::NotRegular : ReadFileStatus::CannotOpen;
        return result;
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) {
        result.error = errno;
        result.status = ReadFileStatus::ReadError;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = ReadFileStatus::NotRegular;
        return result;
    }
    const auto size = static_cast<uint64_t>(st.st_size);
    if (size > maxBytes || size > std::numeric_limits<size_t>::max() / 2) {
        result.status = ReadFileStatus::TooLarge;
        return result;
    }
    result.bytes.resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t n = ::read(f.fd, result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = errno;
            result.bytes.clear();
            result.status = ReadFileStatus::ReadError;
            return result;
        }
        if (n == 0) break; // shrank while we read: keep what was there
        done += static_cast<size_t>(n);
    }
    result.bytes.resize(done);
    result.status = ReadFileStatus::Ok;
    return result;
}

std::string_view OpenFailureDetail(std::string_view path, int error) {
    switch (error) {
    case ENOENT: {
        // A link whose target is missing is there, and the name is right.
        struct stat st {};
        const std::string p(path);
        if (!p.empty() && ::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            return "dangling symbolic link";
        return {};
    }
    case ELOOP:
        return "symbolic link loop";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENAMETOOLONG:
        return "file name too long";
    case ENOTDIR:
        return "a folder in the path is a file";
    default:
        return {};
    }
}

} // namespace pindrel
