#include "cli/cli_skin.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/read_file.h"
#include "cli/png_writer.h"
#include "ini/skin_ini_file.h"
#include "res/resources.h"
#include "skin/skin_load.h"

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

std::optional<ReadFileResult> ReadSkinToEdit(const std::string& path) {
    // A file caught while another program writes it would be written back half.
    ReadFileResult read = ReadStableFile(path, kMaxSkinFileBytes);
    if (read.status == ReadFileStatus::Unstable) {
        PrintError(path + ": the file kept changing while it was read; nothing written");
        return std::nullopt;
    }
    if (read.status != ReadFileStatus::Ok || read.bytes.empty()) {
        PrintSkinReadError(path);
        return std::nullopt;
    }
    return read;
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

std::optional<std::vector<uint8_t>> ReadInputFile(const std::string& path, uint64_t limit) {
    ReadFileResult file = ReadRegularFile(path, limit);
    switch (file.status) {
    case ReadFileStatus::Ok:
        if (file.bytes.empty()) break;
        return std::move(file.bytes);
    case ReadFileStatus::CannotOpen: {
        const std::string_view detail = OpenFailureDetail(path, file.error);
        PrintError(path + ": " +
                   (!detail.empty()        ? std::string(detail)
                    : file.error == ENOENT ? std::string("no such file")
                                           : std::strerror(file.error)));
        return std::nullopt;
    }
    case ReadFileStatus::NotRegular:
        PrintError(path + ": not a regular file");
        return std::nullopt;
    case ReadFileStatus::TooLarge:
        PrintError(path + ": file too large");
        return std::nullopt;
    case ReadFileStatus::ReadError:
    case ReadFileStatus::Unstable: // never given by this read
        PrintError(path + ": read error");
        return std::nullopt;
    }
    PrintError(path + ": empty file");
    return std::nullopt;
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
    // Found by its path and its pictures beside it: nothing depends on the current directory,
    // however deep it lies.
    SkinIniFile file;
    if (LoadSkinBeside(skin, path, file)) return true;
    PrintSkinReadError(path);
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
    skin.dpi = options.dpi;
    skin.info = options.info;
    skin.time = options.time;
    skin.photo = LoadPhoto(options.photo);
    return skin.photo.has_value();
}

} // namespace pindrel::cli
