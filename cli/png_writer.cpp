#include "cli/png_writer.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include <climits>
#include <fcntl.h>
#include <png.h>
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

void OnPngError(png_structp png, png_const_charp message) {
    if (auto* error = static_cast<std::string*>(png_get_error_ptr(png))) *error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, so this frame holds nothing with a destructor.
bool Encode(FILE* out, int32_t width, int32_t height, png_bytepp rows, std::string* error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnPngError, OnPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png); // the pictures are stored blue, green, red
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

mode_t CreationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Encodes into an open stream and closes it; false, with a reason, when any step fails.
bool EncodeAndClose(FilePtr out, ConstPixelView picture, std::string* error) {
    std::vector<png_bytep> rows(static_cast<size_t>(picture.height));
    for (int32_t y = 0; y < picture.height; ++y) {
        // libpng copies each row before transforming it, so the pixels are only read.
        rows[static_cast<size_t>(y)] = const_cast<png_bytep>(picture.Row(y));
    }
    error->clear();
    if (!Encode(out.get(), picture.width, picture.height, rows.data(), error)) {
        if (error->empty()) *error = "cannot encode PNG";
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
bool WriteInPlace(const std::filesystem::path& target, ConstPixelView picture, std::string* error) {
    FilePtr out(std::fopen(target.c_str(), "wb"));
    if (!out) {
        *error = std::strerror(errno);
        return false;
    }
    return EncodeAndClose(std::move(out), picture, error);
}

} // namespace

bool WritePng(std::string_view path, ConstPixelView picture, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    if (picture.Empty()) {
        *error = "empty picture";
        return false;
    }
    if (path == "-") {
        // Closing the stream must not close the process's standard output.
        const int fd = ::dup(STDOUT_FILENO);
        FilePtr out(fd >= 0 ? ::fdopen(fd, "wb") : nullptr);
        if (!out) {
            *error = std::strerror(errno);
            if (fd >= 0) ::close(fd);
            return false;
        }
        return EncodeAndClose(std::move(out), picture, error);
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
        return WriteInPlace(target, picture, error);
    if (link) {
        // The file the link names is replaced, and the link stays.
        std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (ec) return WriteInPlace(target, picture, error);
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
    if (!EncodeAndClose(std::move(out), picture, error)) return false;
    if (std::rename(temp.Path().c_str(), target.c_str()) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    temp.Keep();
    return true;
}

} // namespace pindrel::cli
