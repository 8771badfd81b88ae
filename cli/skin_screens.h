#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "cli/snapshot_file.h"
#include "render/canvas.h"

namespace pindrel::cli {

// All screens of one skin, rendered with one set of sample options, and what they depend on.
struct SkinScreens {
    std::vector<Canvas> screens; // parallel to kAllScreens
    Snapshot inputs;             // the settings, and the files read with their SHA-256
};

// Renders every screen of the skin at path. Texts of the options are taken as UTF-8 (stray
// bytes as their Windows-1252 characters), exactly as they are recorded; an unset time is
// kFixedTime. Nothing, with a message, when the skin or the photo cannot be read.
std::optional<SkinScreens> RenderSkinScreens(std::string_view path, const SampleOptions& options);

// The sample options a snapshot records.
SampleOptions RecordedOptions(const Snapshot& snapshot);

} // namespace pindrel::cli
