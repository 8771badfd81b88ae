#include "cli/screen_compare.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "cli/cli_skin.h"
#include "cli/folder_file.h"
#include "cli/png_writer.h"

namespace pindrel::cli {

bool Comparison::Differs() const {
    return !fonts.empty() || std::any_of(screens.begin(), screens.end(), [](const auto& s) {
        return !s.expected || !s.diff.Same();
    });
}

std::vector<FontChange> CompareFonts(const std::vector<FileDigest>& expected,
                                     const std::vector<FileDigest>& actual) {
    std::map<std::string, std::pair<const FileDigest*, const FileDigest*>> byFile;
    for (const FileDigest& d : expected)
        byFile[d.file].first = &d;
    for (const FileDigest& d : actual)
        byFile[d.file].second = &d;
    std::vector<FontChange> changes;
    for (const auto& [file, pair] : byFile) {
        const auto [e, a] = pair;
        if (!a)
            changes.push_back({file, FontChange::Kind::OnlyExpected});
        else if (!e)
            changes.push_back({file, FontChange::Kind::OnlyActual});
        else if (e->sha256 != a->sha256)
            changes.push_back({file, FontChange::Kind::Changed});
    }
    return changes;
}

void CompareScreen(ScreenComparison& screen, int32_t tolerance) {
    const ConstPixelView expected = screen.expected ? screen.expected->View() : ConstPixelView{};
    screen.diff = ComparePictures(expected, screen.actual.View(), tolerance);
}

std::string BoxText(const Rect& box) {
    return std::to_string(box.left) + "," + std::to_string(box.top) + "," +
           std::to_string(box.Width()) + "," + std::to_string(box.Height());
}

std::string ScreenSummary(const ScreenComparison& s) {
    if (!s.expected) return "no picture: " + s.expectedProblem;
    if (s.diff.Same()) return "same";
    std::string text = std::to_string(s.diff.changed) +
                       (s.diff.changed == 1 ? " pixel" : " pixels") + " differ" +
                       (s.diff.changed == 1 ? "s" : "") + " in " + BoxText(s.diff.box);
    if (s.diff.sizeDiffers) {
        text += " (" + std::to_string(s.expected->Width()) + "x" +
                std::to_string(s.expected->Height()) + " expected, " +
                std::to_string(s.actual.Width()) + "x" + std::to_string(s.actual.Height()) + ")";
    }
    return text;
}

std::string FormatComparison(const Comparison& c) {
    std::string text;
    for (const FontChange& f : c.fonts) {
        text += "font " + f.file + ": ";
        switch (f.kind) {
        case FontChange::Kind::OnlyExpected:
            text += "used by " + c.expectedName + " only";
            break;
        case FontChange::Kind::OnlyActual:
            text += "used by " + c.actualName + " only";
            break;
        case FontChange::Kind::Changed:
            text += "its SHA-256 differs from " + c.expectedName + "'s";
            break;
        }
        text += '\n';
    }
    for (const ScreenComparison& s : c.screens) {
        if (s.expected && s.diff.Same()) continue;
        text += ScreenName(s.screen) + ": " + ScreenSummary(s) + "\n";
    }
    return text;
}

bool MakeFolder(const std::string& dir) {
    std::error_code ec;
    // A link to nothing would otherwise be reported as the "File exists" of making the folder.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(dir, ec)) &&
        !std::filesystem::exists(dir, ec)) {
        PrintError(dir + ": cannot make the folder: a symbolic link to " +
                   std::filesystem::read_symlink(dir, ec).string() + ", which does not exist");
        return false;
    }
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) {
        PrintError(dir + ": cannot make the folder: " +
                   (ec ? ec.message() : std::string("a file of that name is in the way")));
        return false;
    }
    return true;
}

bool WriteDiffPictures(const Comparison& comparison, const std::string& dir) {
    if (!MakeFolder(dir)) return false;
    for (const ScreenComparison& s : comparison.screens) {
        if (s.expected && s.diff.Same()) continue;
        const ConstPixelView expected = s.expected ? s.expected->View() : ConstPixelView{};
        const Canvas diff = DiffPicture(expected, s.actual.View(), comparison.tolerance);
        const std::string path =
            (std::filesystem::path(dir) / (ScreenName(s.screen) + "-diff.png")).string();
        if (!WriteFolderPngOrSay(path, diff.View())) return false;
    }
    return true;
}

} // namespace pindrel::cli
