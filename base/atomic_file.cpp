#include "base/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/read_file.h"

namespace pindrel {

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
bool WriteAndClose(FilePtr out, const WriteToFile& write, std::string* error) {
    error->clear();
    errno = 0;
    if (!write(out.get(), error)) {
        // A short fwrite leaves its reason in errno: "No space left on device" says what to do.
        if (error->empty()) *error = errno != 0 ? std::strerror(errno) : "cannot write";
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

// A device, pipe or socket is written where it is: renaming a file over it would replace the
// node itself. So is a symbolic link that points nowhere yet.
AtomicWriteStatus WriteInPlace(const std::filesystem::path& target, const WriteToFile& write,
                               std::string* error) {
    FilePtr out(std::fopen(target.c_str(), "wb"));
    if (!out) {
        *error = std::strerror(errno);
        return AtomicWriteStatus::Failed;
    }
    return WriteAndClose(std::move(out), write, error) ? AtomicWriteStatus::Written
                                                       : AtomicWriteStatus::Failed;
}

AtomicWriteStatus Fail(std::string* error, std::string reason) {
    *error = std::move(reason);
    return AtomicWriteStatus::Failed;
}

// Whether the file holds exactly these bytes; a longer one is not read.
bool Holds(const std::filesystem::path& file, std::span<const uint8_t> bytes) {
    const ReadFileResult now = ReadRegularFile(file.string(), bytes.size());
    return now.status == ReadFileStatus::Ok && std::ranges::equal(now.bytes, bytes);
}

// A change of mode or owner alone (the change time) is no new version: with the bytes compared
// as well, what a writer left half done still shows in the size, the modification time or them.
bool SameVersion(std::optional<FileStamp> now, FileStamp then) {
    if (!now) return false;
    now->changed = then.changed;
    return *now == then;
}

constexpr std::string_view kChanged = "the file changed on disk since it was read";

// Fills a temporary file beside target with the given mode and renames it over target, which
// replaces whatever node stands under that name; unchanged, when given, is asked right before.
AtomicWriteStatus WriteBesideAndRename(const std::filesystem::path& target, mode_t mode,
                                       const WriteToFile& write, std::string* error,
                                       const std::function<bool()>& unchanged = {}) {
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // Appended piece by piece: GCC 12 misreads "." + name + "..." as an overlapping copy
    // (-Wrestrict) in optimised builds.
    std::string hidden = ".";
    hidden.append(target.filename().string()).append(".XXXXXX");
    std::string name = (dir / hidden).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return Fail(error, std::strerror(errno));
    TempFile temp(name);
    ::fchmod(fd, mode); // mkstemp makes the file private
    FilePtr out(::fdopen(fd, "wb"));
    if (!out) {
        const int e = errno;
        ::close(fd);
        return Fail(error, std::strerror(e));
    }
    if (!WriteAndClose(std::move(out), write, error)) return AtomicWriteStatus::Failed;
    if (unchanged && !unchanged()) {
        *error = kChanged;
        return AtomicWriteStatus::Changed;
    }
    if (std::rename(temp.Path().c_str(), target.c_str()) != 0)
        return Fail(error, std::strerror(errno));
    temp.Keep();
    return AtomicWriteStatus::Written;
}

} // namespace

bool WriteAndCloseStream(FILE* out, const WriteToFile& write, std::string* error) {
    return WriteAndClose(FilePtr(out), write, error);
}

AtomicWriteStatus WriteFileAtomically(std::string_view path, const WriteToFile& write,
                                      std::string* error,
                                      std::optional<std::span<const uint8_t>> expected,
                                      std::optional<FileStamp> expectedStamp) {
    std::string ignored;
    if (!error) error = &ignored;
    if (path.size() >= PATH_MAX) return Fail(error, std::strerror(ENAMETOOLONG));
    std::filesystem::path target(path);
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(target, ec);
    const bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec));
    if (std::filesystem::is_directory(status)) return Fail(error, std::strerror(EISDIR));
    const bool exists = std::filesystem::exists(status);
    if (expected && !std::filesystem::is_regular_file(status)) {
        // Gone, or never a file whose bytes could be compared.
        *error = exists ? "not a regular file" : std::string(kChanged);
        return exists ? AtomicWriteStatus::Failed : AtomicWriteStatus::Changed;
    }
    if (exists && !std::filesystem::is_regular_file(status))
        return WriteInPlace(target, write, error);
    if (link) {
        // The file the link names is replaced, and the link stays.
        std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (ec) return WriteInPlace(target, write, error);
        target = std::move(resolved);
    }
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    // The mode bits, not access(): root may write anything, and must not replace this either.
    if (expected && replacing && (existing.st_mode & 0222) == 0)
        return Fail(error, std::string(kReadOnlyFile));

    const mode_t mode = replacing ? (existing.st_mode & 07777) : CreationMode();
    // As late as can be: whatever changes between this look and the rename is lost.
    return WriteBesideAndRename(target, mode, write, error, [&] {
        return (!expectedStamp || SameVersion(StampFile(target.string()), *expectedStamp)) &&
               (!expected || Holds(target, *expected));
    });
}

AtomicWriteStatus ReplaceFileAtomically(std::string_view path, const WriteToFile& write,
                                        std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    // lstat: what stands under the name itself, not what a link points at.
    struct stat existing {};
    const std::string name(path);
    const bool present = ::lstat(name.c_str(), &existing) == 0;
    if (present && S_ISDIR(existing.st_mode)) return Fail(error, std::strerror(EISDIR));
    const mode_t mode =
        present && S_ISREG(existing.st_mode) ? (existing.st_mode & 07777) : CreationMode();
    return WriteBesideAndRename(name, mode, write, error);
}

AtomicWriteStatus WriteBytesAtomically(std::string_view path, std::span<const uint8_t> bytes,
                                       std::string* error,
                                       std::optional<std::span<const uint8_t>> expected,
                                       std::optional<FileStamp> expectedStamp) {
    return WriteFileAtomically(
        path,
        [bytes](FILE* out, std::string*) {
            return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        },
        error, expected, expectedStamp);
}

} // namespace pindrel
