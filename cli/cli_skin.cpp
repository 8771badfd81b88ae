#include "cli/cli_skin.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "ini/skin_ini_file.h"
#include "res/resources.h"
#include "skin/font_cache.h"

namespace pindrel::cli {

namespace {

constexpr std::string_view kProgram = "pindrel-cli";

// Where the bundled example skin is: beside the sources of this build, where it installs
// relative to this program, then where it installs by the build's prefix.
std::vector<std::filesystem::path> ExampleSkinCandidates() {
    std::vector<std::filesystem::path> paths;
    if (*PINDREL_SOURCE_EXAMPLE_SKIN) paths.emplace_back(PINDREL_SOURCE_EXAMPLE_SKIN);
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && *PINDREL_EXAMPLE_SKIN_FROM_BIN)
        paths.push_back((self.parent_path() / PINDREL_EXAMPLE_SKIN_FROM_BIN).lexically_normal());
    if (*PINDREL_INSTALLED_EXAMPLE_SKIN) paths.emplace_back(PINDREL_INSTALLED_EXAMPLE_SKIN);
    return paths;
}

// Makes a folder the current directory for the object's life.
class CurrentDirScope {
public:
    explicit CurrentDirScope(const std::filesystem::path& dir) {
        std::error_code ec;
        previous_ = std::filesystem::current_path(ec);
        if (ec) previous_.clear();
        entered_ = !previous_.empty() && ::chdir(dir.c_str()) == 0;
    }
    ~CurrentDirScope() {
        if (entered_ && ::chdir(previous_.c_str()) != 0)
            PrintError("cannot return to " + previous_.string());
    }
    CurrentDirScope(const CurrentDirScope&) = delete;
    CurrentDirScope& operator=(const CurrentDirScope&) = delete;

private:
    std::filesystem::path previous_;
    bool entered_ = false;
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

void PrintSkinReadError(std::string_view path) {
    PrintError(std::string(path) + ": " + SkinReadProblem(path));
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
    for (const std::filesystem::path& candidate : ExampleSkinCandidates()) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate.string();
    }
    PrintError("no SKIN given, and the example skin is not installed");
    return {};
}

std::string CliSkin::GetFieldText(int32_t field) {
    const CallType t = GetCallType(nullptr);
    if (static_cast<CallerField>(field) == CallerField::Time) return time ? *time : LocalTimeText();
    return FieldText(field, t, info, {});
}

CallType CliSkin::GetCallType(ConstPixelView* p) {
    if (p) *p = photo ? photo->View() : ConstPixelView{};
    return callType;
}

bool LoadSkin(Skin& skin, std::string_view path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    bool loaded = false;
    if (!ec) {
        const CurrentDirScope scope(absolute.parent_path());
        loaded = skin.Load(absolute.string());
    }
    if (!loaded) PrintSkinReadError(path);
    return loaded;
}

std::optional<DibImage> LoadPhoto(std::string_view path) {
    BmpResult result = path.empty() ? LoadBmp(res::SamplePhotoBmp()) : LoadBmp(path);
    if (!result.image) {
        PrintBmpError(path.empty() ? "built-in sample photo" : path, result);
        return std::nullopt;
    }
    return std::move(result.image);
}

bool PrepareSkin(CliSkin& skin, const SampleOptions& options) {
    ScreenDpiY = options.dpi;
    skin.info = options.info;
    skin.time = options.time;
    skin.photo = LoadPhoto(options.photo);
    return skin.photo.has_value();
}

} // namespace pindrel::cli
