#include <memory>
#include <optional>
#include <string>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"

namespace pindrel::cli {

namespace {

struct RestackOptions {
    EditArguments args;
    std::optional<int32_t> to;
};

int RunRestack(const RestackOptions& o) {
    const EditArguments& a = o.args;
    if (!CheckEditArguments(a, "restack", KindSet::Elements, true) ||
        !Require(o.to ? "-" : "", "restack", "--to N: the element's new place in its kind") ||
        !CheckEditOutput(a, "restack"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::Elements);
    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const std::optional<int32_t> section = FindTargetSection(skin, kind, a.kind, *a.index);
    if (!section) return kExitUsage;
    const size_t count = LoadedCount(skin.skin, kind);
    if (static_cast<size_t>(*o.to) >= count) {
        PrintError("--to " + std::to_string(*o.to) + ": the skin has " + std::to_string(count) +
                   " loaded " + a.kind + (count == 1 ? "" : "s") + ", so N is 0 to " +
                   std::to_string(count - 1));
        return kExitUsage;
    }
    const EditResult moved =
        RestackSection(skin.file, skin.skin, *section, static_cast<size_t>(*o.to));
    if (!moved.ok) return EditFailed(a, moved);
    return WriteEditedSkin(a, skin, moved.file.Bytes());
}

} // namespace

Command AddRestackCommand(CLI::App& parent) {
    auto o = std::make_shared<RestackOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "restack", "Move an image, button or label to another place in the drawing order of its "
                   "kind");
    AddEditArguments(cmd, o->args, KindSet::Elements, true);
    cmd->add_option("--to", o->to,
                    "Its new place among the loaded elements of its kind, from 0 (drawn first) "
                    "to the last (drawn on top) (required)")
        ->check(IntValidator(0, INT32_MAX, "an element number"))
        ->type_name("N");
    AddEditOutput(cmd, o->args,
                  "The section moves with the comment lines right above its header and the blank "
                  "lines after it: right after the element that is to be drawn below it, or right "
                  "before the one that is to be drawn over it. Kinds keep their order: images, "
                  "then buttons, then labels. Every "
                  "other byte stays.",
                  std::string(kNoSuchElement) + " or a --to beyond the last element of its kind");
    return {cmd, [o] { return RunRestack(*o); }};
}

} // namespace pindrel::cli
