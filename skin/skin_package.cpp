#include "skin/skin_package.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <unordered_map>

#include "base/read_file.h"
#include "base/zip_writer.h"
#include "ini/skin_ini_file.h"
#include "skin/device_names.h"
#include "skin/skin_files.h"

namespace pindrel {

namespace fs = std::filesystem;

namespace {

// A folder of thousands of files is not worth walking for a name.
constexpr int kMaxListedFiles = 4096;

std::string Quoted(std::string_view name) {
    std::string text = "\"";
    text.append(name).append("\"");
    return text;
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

struct CaseMatch {
    fs::path found; // the file, as it is spelt on disk
    bool ambiguous = false;
};

// The file at relative below dir when case is ignored in each of its names, as the device finds
// it: nothing when there is none.
std::optional<CaseMatch> FindIgnoringCase(const fs::path& dir, const fs::path& relative) {
    fs::path at = dir;
    CaseMatch match;
    for (const fs::path& part : relative) {
        std::error_code ec;
        if (fs::exists(at / part, ec)) {
            at /= part;
            continue;
        }
        const std::string wanted = FoldCase(part.string());
        std::vector<fs::path> candidates;
        fs::directory_iterator it(at, ec);
        for (int n = 0; !ec && it != fs::directory_iterator() && n < kMaxListedFiles;
             it.increment(ec), ++n) {
            if (FoldCase(it->path().filename().string()) == wanted)
                candidates.push_back(it->path().filename());
        }
        if (candidates.empty()) return std::nullopt;
        std::sort(candidates.begin(), candidates.end());
        match.ambiguous = match.ambiguous || candidates.size() > 1;
        at /= candidates.front();
    }
    if (!IsRegularFile(at)) return std::nullopt;
    match.found = at.lexically_relative(dir);
    return match;
}

// Collects the package's own findings beside lint's.
class Findings {
public:
    explicit Findings(std::string file) : file_(std::move(file)) {}
    void Error(int32_t line, LintRule rule, std::string text) {
        list.push_back({file_, line, true, std::move(text), rule});
    }
    void Warning(int32_t line, LintRule rule, std::string text) {
        list.push_back({file_, line, false, std::move(text), rule});
    }

    // What the device makes of every name along a packed path.
    void CheckNames(int32_t line, std::string_view what, const fs::path& relative,
                    bool ascii = true) {
        const std::string whole = relative.string();
        for (const fs::path& part : relative) {
            const std::string name = part.string();
            const std::string why = DeviceRefusal(name);
            if (why.empty()) continue;
            // The name within the path, where the path has more than one.
            const std::string which = name == whole ? "" : ": " + Quoted(name);
            Error(line, LintRule::DeviceRefusesName,
                  std::string(what) + " " + Quoted(whole) + which + " " + why +
                      "; the package cannot be unpacked there");
        }
        if (ascii && HasNonAsciiByte(relative.string()))
            Warning(line, LintRule::NameNotAscii,
                    std::string(what) + " " + Quoted(relative.string()) +
                        " has bytes outside ASCII, which the device reads in its own code page");
    }

    std::vector<LintFinding> list;

private:
    std::string file_;
};

struct Picked {
    std::string name; // below the package's folder
    std::string source;
    int32_t line = 0;
};

// The pictures the skin names that lie in its folder, each once, and what is wrong with them.
std::vector<Picked> PickPictures(const SkinIniFile& file, const fs::path& dir,
                                 std::string_view skinName, Findings& findings) {
    std::vector<Picked> picked;
    std::set<std::string> seen{std::string(skinName)};
    for (const NamedPicture& p : SkinPictureNames(file)) {
        // The system reads a name up to its first NUL byte, as the loader does.
        const std::string name = p.name.substr(0, p.name.find('\0'));
        const fs::path normal = fs::path(name).lexically_normal();
        if (normal.is_absolute() || normal.empty() || *normal.begin() == "..") {
            findings.Error(p.line, LintRule::PictureOutsideFolder,
                           "picture " + Quoted(name) +
                               " lies outside the skin's folder; the package holds only that "
                               "folder, so it is left out");
            continue;
        }
        // A folder's name, or the skin file itself, is no picture to pack.
        if (!normal.has_filename() || normal == ".") continue;
        const std::string entry = normal.generic_string();
        if (!seen.insert(entry).second) continue;
        std::string source;
        if (IsRegularFile(dir / normal)) {
            source = (dir / normal).string();
        } else if (const auto match = FindIgnoringCase(dir, normal)) {
            const std::string found = match->found.generic_string();
            if (match->ambiguous) {
                findings.Error(p.line, LintRule::NameMatchesIgnoringCase,
                               "picture " + Quoted(name) +
                                   " matches several files when case is ignored, as the device "
                                   "reads names; it is left out");
                continue;
            }
            findings.Warning(p.line, LintRule::NameMatchesIgnoringCase,
                             "picture " + Quoted(name) + " matches " + Quoted(found) +
                                 " only when case is ignored: the device finds it, this system "
                                 "does not; it is packed as " +
                                 Quoted(entry));
            source = (dir / match->found).string();
        } else {
            continue; // missing: lint says so
        }
        findings.CheckNames(p.line, "picture", normal);
        picked.push_back({entry, source, p.line});
    }
    return picked;
}

// Names that differ only in case become one file on the device, so one picture replaces another;
// two names of one file here are one file there too, and it is packed once.
std::vector<Picked> DropCaseCollisions(std::vector<Picked> pictures, std::string_view skinName,
                                       Findings& findings) {
    std::unordered_map<std::string, const Picked*> first;
    const std::string skinFolded = FoldCase(skinName);
    std::vector<Picked> kept;
    kept.reserve(pictures.size());
    for (const Picked& p : pictures) {
        const std::string folded = FoldCase(p.name);
        if (folded == skinFolded) {
            findings.Error(p.line, LintRule::NameCaseCollision,
                           "picture " + Quoted(p.name) + " and the skin file " + Quoted(skinName) +
                               " differ only in case: on the device one file replaces the other");
            continue;
        }
        const auto [it, fresh] = first.emplace(folded, &p);
        if (!fresh) {
            std::error_code ec;
            if (fs::equivalent(p.source, it->second->source, ec)) continue;
            findings.Error(p.line, LintRule::NameCaseCollision,
                           "picture " + Quoted(p.name) + " and " + Quoted(it->second->name) +
                               " differ only in case: on the device one file replaces the other");
        }
        kept.push_back(p);
    }
    return kept;
}

} // namespace

bool IsPackageInput(const PackagePlan& plan, std::string_view skinPath, std::string_view path) {
    std::error_code ec;
    if (fs::equivalent(path, skinPath, ec)) return true;
    return std::any_of(plan.entries.begin(), plan.entries.end(), [&](const PackageEntry& e) {
        std::error_code missing;
        return !e.source.empty() && fs::equivalent(path, e.source, missing);
    });
}

std::string PackageFolderName(std::string_view skinFileName) {
    constexpr std::string_view kExtension = ".ini";
    // The whole name when nothing else is left.
    if (skinFileName.size() > kExtension.size() &&
        FoldCase(skinFileName.substr(skinFileName.size() - kExtension.size())) == kExtension)
        return std::string(skinFileName.substr(0, skinFileName.size() - kExtension.size()));
    return std::string(skinFileName);
}

bool PackagePlan::HasErrors() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const LintFinding& f) { return f.error; });
}

size_t PackagePlan::Pictures() const {
    return static_cast<size_t>(std::count_if(entries.begin(), entries.end(), [](const auto& e) {
        return e.kind == PackageEntry::Kind::Picture;
    }));
}

PackagePlan PlanSkinPackage(std::string_view path, const SkinIniFile& file, const Skin& skin,
                            const LoadReport& report) {
    const fs::path skinPath(path);
    const std::string skinName = skinPath.filename().string();
    const fs::path parent = skinPath.parent_path();
    const fs::path dir = parent.empty() ? fs::path(".") : parent;

    PackagePlan plan;
    plan.folder = PackageFolderName(skinName);
    Findings findings{std::string(path)};
    findings.CheckNames(0, "skin file", skinName);
    // The folder is the skin file's name cut short, and mostly shares its faults.
    if (DeviceRefusal(plan.folder) != DeviceRefusal(skinName))
        findings.CheckNames(0, "folder", plan.folder, false);
    const std::vector<Picked> pictures =
        DropCaseCollisions(PickPictures(file, dir, skinName, findings), skinName, findings);

    const std::string top = plan.folder + "/";
    plan.entries.push_back({PackageEntry::Kind::Folder, top, {}});
    plan.entries.push_back({PackageEntry::Kind::SkinFile, top + skinName, {}});
    // By name, each folder right before what it holds.
    std::map<std::string, const Picked*> below;
    for (const Picked& p : pictures) {
        below.emplace(p.name, &p);
        for (fs::path folder = fs::path(p.name).parent_path(); !folder.empty();
             folder = folder.parent_path())
            below.emplace(folder.generic_string() + "/", nullptr);
    }
    for (const auto& [name, picture] : below) {
        if (picture)
            plan.entries.push_back({PackageEntry::Kind::Picture, top + name, picture->source});
        else
            plan.entries.push_back({PackageEntry::Kind::Folder, top + name, {}});
    }

    plan.findings = LintLoadedSkin(path, file, skin, report).findings;
    plan.findings.insert(plan.findings.end(), findings.list.begin(), findings.list.end());
    std::stable_sort(plan.findings.begin(), plan.findings.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    return plan;
}

PackageResult BuildSkinPackage(const PackagePlan& plan, std::span<const uint8_t> skinBytes) {
    std::vector<std::vector<uint8_t>> pictures;
    pictures.reserve(plan.entries.size());
    std::vector<ZipEntry> entries;
    uint64_t budget = kMaxSkinBitmapBytes;
    for (const PackageEntry& e : plan.entries) {
        switch (e.kind) {
        case PackageEntry::Kind::Folder:
            entries.push_back({e.name, {}});
            break;
        case PackageEntry::Kind::SkinFile:
            entries.push_back({e.name, skinBytes});
            break;
        case PackageEntry::Kind::Picture: {
            ReadFileResult file = ReadRegularFile(e.source, budget);
            if (file.status == ReadFileStatus::TooLarge)
                return {{}, "the pictures come to more than a skin can load"};
            if (file.status != ReadFileStatus::Ok)
                return {{}, e.source + ": cannot read the picture"};
            budget -= file.bytes.size();
            pictures.push_back(std::move(file.bytes));
            entries.push_back({e.name, pictures.back()});
            break;
        }
        }
    }
    ZipResult zip = WriteZip(entries);
    if (zip.bytes.empty()) return {{}, zip.error};
    return {std::move(zip.bytes), {}};
}

} // namespace pindrel
