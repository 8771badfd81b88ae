#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/lint.h"

namespace pindrel {

class SkinIniFile;

// One entry of a skin's package.
struct PackageEntry {
    enum class Kind : uint8_t { Folder, SkinFile, Picture };
    Kind kind = Kind::Picture;
    std::string name;   // in the archive: "aurora/", "aurora/aurora.ini", "aurora/art/bgr.bmp"
    std::string source; // a picture's file on disk
};

// What a skin's package holds, and what stands in the way of its working on the device.
struct PackagePlan {
    std::string folder; // the archive's one folder: the skin file's name without ".ini"
    // The folder, the skin file, then the pictures and the folders below, by name.
    std::vector<PackageEntry> entries;
    // Lint's findings and those of the names, in line order.
    std::vector<LintFinding> findings;

    bool HasErrors() const;
    size_t Pictures() const;
};

// Plans the package of the skin file at path, which file holds parsed and skin holds loaded as
// report tells: the skin file and exactly the pictures of the sections the loader reads, found
// beside it as the loader finds them. Besides lint's findings it reports, as errors, names the
// device refuses, packed names that differ only in case and pictures outside the skin's folder
// (which are left out); as warnings, a name that matches a file only when case is ignored (which
// is packed under the name the skin gives) and names with bytes outside ASCII. Missing pictures
// are left out; lint reports them.
PackagePlan PlanSkinPackage(std::string_view path, const SkinIniFile& file, const Skin& skin,
                            const LoadReport& report);

// Whether path is the skin file at skinPath or one of the plan's pictures, which a package
// written there would destroy.
bool IsPackageInput(const PackagePlan& plan, std::string_view skinPath, std::string_view path);

// The package's folder for a skin file's name: the name without ".ini", in any case.
std::string PackageFolderName(std::string_view skinFileName);

struct PackageResult {
    std::vector<uint8_t> bytes; // the zip; empty on failure
    std::string error;          // why it failed
};

// The zip of a plan: skinBytes as the skin file, the pictures as they are on disk now. The same
// plan and files give the same bytes. Fails when a picture cannot be read, or the pictures come
// to more than a skin load reads.
PackageResult BuildSkinPackage(const PackagePlan& plan, std::span<const uint8_t> skinBytes);

} // namespace pindrel
