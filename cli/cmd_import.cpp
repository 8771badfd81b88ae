#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "render/layered_image.h"
#include "skin/mockup_files.h"
#include "skin/mockup_import.h"
#include "skin/mockup_merge.h"

namespace pindrel::cli {

namespace {

// Far above any mock-up of a phone's screen, even drawn at several times its size.
constexpr uint64_t kMaxMockupBytes = uint64_t{1} << 30;

struct ImportOptions {
    std::string mockup;
    std::string out;
    std::string into;
    std::optional<int32_t> orientation;
    bool force = false;
    bool inPlace = false;
};

void PrintWarnings(const std::vector<std::string>& warnings, const std::string& mockup) {
    for (const std::string& w : warnings)
        std::fprintf(stderr, "pindrel-cli: warning: %s: %s\n", mockup.c_str(), w.c_str());
}

// Writes the pictures, then the skin, each whole or not at all. On a failure, the files this
// import made are removed again, so that no skin is left naming pictures that are not there.
bool WriteAll(const std::vector<MockupBitmap>& bitmaps, const std::string& skinPath,
              std::span<const uint8_t> skin, std::optional<std::span<const uint8_t>> expected,
              std::optional<FileStamp> expectedStamp) {
    std::vector<std::string> made;
    std::string error;
    if (!WriteMockupBitmaps(skinPath, bitmaps, &made, &error)) {
        PrintError(error + "; nothing written");
        return false;
    }
    if (WriteBytesAtomically(skinPath, skin, &error, expected, expectedStamp) !=
        AtomicWriteStatus::Written) {
        PrintError(skinPath + ": " + error + "; nothing written");
        RemoveFiles(made);
        return false;
    }
    return true;
}

std::optional<MockupPlan> ReadPlan(const ImportOptions& o) {
    const auto bytes = ReadInputFile(o.mockup, kMaxMockupBytes);
    if (!bytes) return std::nullopt;
    const LayeredResult read = ReadLayeredImage(*bytes);
    if (!read.image) {
        PrintError(o.mockup + ": " + read.reason);
        return std::nullopt;
    }
    std::optional<Orientation> orientation;
    if (o.orientation) orientation = static_cast<Orientation>(*o.orientation);
    MockupPlanResult planned = PlanMockupImport(*read.image, orientation);
    if (!planned.plan) {
        PrintError(o.mockup + ": " + planned.error + " (--orientation)");
        return std::nullopt;
    }
    if (planned.plan->elements.empty()) {
        PrintWarnings(planned.plan->warnings, o.mockup);
        PrintError(o.mockup + ": no layer becomes an element");
        return std::nullopt;
    }
    return std::move(planned.plan);
}

int ImportNew(const ImportOptions& o) {
    std::optional<MockupPlan> plan = ReadPlan(o);
    if (!plan) return kExitFailed;
    const std::vector<MockupBitmap> bitmaps = PlanBitmaps(*plan);
    if (!o.force) {
        std::vector<std::string> paths = {o.out};
        for (const MockupBitmap& b : bitmaps)
            paths.push_back(BesideSkin(o.out, b.file));
        for (const std::string& path : paths) {
            if (PathTaken(path)) {
                PrintError(path + ": exists; --force replaces it (nothing written)");
                return kExitFailed;
            }
        }
    }
    const std::string text = NewSkinText(*plan);
    const std::vector<uint8_t> skin(text.begin(), text.end());
    if (!WriteAll(bitmaps, o.out, skin, std::nullopt, std::nullopt)) return kExitFailed;
    std::string lines;
    for (const MockupElement& e : plan->elements)
        lines += ElementLine(e) + "\n";
    if (!WriteStdout(lines)) return kExitFailed;
    PrintWarnings(plan->warnings, o.mockup);
    return kExitOk;
}

int ImportInto(const ImportOptions& o) {
    const std::string target = o.inPlace ? o.into : o.out;
    if (!o.inPlace && !o.force && PathTaken(target)) {
        PrintError(target + ": exists; --force replaces it (nothing written)");
        return kExitFailed;
    }
    std::optional<MockupPlan> plan = ReadPlan(o);
    if (!plan) return kExitFailed;
    const std::optional<ReadFileResult> read = ReadSkinToEdit(o.into);
    if (!read) return kExitFailed;
    const std::vector<uint8_t>& skin = read->bytes;
    const std::string folder = [&] {
        const std::filesystem::path parent = std::filesystem::path(o.into).parent_path();
        return parent.empty() ? std::string(".") : parent.string();
    }();
    const MockupMerge merged = MergeMockup(skin, folder, *plan, [&](const std::string& name) {
        return PathTaken(BesideSkin(target, name));
    });
    if (!merged.ok) {
        PrintError(o.into + ": " + merged.error);
        return kExitFailed;
    }
    const std::optional<std::span<const uint8_t>> expected =
        o.inPlace ? std::optional<std::span<const uint8_t>>(skin) : std::nullopt;
    const std::optional<FileStamp> stamp =
        o.inPlace ? std::optional<FileStamp>(read->stamp) : std::nullopt;
    if (!WriteAll(merged.bitmaps, target, merged.bytes, expected, stamp)) return kExitFailed;
    std::string lines;
    for (const std::string& line : merged.lines)
        lines += line + "\n";
    if (!WriteStdout(lines)) return kExitFailed;
    PrintWarnings(plan->warnings, o.mockup);
    PrintWarnings(merged.warnings, o.into);
    return kExitOk;
}

int RunImport(const ImportOptions& o) {
    if (!Require(o.mockup, "import", "MOCKUP: the layered picture (.ora or .psd) to import"))
        return kExitUsage;
    if (o.out == "-") {
        PrintError("import writes pictures beside the skin: -o needs a file, not -");
        return kExitUsage;
    }
    if (o.into.empty()) {
        if (o.inPlace) {
            PrintError("--in-place goes with --into SKIN.ini");
            return kExitUsage;
        }
        if (!Require(o.out, "import", "-o SKIN.ini: the skin to write")) return kExitUsage;
        return ImportNew(o);
    }
    if (!Require(o.orientation ? "-" : "", "import",
                 "--orientation portrait|landscape|square: the orientation the mock-up adds"))
        return kExitUsage;
    if (o.out.empty() == !o.inPlace) {
        PrintError(o.inPlace ? "import --into takes -o OUT.ini or --in-place, not both"
                             : "import --into needs -o OUT.ini or --in-place");
        return kExitUsage;
    }
    return ImportInto(o);
}

} // namespace

Command AddImportCommand(CLI::App& parent) {
    auto o = std::make_shared<ImportOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "import", "Make a skin, or one orientation of a skin, from a layered mock-up");
    cmd->add_option("MOCKUP", o->mockup,
                    "Layered picture: OpenRaster (.ora) or PSD (.psd, 8-bit RGB or greyscale) "
                    "(required)")
        ->type_name("");
    cmd->add_option("-o,--output", o->out,
                    "The skin file to write; its pictures are written beside it")
        ->type_name("SKIN.ini");
    cmd->add_option("--orientation", o->orientation,
                    "The mock-up's orientation; default: from the canvas (240x320 portrait, "
                    "320x240 landscape, 240x240 square); required with --into")
        ->transform(KeywordValidator(OrientationNames()))
        ->type_name("portrait|landscape|square");
    cmd->add_flag("--force", o->force, "Replace files that exist");
    cmd->add_option("--into", o->into,
                    "Add the mock-up's orientation to this skin: matching elements move in that "
                    "orientation only, the others are added")
        ->type_name("SKIN.ini");
    cmd->add_flag("--in-place", o->inPlace,
                  "With --into, replace that skin: atomically, and only if it still holds what "
                  "was read");
    cmd->footer(
        "Layers become elements by name, read case-insensitively: \"background\" (or a bottom "
        "layer covering the canvas) the background image; \"photo\" the photo rectangle; "
        "\"label: name,phone\" a label of those fields; a group \"button ... [id N]\" holding "
        "layers \"up\" and \"down\" a button; any other visible layer an image. "
        "\"[contact,photo]\" "
        "(any call types) in a name sets the element's type. Fully transparent pixels become the "
        "key colour (255,0,255 unless the picture holds it), partly transparent ones are blended "
        "over the background. A label's font size is 5/8 of its height per field, in points.\n"
        "Prints one line per element (kind, name, x,y, wxh, call types), and warnings on stderr.\n"
        "Exit status: 0 written, 1 the mock-up or skin cannot be read, the mock-up is refused, "
        "a file exists without --force, or a file cannot be written (nothing is written then), "
        "2 usage error.");
    return {cmd, [o] { return RunImport(*o); }};
}

} // namespace pindrel::cli
