#include <memory>

#include "cli/commands.h"
#include "cli/edit_command.h"

namespace pindrel::cli {

namespace {

int RunDuplicate(const EditArguments& a) {
    if (!CheckEditArguments(a, "duplicate", KindSet::Elements, true) ||
        !CheckEditOutput(a, "duplicate"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::Elements);
    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const std::optional<int32_t> section = FindTargetSection(skin, kind, a.kind, *a.index);
    if (!section) return kExitUsage;
    const EditResult copied = DuplicateSection(skin.file, *section);
    if (!copied.ok) return EditFailed(a, copied);
    return WriteEditedSkin(a, skin, copied.file.Bytes());
}

} // namespace

Command AddDuplicateCommand(CLI::App& parent) {
    auto args = std::make_shared<EditArguments>();
    CLI::App* cmd = parent.add_subcommand(
        "duplicate", "Copy an image, button or label: the copy is the next element of its kind");
    AddEditArguments(cmd, *args, KindSet::Elements, true);
    AddEditOutput(cmd, *args,
                  "The copy of the section (its header, entries and the lines between them) goes "
                  "right after its last entry; every other byte stays.");
    return {cmd, [args] { return RunDuplicate(*args); }};
}

} // namespace pindrel::cli
