#include "cli/skin_screens.h"

#include <filesystem>

#include "cli/cli_skin.h"
#include "cli/file_digest.h"
#include "ini/skin_ini_file.h"
#include "render/text_decode.h"
#include "skin/sample_skin.h"
#include "skin/screens.h"
#include "skin/skin_files.h"

namespace pindrel::cli {

namespace {

FileDigest Digest(const std::filesystem::path& path, std::string shown) {
    return {ToWellFormedUtf8(shown), FileSha256(path.string())};
}

CallerInfo WellFormed(const CallerInfo& info) {
    return {ToWellFormedUtf8(info.name),  ToWellFormedUtf8(info.company),
            ToWellFormedUtf8(info.job),   ToWellFormedUtf8(info.categories),
            ToWellFormedUtf8(info.phone), ToWellFormedUtf8(info.phoneType),
            ToWellFormedUtf8(info.nick)};
}

// The bitmaps the skin names, found as the loader finds them: in the skin's folder.
std::vector<FileDigest> BitmapDigests(std::string_view path) {
    SkinIniFile file;
    if (!file.Load(path)) return {};
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::vector<FileDigest> digests;
    for (const std::string& name : SkinBitmapFiles(file))
        digests.push_back(Digest(folder / name, name));
    return digests;
}

} // namespace

std::optional<SkinScreens> RenderSkinScreens(std::string_view path, const SampleOptions& options) {
    SampleOptions wellFormed = options;
    wellFormed.info = WellFormed(options.info);
    wellFormed.time = ToWellFormedUtf8(options.time ? *options.time : kFixedTime);
    SampleSkin skin;
    if (!PrepareSkin(skin, wellFormed) || !LoadSkin(skin, path)) return std::nullopt;

    SkinScreens result;
    for (const Screen& screen : kAllScreens)
        result.screens.push_back(RenderScreen(skin, screen));

    Snapshot& s = result.inputs;
    s.tool = std::string("pindrel-cli ") + PINDREL_VERSION;
    s.dpi = options.dpi;
    s.time = *wellFormed.time;
    s.info = wellFormed.info;
    if (!options.photo.empty()) s.photo = Digest(options.photo, options.photo);
    s.skin = Digest(std::string(path), std::filesystem::path(path).filename().string());
    s.bitmaps = BitmapDigests(path);
    for (const std::string& font : skin.fontCache.FontFiles())
        s.fonts.push_back(Digest(font, font));
    return result;
}

SampleOptions RecordedOptions(const Snapshot& snapshot) {
    SampleOptions options;
    options.info = snapshot.info;
    options.time = snapshot.time;
    options.photo = snapshot.photo ? snapshot.photo->file : std::string();
    options.dpi = snapshot.dpi;
    return options;
}

} // namespace pindrel::cli
