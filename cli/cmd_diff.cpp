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

struct DiffOptions {
    std::string oldSkin;
    std::string newSkin;
    SampleOptions sample;
    ReportOptions report;
};

int RunDiff(const DiffOptions& options) {
    if (!Require(options.oldSkin, "diff", "OLD.ini and NEW.ini: the two skins to compare") ||
        !Require(options.newSkin, "diff", "NEW.ini: the skin to compare with OLD.ini"))
        return kExitUsage;
    std::optional<SkinScreens> before = RenderSkinScreens(options.oldSkin, options.sample);
    if (!before) return kExitFailed;
    std::optional<SkinScreens> after = RenderSkinScreens(options.newSkin, options.sample);
    if (!after) return kExitFailed;

    Comparison c = StartComparison(options.oldSkin, options.newSkin, 0, std::move(after->screens));
    c.fonts = CompareFonts(before->inputs.fonts, after->inputs.fonts);
    for (size_t i = 0; i < c.screens.size() && i < before->screens.size(); ++i)
        c.screens[i].expected = std::move(before->screens[i]);

    ReportPage page;
    page.title = "pindrel-cli diff " + options.oldSkin + " " + options.newSkin;
    page.facts = {{"old skin", options.oldSkin}, {"new skin", options.newSkin}};
    AppendSettingFacts(page.facts, after->inputs);
    page.notes = InputChanges(before->inputs, after->inputs, options.oldSkin);
    page.lintSkin = options.newSkin;
    page.lint = LintSkin(options.newSkin);
    return FinishComparison(c, options.report, page);
}

} // namespace

Command AddDiffCommand(CLI::App& parent) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* cmd =
        parent.add_subcommand("diff", "Render two skins and compare every screen of them");
    cmd->add_option("OLD.ini", options->oldSkin, "The skin as it was (required)")->type_name("");
    cmd->add_option("NEW.ini", options->newSkin, "The skin as it is (required)")->type_name("");
    AddReportOptions(cmd, options->report);
    AddSampleOptions(cmd, options->sample, SampleDefaults::Fixed);
    return {cmd, [options] { return RunDiff(*options); }};
}

} // namespace pindrel::cli
