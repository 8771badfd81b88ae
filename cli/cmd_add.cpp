#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"

namespace pindrel::cli {

namespace {

struct AddOptions {
    EditArguments args;
    std::vector<std::string> pairs;
};

int RunAdd(const AddOptions& o) {
    const EditArguments& a = o.args;
    if (!CheckEditArguments(a, "add", KindSet::Elements, false) ||
        !Require(o.pairs.empty() ? "" : "-", "add", "KEY=VALUE: the new element's keys") ||
        !CheckEditOutput(a, "add"))
        return kExitUsage;
    const SectionKind kind = *ParseKind(a.kind, KindSet::Elements);
    const std::optional<std::vector<Assignment>> pairs = ParseAssignments(o.pairs, kind);
    if (!pairs) return kExitUsage;
    // Applied in order: a key given again gets the later value, in the place of the first.
    std::vector<KeyValue> entries;
    for (const Assignment& p : *pairs) {
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&](const KeyValue& e) { return e.key == p.key; });
        if (same != entries.end())
            same->value = p.value;
        else
            entries.push_back({p.key, p.value});
    }

    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const EditResult added = AddSection(skin.file, kind, entries);
    if (!added.ok) return EditFailed(a, added);
    WarnIfNotLoaded(a, added.file, kind, static_cast<int32_t>(added.file.sections.size()) - 1);
    return WriteEditedSkin(a, skin, added.file.Bytes());
}

} // namespace

Command AddAddCommand(CLI::App& parent) {
    auto o = std::make_shared<AddOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "add", "Add an image, button or label: the last of its kind, drawn on top of its kind");
    AddEditArguments(cmd, o->args, KindSet::Elements, false);
    cmd->add_option("KEY=VALUE", o->pairs,
                    "Keys of the new section and their values, in this order; the value is "
                    "written as given, trimmed of white space (required)")
        ->type_name("");
    AddEditOutput(cmd, o->args,
                  "The new section goes at the end of the file; every other byte stays. An "
                  "element that does not load (a picture that is missing, a label without "
                  "fields) is written all the same, with a warning.",
                  "an unknown key (the message names the keys of that kind's section), or an empty "
                  "VALUE or one with a line break");
    return {cmd, [o] { return RunAdd(*o); }};
}

} // namespace pindrel::cli
