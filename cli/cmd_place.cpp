#include <memory>
#include <optional>
#include <string>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"
#include "skin/skin_edit.h"

namespace pindrel::cli {

namespace {

struct PlaceOptions {
    EditArguments args;
    std::optional<int32_t> orientation;
    std::string pos;  // "X,Y"
    std::string size; // "W,H"; empty: as it is
};

PlacedKind PlacedKindOf(SectionKind kind) {
    switch (kind) {
    case SectionKind::Button:
        return PlacedKind::Button;
    case SectionKind::Label:
        return PlacedKind::Label;
    case SectionKind::PhotoRect:
        return PlacedKind::Photo;
    default:
        return PlacedKind::Image;
    }
}

int RunPlace(const PlaceOptions& o) {
    const EditArguments& a = o.args;
    if (!CheckEditArguments(a, "place", KindSet::Placed, true) ||
        !Require(o.orientation ? "-" : "", "place",
                 "--orientation portrait|landscape|square: the orientation to edit") ||
        !Require(o.pos, "place", "--pos X,Y: the new position") || !CheckEditOutput(a, "place"))
        return kExitUsage;

    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    const SectionKind kind = *ParseKind(a.kind, KindSet::Placed);
    if (!FindTargetSection(skin, kind, a.kind, *a.index)) return kExitUsage;

    const PlacedElement element{PlacedKindOf(kind), static_cast<size_t>(*a.index)};
    // The options were checked while parsing.
    const std::vector<int32_t> pos = ParseIntList(o.pos, 2);
    Placement placement = *CurrentPlacement(skin.skin, element, *o.orientation);
    placement.x = pos[0];
    placement.y = pos[1];
    if (!o.size.empty()) {
        const std::vector<int32_t> size = ParseIntList(o.size, 2);
        placement.width = size[0];
        placement.height = size[1];
    }
    const EditResult placed = PlaceElement(skin.file, skin.skin, element, placement);
    if (!placed.ok) return EditFailed(a, placed);
    return WriteEditedSkin(a, skin, placed.file.Bytes());
}

} // namespace

Command AddPlaceCommand(CLI::App& parent) {
    auto o = std::make_shared<PlaceOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "place",
        "Move or resize one element of a skin, changing only the numbers that must change");
    AddEditArguments(cmd, o->args, KindSet::Placed, true);
    cmd->add_option("--orientation", o->orientation,
                    "Orientation whose rectangle to set (required)")
        ->transform(KeywordValidator(OrientationNames()))
        ->type_name("portrait|landscape|square");
    cmd->add_option("--pos", o->pos, "New position (required)")
        ->check(IntListValidator(2, "X,Y"))
        ->type_name("X,Y");
    cmd->add_option("--size", o->size,
                    "New width and height; 0 is the picture's own for images and buttons; "
                    "default: as they are")
        ->check(IntListValidator(2, "W,H"))
        ->type_name("W,H");
    AddEditOutput(cmd, o->args,
                  "Orientations that took the edited one's rectangle keep theirs: they get keys "
                  "of their own. Comments, spacing, key order, line ends and other bytes stay.");
    return {cmd, [o] { return RunPlace(*o); }};
}

} // namespace pindrel::cli
