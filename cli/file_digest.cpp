#include "cli/file_digest.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <nettle/sha2.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pindrel::cli {

namespace {

std::string Hex(const std::array<uint8_t, SHA256_DIGEST_SIZE>& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(digest.size() * 2);
    for (const uint8_t b : digest) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::string Finish(sha256_ctx& ctx) {
    std::array<uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&ctx, digest.size(), digest.data());
    return Hex(digest);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string Sha256Hex(std::string_view bytes) {
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    return Finish(ctx);
}

std::optional<std::string> FileSha256(std::string_view path, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    // Non-blocking, so that opening a FIFO returns at once; it is refused below.
    const Fd fd(::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) {
        *error = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        *error = "not a regular file";
        return std::nullopt;
    }
    sha256_ctx ctx;
    sha256_init(&ctx);
    std::array<uint8_t, 64 * 1024> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            *error = std::strerror(errno);
            return std::nullopt;
        }
        sha256_update(&ctx, static_cast<size_t>(n), buffer.data());
    }
    return Finish(ctx);
}

} // namespace pindrel::cli
