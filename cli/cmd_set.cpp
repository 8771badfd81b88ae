#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"

namespace pindrel::cli {

namespace {

struct SetOptions {
    EditArguments args;
    std::vector<std::string> pairs;
};

int RunSet(const SetOptions& o) {
    const EditArguments& a = o.args;
    if (!CheckEditArguments(a, "set", KindSet::All, true) ||
        !Require(o.pairs.empty() ? "" : "-", "set", "KEY=VALUE: a key and its new value") ||
        !CheckEditOutput(a, "set"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::All);
    const std::optional<std::vector<Assignment>> pairs = ParseAssignments(o.pairs, kind);
    if (!pairs) return kExitUsage;

    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const std::optional<int32_t> section = FindTargetSection(skin, kind, a.kind, *a.index);
    if (!section) return kExitUsage;
    // Each pair edits the result of the one before.
    const SkinIniFile* now = &skin.file;
    EditResult last;
    for (const Assignment& p : *pairs) {
        EditResult r = Section(kind).single ? SetSingleKey(*now, kind, p.key, p.value)
                                            : SetKey(*now, *section, p.key, p.value);
        if (!r.ok) return EditFailed(a, r);
        last = std::move(r);
        now = &last.file;
    }
    WarnIfNotLoaded(a, *now, kind,
                    Section(kind).single ? now->FindSection(SectionName(kind), 0) : *section);
    return WriteEditedSkin(a, skin, now->Bytes());
}

} // namespace

Command AddSetCommand(CLI::App& parent) {
    auto o = std::make_shared<SetOptions>();
    CLI::App* cmd =
        parent.add_subcommand("set", "Give keys of one element or skin section new values");
    AddEditArguments(cmd, o->args, KindSet::All, true);
    cmd->add_option("KEY=VALUE", o->pairs,
                    "Keys of that kind's section and their values, applied in this order; "
                    "the value is written as given, trimmed of white space (required)")
        ->type_name("");
    AddEditOutput(cmd, o->args,
                  "A key the section has gets its value in its first entry, the rest of the line "
                  "as it was; a new key goes on a line of its own after the section's last entry. "
                  "color, background, border and photo name the skin's sections of those names; "
                  "one that the skin lacks is added at the end. Comments, spacing, key order, "
                  "line ends and other bytes stay.",
                  std::string(kNoSuchElement) +
                      ", an unknown key (the message names the keys of that kind's section), or an "
                      "empty VALUE or one with a line break");
    return {cmd, [o] { return RunSet(*o); }};
}

} // namespace pindrel::cli
