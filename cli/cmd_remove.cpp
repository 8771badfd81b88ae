#include <memory>

#include "cli/commands.h"
#include "cli/edit_command.h"

namespace pindrel::cli {

namespace {

int RunRemove(const EditArguments& a) {
    if (!CheckEditArguments(a, "remove", KindSet::All, true) || !CheckEditOutput(a, "remove"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::All);
    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const std::optional<int32_t> section = FindTargetSection(skin, kind, a.kind, *a.index);
    if (!section) return kExitUsage;
    // A skin section that the file lacks is gone already.
    if (*section < 0) return WriteEditedSkin(a, skin, skin.file.Bytes());
    const EditResult removed = RemoveSection(skin.file, *section);
    if (!removed.ok) return EditFailed(a, removed);
    return WriteEditedSkin(a, skin, removed.file.Bytes());
}

} // namespace

Command AddRemoveCommand(CLI::App& parent) {
    auto args = std::make_shared<EditArguments>();
    CLI::App* cmd = parent.add_subcommand("remove", "Remove one element or skin section");
    AddEditArguments(cmd, *args, KindSet::All, true);
    AddEditOutput(cmd, *args,
                  "The section goes with its header, its entries, the lines between them, the "
                  "comment lines right above its header and the blank lines after it. color, "
                  "background, border and photo remove every section of that name. No other "
                  "section's header or entry is touched.");
    return {cmd, [args] { return RunRemove(*args); }};
}

} // namespace pindrel::cli
