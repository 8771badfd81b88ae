#include "cli/folder_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/atomic_file.h"
#include "cli/cli_skin.h"
#include "cli/png_writer.h"

namespace pindrel::cli {

namespace {

// Removes the temporary file unless it was renamed into place.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

mode_t CreationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WriteFolderFile(const std::string& path, std::string_view bytes, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    const std::filesystem::path target(path);
    // lstat: what stands under the name itself, not what a link points at.
    struct stat existing {};
    const bool present = ::lstat(path.c_str(), &existing) == 0;
    if (present && S_ISDIR(existing.st_mode)) {
        *error = std::strerror(EISDIR);
        return false;
    }
    const mode_t mode =
        present && S_ISREG(existing.st_mode) ? (existing.st_mode & 07777) : CreationMode();
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::string hidden = ".";
    hidden.append(target.filename().string()).append(".XXXXXX");
    std::string name = (dir / hidden).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    TempFile temp(name);
    ::fchmod(fd, mode); // mkstemp makes the file private
    FILE* out = ::fdopen(fd, "wb");
    if (!out) {
        *error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    const bool written = WriteAndCloseStream(
        out,
        [bytes](FILE* f, std::string* why) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) return true;
            *why = std::strerror(errno);
            return false;
        },
        error);
    if (!written) return false;
    // rename replaces a link or any other node under the name, and follows none.
    if (std::rename(temp.Path().c_str(), path.c_str()) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    temp.Keep();
    return true;
}

bool WriteFolderPngOrSay(const std::string& path, ConstPixelView picture) {
    std::string error;
    const std::optional<std::string> png = EncodePng(picture, &error);
    if (png && WriteFolderFile(path, *png, &error)) return true;
    PrintError(path + ": " + error);
    return false;
}

} // namespace pindrel::cli
