#include "cli/cli_skin.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "base/read_file.h"
#include "cli/png_writer.h"
#include "ini/skin_ini_file.h"
#include "res/resources.h"
#include "skin/font_cache.h"

namespace pindrel::cli {

namespace {

constexpr std::string_view kProgram = "pindrel-cli";

// The bundled example skin lies where it installs relative to this program; a build tree holds
// the same layout around its programs. No absolute path is compiled in, so the program does not
// depend on where it was built or where it is installed.
std::optional<std::filesystem::path> ExampleSkin() {
    if (!*PINDREL_EXAMPLE_SKIN_FROM_BIN) return std::nullopt;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    return (self.parent_path() / PINDREL_EXAMPLE_SKIN_FROM_BIN).lexically_normal();
}

// Makes a folder the current directory for the object's life. The way back is held open, not
// named: the current directory may lie deeper than any path the system accepts.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::filesystem::path& dir)
        : previous_(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {
        entered_ = previous_ >= 0 && ::chdir(dir.c_str()) == 0;
        if (!entered_) error_ = errno;
    }
    ~CurrentDirScope() {
        if (entered_ && ::fchdir(previous_) != 0) {
            // Relative output paths would now name other files: nothing more may be written.
            PrintError(std::string("cannot return to the working folder: ") + std::strerror(errno));
            std::_Exit(kExitFailed);
        }
        if (previous_ >= 0) ::close(previous_);
    }
    CurrentDirScope(const CurrentDirScope&) = delete;
    CurrentDirScope& operator=(const CurrentDirScope&) = delete;

    bool Entered() const { return entered_; }
    int Error() const { return error_; }

private:
    int previous_;
    bool entered_ = false;
    int error_ = 0;
};

} // namespace

void PrintError(std::string_view message) {
    std::string line(kProgram);
    line += ": error: ";
    line += message;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void PrintBmpError(std::string_view path, const BmpResult& result) {
    PrintError(std::string(path) + ": " + std::string(result.reason) + " (status " +
               std::to_string(static_cast<int>(result.status)) + ")");
}

void PrintSkinReadError(std::string_view path, std::string_view shown) {
    PrintError(std::string(shown.empty() ? path : shown) + ": " + SkinReadProblem(path));
}

int WritePngOrSay(std::string_view path, ConstPixelView picture) {
    std::string error;
    if (WritePng(path, picture, &error)) return kExitOk;
    PrintError((path == "-" ? std::string("standard output") : std::string(path)) + ": " + error);
    return kExitFailed;
}

bool WriteStdout(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        PrintError(std::string("cannot write to standard output: ") + std::strerror(errno));
        return false;
    }
    return true;
}

std::string SkinPathOrDefault(std::string_view skin) {
    if (!skin.empty()) return std::string(skin);
    if (const auto example = ExampleSkin()) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(*example, ec)) return example->string();
    }
    PrintError("no SKIN given, and the example skin is not installed");
    return {};
}

bool LoadSkin(Skin& skin, std::string_view path) {
    // The skin is opened by its name inside its folder: a relative path, however deep the
    // current directory lies, and an absolute one alike.
    const std::filesystem::path p(path);
    const std::filesystem::path folder = p.parent_path();
    if (folder.empty()) {
        if (skin.Load(path)) return true;
        PrintSkinReadError(path);
        return false;
    }
    const CurrentDirScope scope(folder);
    if (!scope.Entered()) {
        skin.Load({}); // cleared, as a failed load leaves it
        const std::string_view detail = OpenFailureDetail(folder.string(), scope.Error());
        PrintError(std::string(path) + ": " +
                   (!detail.empty()           ? std::string(detail)
                    : scope.Error() == ENOENT ? std::string("no such folder")
                                              : std::string(std::strerror(scope.Error()))));
        return false;
    }
    if (skin.Load(p.filename().string())) return true;
    PrintSkinReadError(p.filename().string(), path);
    return false;
}

std::optional<DibImage> LoadPhoto(std::string_view path) {
    BmpResult result = path.empty() ? LoadBmp(res::SamplePhotoBmp()) : LoadBmp(path);
    if (!result.image) {
        PrintBmpError(path.empty() ? "built-in sample photo" : path, result);
        return std::nullopt;
    }
    return std::move(result.image);
}

bool PrepareSkin(SampleSkin& skin, const SampleOptions& options) {
    ScreenDpiY = options.dpi;
    skin.info = options.info;
    skin.time = options.time;
    skin.photo = LoadPhoto(options.photo);
    return skin.photo.has_value();
}

} // namespace pindrel::cli
