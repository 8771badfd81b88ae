#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "ini/skin_ini_file.h"
#include "skin/bitmap_cache.h"
#include "skin/sample_skin.h"
#include "skin/skin_load.h"
#include "skin/skin_package.h"

namespace pindrel::cli {

namespace {

struct PackOptions {
    std::string skin;
    std::string out;
    bool force = false;
};

std::string Count(size_t n, std::string_view word) {
    return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

int RunPack(const PackOptions& o) {
    if (!Require(o.skin, "pack", "SKIN: the skin file to pack") ||
        !Require(o.out, "pack", "-o OUT.zip: the package to write (- for standard output)"))
        return kExitUsage;

    // Loaded as lint loads it, from the very bytes that are packed.
    SkinIniFile ini;
    SampleSkin skin;
    BitmapCache pictures;
    LoadReport report;
    if (!LoadSkinBeside(skin, o.skin, ini, LoadContext{{}, &pictures, &report})) {
        PrintSkinReadError(o.skin);
        return kExitFailed;
    }
    const PackagePlan plan = PlanSkinPackage(o.skin, ini, skin, report);
    if (o.out != "-" && IsPackageInput(plan, o.skin, o.out)) {
        PrintError("-o " + o.out + ": that is the skin or one of its pictures; nothing written");
        return kExitUsage;
    }
    // On stderr: standard output may be the package itself.
    size_t errors = 0;
    for (const LintFinding& f : plan.findings) {
        const std::string line = FormatFinding(f) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        errors += f.error ? 1 : 0;
    }
    if (errors > 0 && !o.force) {
        PrintError(o.skin + ": " + Count(errors, "error") +
                   "; nothing packed (--force packs it all the same)");
        return kExitFailed;
    }

    const PackageResult package = BuildSkinPackage(plan, ini.Bytes());
    if (package.bytes.empty()) {
        PrintError(o.skin + ": " + package.error + "; nothing packed");
        return kExitFailed;
    }
    std::string error;
    const bool written = WriteOutputFile(
        o.out,
        [&](FILE* out, std::string* why) {
            if (std::fwrite(package.bytes.data(), 1, package.bytes.size(), out) ==
                package.bytes.size())
                return true;
            *why = std::strerror(errno);
            return false;
        },
        &error);
    if (written) return kExitOk;
    PrintError((o.out == "-" ? std::string("standard output") : o.out) + ": " + error);
    return kExitFailed;
}

} // namespace

Command AddPackCommand(CLI::App& parent) {
    auto o = std::make_shared<PackOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "pack", "Pack a skin and exactly the pictures it uses into a zip to hand on");
    cmd->add_option("SKIN", o->skin, "Skin file (.ini) to pack (required)")->type_name("");
    AddOutputOption(cmd, o->out, "OUT.zip",
                    "The package, written whole or not at all; - for standard output");
    cmd->add_flag("--force", o->force, "Pack even when lint or the names find errors");
    cmd->footer(
        "The zip holds one folder named after the skin file without .ini, with the skin file and "
        "the bitmaps its sections name, found beside it as the loader finds them; nothing else. "
        "Entries come in a fixed order with fixed times and modes: the same skin gives the same "
        "bytes. Lint's findings are printed on stderr, with what the device's file system makes "
        "of the names: errors for names it refuses (<>:\"\\|?*, control bytes, CON, PRN, AUX, "
        "NUL, COM1-9, LPT1-9, a last dot or space), for names that differ only in case and for "
        "pictures outside the skin's folder; warnings for a name that matches a file only when "
        "case is ignored (packed under the skin's spelling) and for bytes outside ASCII.\n"
        "Exit status: 0 packed, 1 SKIN cannot be read, errors were found without --force, or "
        "the output cannot be written (nothing is written then), 2 usage error, also for an "
        "output that is the skin or one of its pictures.");
    return {cmd, [o] { return RunPack(*o); }};
}

} // namespace pindrel::cli
