#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/field_text.h"

namespace pindrel::cli {

// The file beside the screens of a snapshot that says how they were made.
inline constexpr std::string_view kSnapshotFileName = "snapshot.json";
// Its format; a file of a later format is refused rather than misread.
inline constexpr int32_t kSnapshotFormat = 1;

// A file a snapshot depends on, and its SHA-256 (nothing when it could not be read).
struct FileDigest {
    std::string file;
    std::optional<std::string> sha256;
    friend bool operator==(const FileDigest&, const FileDigest&) = default;
};

// Everything that went into the screens of a snapshot. Texts are UTF-8.
struct Snapshot {
    std::string tool; // "pindrel-cli VERSION"
    int32_t dpi = 96;
    std::string time;
    CallerInfo info;
    std::optional<FileDigest> photo; // nothing: the built-in sample photo
    FileDigest skin;                 // the skin file's name, without its folder
    std::vector<FileDigest> bitmaps; // as the skin names them, in file order
    std::vector<FileDigest> fonts;   // full paths, sorted
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

// snapshot.json's text: the same snapshot always gives the same bytes.
std::string FormatSnapshot(const Snapshot& snapshot);

// The snapshot in text; nothing, with a short reason in *error, for text that is none.
std::optional<Snapshot> ParseSnapshot(std::string_view text, std::string* error);

} // namespace pindrel::cli
