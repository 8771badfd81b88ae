#include <filesystem>
#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/comparison_output.h"
#include "cli/options.h"
#include "cli/skin_screens.h"
#include "cli/snapshot_folder.h"
#include "skin/lint.h"

namespace pindrel::cli {

namespace {

struct CompareOptions {
    std::string skin;
    std::string dir;
    SampleOptions sample;
    ReportOptions report;
    int32_t tolerance = 0;
    bool update = false;
};

// The recorded settings of the snapshot in dir, with those given on the command line in their
// place.
SampleOptions Settings(const Snapshot& snapshot, const std::string& dir, const SampleOptions& given,
                       const CLI::App& cmd) {
    SampleOptions s = RecordedOptions(snapshot);
    s.photo = RecordedPhotoFile(s.photo, dir);
    const auto is = [&cmd](std::string_view name) { return cmd.count(std::string(name)) > 0; };
    if (is("--name")) s.info.name = given.info.name;
    if (is("--company")) s.info.company = given.info.company;
    if (is("--job")) s.info.job = given.info.job;
    if (is("--categories")) s.info.categories = given.info.categories;
    if (is("--phone")) s.info.phone = given.info.phone;
    if (is("--phone-type")) s.info.phoneType = given.info.phoneType;
    if (is("--nick")) s.info.nick = given.info.nick;
    if (is("--time")) s.time = given.time;
    if (is("--photo")) s.photo = given.photo;
    if (is("--dpi")) s.dpi = given.dpi;
    return s;
}

// Rewrites the screens whose pixels are not exactly the snapshot's, and snapshot.json.
bool Update(const std::string& dir, const Comparison& c, Snapshot inputs,
            const std::string& photo) {
    RecordPhoto(inputs, photo, dir);
    std::vector<const Canvas*> screens;
    std::vector<bool> write;
    for (const ScreenComparison& s : c.screens) {
        screens.push_back(&s.actual);
        write.push_back(!s.expected ||
                        !ComparePictures(s.expected->View(), s.actual.View()).Same());
    }
    std::vector<std::string> written;
    if (!WriteSnapshot(dir, screens, write, inputs, &written)) return false;
    std::string line = "updated " + dir + ":";
    for (const std::string& name : written)
        line += " " + name;
    if (written.empty()) line += " nothing to change";
    return WriteStdout(line + "\n");
}

int RunCompare(const CompareOptions& options, const CLI::App& cmd) {
    if (!Require(options.dir, "compare", "-d DIR: the snapshot folder to compare with"))
        return kExitUsage;
    const std::optional<Snapshot> snapshot = ReadSnapshot(options.dir);
    if (!snapshot) return kExitFailed;
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    const SampleOptions settings = Settings(*snapshot, options.dir, options.sample, cmd);
    std::optional<SkinScreens> now = RenderSkinScreens(path, settings);
    if (!now) return kExitFailed;

    Comparison c =
        StartComparison("the snapshot", "this render", options.tolerance, std::move(now->screens));
    c.fonts = CompareFonts(snapshot->fonts, now->inputs.fonts);
    ReadSnapshotScreens(options.dir, c);

    ReportPage page;
    page.title = "pindrel-cli compare " + std::filesystem::path(path).filename().string();
    page.facts = {{"skin", path}, {"snapshot", options.dir}};
    AppendSettingFacts(page.facts, now->inputs);
    page.notes = InputChanges(*snapshot, now->inputs, "the snapshot");
    page.lintSkin = path;
    page.lint = LintSkin(path);

    const int code = FinishComparison(c, options.report, page);
    if (!options.update) return code;
    return Update(options.dir, c, now->inputs, settings.photo) ? kExitOk : kExitFailed;
}

} // namespace

Command AddCompareCommand(CLI::App& parent) {
    auto options = std::make_shared<CompareOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "compare", "Render the skin again and compare every screen with a snapshot");
    AddSkinArgument(cmd, options->skin);
    AddSnapshotDirOption(cmd, options->dir);
    AddReportOptions(cmd, options->report);
    cmd->add_option("--tolerance", options->tolerance,
                    "How far red, green or blue may differ; default: 0")
        ->check(IntValidator(0, 255, "a channel difference"))
        ->type_name("N");
    cmd->add_flag("--update", options->update, "Rewrite the snapshot with the screens drawn now");
    AddSampleOptions(cmd, options->sample, SampleDefaults::Recorded);
    return {cmd, [options, cmd] { return RunCompare(*options, *cmd); }};
}

} // namespace pindrel::cli
