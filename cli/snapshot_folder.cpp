#include "cli/snapshot_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "base/read_file.h"
#include "cli/cli_skin.h"
#include "cli/folder_file.h"
#include "cli/png_decoder.h"
#include "cli/png_writer.h"
#include "render/text_decode.h"

namespace pindrel::cli {

namespace {

// Far more than the fonts and bitmaps of any skin take to list.
constexpr uint64_t kMaxSnapshotFileBytes = 4u << 20;

std::string SnapshotPath(const std::string& dir) {
    return (std::filesystem::path(dir) / kSnapshotFileName).string();
}

std::string ReadProblem(const ReadFileResult& read, const std::string& path) {
    switch (read.status) {
    case ReadFileStatus::NotRegular:
        return "not a regular file";
    case ReadFileStatus::TooLarge:
        return "too large for a snapshot file";
    default: {
        const std::string_view detail = OpenFailureDetail(path, read.error);
        if (!detail.empty()) return std::string(detail);
        return read.error == ENOENT ? "no such file" : std::strerror(read.error);
    }
    }
}

} // namespace

std::string ScreenFile(const std::string& dir, Screen screen) {
    return (std::filesystem::path(dir) / (ScreenName(screen) + ".png")).string();
}

std::optional<Snapshot> ReadSnapshot(const std::string& dir) {
    const std::string path = SnapshotPath(dir);
    const ReadFileResult read = ReadRegularFile(path, kMaxSnapshotFileBytes);
    if (read.status != ReadFileStatus::Ok) {
        PrintError(path + ": the snapshot cannot be read: " + ReadProblem(read, path));
        return std::nullopt;
    }
    std::string error;
    std::optional<Snapshot> snapshot = ParseSnapshot(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()),
        &error);
    if (!snapshot) PrintError(path + ": the snapshot cannot be read: " + error);
    return snapshot;
}

void ReadSnapshotScreens(const std::string& dir, Comparison& comparison) {
    for (ScreenComparison& s : comparison.screens) {
        const std::string path = ScreenFile(dir, s.screen);
        s.expected = ReadPng(path, &s.expectedProblem);
        if (!s.expected) s.expectedProblem = path + ": " + s.expectedProblem;
    }
}

bool WriteSnapshot(const std::string& dir, const std::vector<const Canvas*>& screens,
                   const std::vector<bool>& write, const Snapshot& inputs,
                   std::vector<std::string>* written) {
    for (size_t i = 0; i < kAllScreens.size() && i < screens.size(); ++i) {
        if (!write[i]) continue;
        const std::string path = ScreenFile(dir, kAllScreens[i]);
        if (!WriteFolderPngOrSay(path, screens[i]->View())) return false;
        if (written) written->push_back(std::filesystem::path(path).filename().string());
    }
    const std::string path = SnapshotPath(dir);
    const std::string text = FormatSnapshot(inputs);
    const ReadFileResult old = ReadRegularFile(path, kMaxSnapshotFileBytes);
    if (old.status == ReadFileStatus::Ok &&
        std::string_view(reinterpret_cast<const char*>(old.bytes.data()), old.bytes.size()) == text)
        return true;
    std::string error;
    if (!WriteFolderFile(path, text, &error)) {
        PrintError(path + ": " + error);
        return false;
    }
    if (written) written->push_back(std::string(kSnapshotFileName));
    return true;
}

void RecordPhoto(Snapshot& inputs, const std::string& photo, const std::string& dir) {
    namespace fs = std::filesystem;
    const fs::path given(photo);
    if (!inputs.photo || photo.empty() || given.is_absolute()) return;
    // Both folders without links or dots, so that the way up from one leads to the other. The
    // photo's own name stays: it may be a link that the user keeps.
    std::error_code ec;
    const fs::path from = fs::weakly_canonical(fs::absolute(dir, ec), ec);
    if (ec) return;
    const fs::path folder = fs::weakly_canonical(fs::absolute(given, ec).parent_path(), ec);
    if (ec) return;
    const fs::path relative = (folder / given.filename()).lexically_relative(from);
    if (!relative.empty()) inputs.photo->file = ToWellFormedUtf8(relative.string());
}

std::string RecordedPhotoFile(const std::string& recorded, const std::string& dir) {
    namespace fs = std::filesystem;
    if (recorded.empty() || fs::path(recorded).is_absolute()) return recorded;
    const fs::path inFolder = fs::path(dir) / recorded;
    std::error_code ec;
    return fs::exists(inFolder, ec) ? inFolder.string() : recorded;
}

std::vector<std::string> InputChanges(const Snapshot& expected, const Snapshot& actual,
                                      const std::string& expectedName) {
    std::vector<std::string> notes;
    if (expected.tool != actual.tool)
        notes.push_back(expectedName + " was made by " + expected.tool + "; this is " +
                        actual.tool + ".");
    if (expected.skin.file != actual.skin.file)
        notes.push_back(expectedName + " is of " + expected.skin.file + ", not of " +
                        actual.skin.file + ".");
    if (expected.skin.sha256 != actual.skin.sha256)
        notes.push_back("The skin file differs from " + expectedName + "'s.");
    std::map<std::string, std::pair<const FileDigest*, const FileDigest*>> byFile;
    for (const FileDigest& d : expected.bitmaps)
        byFile[d.file].first = &d;
    for (const FileDigest& d : actual.bitmaps)
        byFile[d.file].second = &d;
    std::string bitmaps;
    for (const auto& [file, pair] : byFile) {
        if (pair.first && pair.second && pair.first->sha256 == pair.second->sha256) continue;
        bitmaps += (bitmaps.empty() ? "" : ", ") + file;
    }
    if (!bitmaps.empty())
        notes.push_back("Bitmaps that differ from " + expectedName + "'s: " + bitmaps + ".");
    return notes;
}

} // namespace pindrel::cli
