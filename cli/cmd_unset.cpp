#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"

namespace pindrel::cli {

namespace {

struct UnsetOptions {
    EditArguments args;
    std::vector<std::string> keys;
};

int RunUnset(const UnsetOptions& o) {
    const EditArguments& a = o.args;
    if (!CheckEditArguments(a, "unset", KindSet::All, true) ||
        !Require(o.keys.empty() ? "" : "-", "unset", "KEY: a key to remove") ||
        !CheckEditOutput(a, "unset"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::All);
    std::vector<std::string> keys;
    for (const std::string& k : o.keys) {
        keys.emplace_back(TrimIni(k));
        if (!CheckKey(keys.back(), kind)) return kExitUsage;
    }

    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const std::optional<int32_t> section = FindTargetSection(skin, kind, a.kind, *a.index);
    if (!section) return kExitUsage;
    // A skin section that the file lacks has no keys to remove.
    const SkinIniFile* now = &skin.file;
    EditResult last;
    for (const std::string& key : keys) {
        if (*section < 0) break;
        EditResult r = RemoveKey(*now, *section, key);
        if (!r.ok) return EditFailed(a, r);
        last = std::move(r);
        now = &last.file;
    }
    WarnIfNotLoaded(a, *now, kind, *section);
    return WriteEditedSkin(a, skin, now->Bytes());
}

} // namespace

Command AddUnsetCommand(CLI::App& parent) {
    auto o = std::make_shared<UnsetOptions>();
    CLI::App* cmd = parent.add_subcommand("unset", "Remove keys from one element or skin section");
    AddEditArguments(cmd, o->args, KindSet::All, true);
    cmd->add_option("KEY", o->keys,
                    "Keys of that kind's section to remove, every entry of each (required)")
        ->type_name("");
    AddEditOutput(cmd, o->args,
                  "Each entry of the key goes with its line; the key then takes its default. "
                  "Comments, spacing, key order, line ends and other bytes stay.",
                  std::string(kNoSuchElement) +
                      " or an unknown key (the message names the keys of that kind's section)");
    return {cmd, [o] { return RunUnset(*o); }};
}

} // namespace pindrel::cli
