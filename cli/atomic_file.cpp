#include "cli/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pindrel::cli {

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

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

// Writes into an open stream and closes it; false, with a reason, when any step fails.
bool WriteAndClose(FilePtr out, const StreamWriter& write, std::string* error) {
    error->clear();
    if (!write(out.get(), error)) {
        if (error->empty()) *error = "cannot write";
        return false;
    }
    if (std::fflush(out.get()) != 0 || std::ferror(out.get())) {
        *error = std::strerror(errno);
        return false;
    }
    if (std::fclose(out.release()) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    return true;
}

// A device, pipe or socket (/dev/stdout, a FIFO) is written where it is: renaming a file over
// it would replace the node itself. So is a symbolic link that points nowhere yet.
bool WriteInPlace(const std::filesystem::path& target, const StreamWriter& write,
                  std::string* error) {
    FilePtr out(std::fopen(target.c_str(), "wb"));
    if (!out) {
        *error = std::strerror(errno);
        return false;
    }
    return WriteAndClose(std::move(out), write, error);
}

} // namespace

bool WriteFileAtomically(std::string_view path, const StreamWriter& write, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    if (path == "-") {
        // Closing the stream must not close the process's standard output.
        const int fd = ::dup(STDOUT_FILENO);
        FilePtr out(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
        if (!out) {
            *error = std::strerror(errno);
            if (fd >= 0) ::close(fd);
            return false;
        }
        return WriteAndClose(std::move(out), write, error);
    }
    std::filesystem::path target(path);
    std::error_code ec;
    if (path.size() >= PATH_MAX) {
        *error = std::strerror(ENAMETOOLONG);
        return false;
    }
    const std::filesystem::file_status status = std::filesystem::status(target, ec);
    const bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec));
    if (std::filesystem::is_directory(status)) {
        *error = std::strerror(EISDIR);
        return false;
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteInPlace(target, write, error);
    if (link) {
        // The file the link names is replaced, and the link stays.
        std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (ec) return WriteInPlace(target, write, error);
        target = std::move(resolved);
    }

    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // Appended piece by piece: GCC 12 misreads "." + name + "..." as an overlapping copy
    // (-Wrestrict) in optimised builds.
    std::string hidden = ".";
    hidden.append(target.filename().string()).append(".XXXXXX");
    std::string name = (dir / hidden).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    TempFile temp(name);
    // mkstemp makes the file private: a file replaced keeps its permissions, a new one gets
    // those of any new file.
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    ::fchmod(fd, replacing ? (old.st_mode & 07777) : CreationMode());
    FilePtr out(::fdopen(fd, "wb"));
    if (!out) {
        *error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    if (!WriteAndClose(std::move(out), write, error)) return false;
    if (std::rename(temp.Path().c_str(), target.c_str()) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    temp.Keep();
    return true;
}

bool WriteFileAtomically(std::string_view path, std::string_view bytes, std::string* error) {
    return WriteFileAtomically(
        path,
        [bytes](FILE* out, std::string* e) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size()) return true;
            *e = std::strerror(errno);
            return false;
        },
        error);
}

} // namespace pindrel::cli
