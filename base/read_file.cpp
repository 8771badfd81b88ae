#include "base/read_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace pindrel {

namespace {

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

constexpr int kStableReadTries = 8;

FileStamp StampOf(const struct stat& st) {
    const auto ns = [](const timespec& t) { return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; };
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<uint64_t>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

// How long until the file has been left alone for kFileQuietNanoseconds; 0 when it has. File
// times come from the kernel's coarse clock, so it is the one to compare with; a time far in the
// future says nothing about a writer.
int64_t QuietIn(const FileStamp& stamp) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const int64_t age =
        int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec - std::max(stamp.modified, stamp.changed);
    if (age >= kFileQuietNanoseconds || age <= -kFileQuietNanoseconds) return 0;
    return kFileQuietNanoseconds - age;
}

// Opens a regular file for reading; the status says why not, and *error the errno.
ReadFileStatus OpenRegular(const std::string& p, Fd& f, struct stat& st, int* error) {
    if (p.empty()) return ReadFileStatus::CannotOpen;
    // O_NONBLOCK: opening a FIFO without a writer must not wait; regular files ignore it.
    f.fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (f.fd < 0) {
        *error = errno;
        return errno == EISDIR ? ReadFileStatus::NotRegular : ReadFileStatus::CannotOpen;
    }
    if (::fstat(f.fd, &st) != 0) {
        *error = errno;
        return ReadFileStatus::ReadError;
    }
    if (!S_ISREG(st.st_mode)) return ReadFileStatus::NotRegular;
    return ReadFileStatus::Ok;
}

// Reads up to bytes.size() bytes; a file that shrank while being read keeps what was there.
bool ReadInto(const Fd& f, std::vector<uint8_t>& bytes, int* error) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(f.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            *error = errno;
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return true;
}

} // namespace

ReadFileResult ReadRegularFile(std::string_view path, uint64_t maxBytes) {
    ReadFileResult result;
    Fd f;
    struct stat st {};
    result.status = OpenRegular(std::string(path), f, st, &result.error);
    if (result.status != ReadFileStatus::Ok) return result;
    const auto size = static_cast<uint64_t>(st.st_size);
    if (size > maxBytes || size > std::numeric_limits<size_t>::max() / 2) {
        result.status = ReadFileStatus::TooLarge;
        return result;
    }
    result.stamp = StampOf(st);
    result.bytes.resize(static_cast<size_t>(size));
    if (!ReadInto(f, result.bytes, &result.error)) result.status = ReadFileStatus::ReadError;
    return result;
}

ReadFileResult ReadStableFile(std::string_view path, uint64_t maxBytes) {
    using Clock = std::chrono::steady_clock;
    const auto quiet = std::chrono::nanoseconds(kFileQuietNanoseconds);
    std::optional<FileStamp> seen; // the stamp of the last read, and since when it stands
    Clock::time_point seenSince;
    for (int changes = 0;;) {
        ReadFileResult result = ReadRegularFile(path, maxBytes);
        if (result.status != ReadFileStatus::Ok) return result;
        const bool steady =
            StampFile(path) == result.stamp && result.bytes.size() == result.stamp.size;
        if (steady && seen == result.stamp && Clock::now() - seenSince >= quiet) return result;
        if (steady && seen != result.stamp && QuietIn(result.stamp) == 0) return result;
        // A recent file is read again once it has stood still for a while, by our own clock.
        if ((!steady || (seen && seen != result.stamp)) && ++changes == kStableReadTries) {
            result.status = ReadFileStatus::Unstable;
            result.bytes.clear();
            return result;
        }
        if (seen != result.stamp || !steady) {
            seen = steady ? std::optional(result.stamp) : std::nullopt;
            seenSince = Clock::now();
        }
        std::this_thread::sleep_for(steady ? quiet : quiet / 4);
    }
}

std::optional<FileStamp> StampFile(std::string_view path) {
    struct stat st {};
    if (::stat(std::string(path).c_str(), &st) != 0) return std::nullopt;
    return StampOf(st);
}

ReadFileResult ReadRegularFileHead(std::string_view path, size_t maxBytes) {
    ReadFileResult result;
    Fd f;
    struct stat st {};
    result.status = OpenRegular(std::string(path), f, st, &result.error);
    if (result.status != ReadFileStatus::Ok) return result;
    result.bytes.resize(std::min<uint64_t>(maxBytes, static_cast<uint64_t>(st.st_size)));
    if (!ReadInto(f, result.bytes, &result.error)) result.status = ReadFileStatus::ReadError;
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
