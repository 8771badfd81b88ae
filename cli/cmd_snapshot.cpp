#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/screen_compare.h"
#include "cli/skin_screens.h"
#include "cli/snapshot_folder.h"

namespace pindrel::cli {

namespace {

struct SnapshotOptions {
    std::string skin;
    std::string dir;
    SampleOptions sample;
};

int RunSnapshot(const SnapshotOptions& options) {
    if (!Require(options.dir, "snapshot", "-d DIR: the folder to write the screens into"))
        return kExitUsage;
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    std::optional<SkinScreens> rendered = RenderSkinScreens(path, options.sample);
    if (!rendered || !MakeFolder(options.dir)) return kExitFailed;
    RecordPhoto(rendered->inputs, options.sample.photo, options.dir);
    std::vector<const Canvas*> screens;
    for (const Canvas& c : rendered->screens)
        screens.push_back(&c);
    const std::vector<bool> all(screens.size(), true);
    return WriteSnapshot(options.dir, screens, all, rendered->inputs) ? kExitOk : kExitFailed;
}

} // namespace

Command AddSnapshotCommand(CLI::App& parent) {
    auto options = std::make_shared<SnapshotOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "snapshot", "Write all 15 screens as PNG files and snapshot.json, for compare");
    AddSkinArgument(cmd, options->skin);
    AddSnapshotDirOption(cmd, options->dir);
    AddSampleOptions(cmd, options->sample, SampleDefaults::Fixed);
    return {cmd, [options] { return RunSnapshot(*options); }};
}

} // namespace pindrel::cli
