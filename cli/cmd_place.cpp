#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/atomic_file.h"
#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "ini/skin_ini_file.h"
#include "skin/sample_skin.h"
#include "skin/skin_edit.h"
#include "skin/skin_load.h"

namespace pindrel::cli {

namespace {

struct PlaceOptions {
    std::string skin;
    std::string kind;
    std::optional<int32_t> index;
    std::optional<int32_t> orientation;
    std::string pos;  // "X,Y"
    std::string size; // "W,H"; empty: as it is
    std::string out;
    bool inPlace = false;
};

struct KindName {
    std::string_view name;
    PlacedKind kind;
};
constexpr std::array<KindName, 4> kKinds = {{{"image", PlacedKind::Image},
                                             {"button", PlacedKind::Button},
                                             {"label", PlacedKind::Label},
                                             {"photo", PlacedKind::Photo}}};

std::optional<PlacedKind> ParseKind(std::string_view text) {
    for (const KindName& k : kKinds) {
        if (k.name == text) return k.kind;
    }
    return std::nullopt;
}

CLI::Validator KindValidator() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            if (ParseKind(text)) return {};
            return "expects image, button, label or photo, not \"" + text.substr(0, 64) + "\"";
        },
        "");
}

size_t CountOf(const Skin& skin, PlacedKind kind) {
    switch (kind) {
    case PlacedKind::Image:
        return skin.images.size();
    case PlacedKind::Button:
        return skin.buttons.size();
    case PlacedKind::Label:
        return skin.labels.size();
    case PlacedKind::Photo:
        return 1;
    }
    return 0;
}

std::string Plural(size_t n, std::string_view word) {
    return std::to_string(n) + " loaded " + std::string(word) + (n == 1 ? "" : "s");
}

int RunPlace(const PlaceOptions& o) {
    if (!Require(o.skin, "place", "SKIN: the skin file to edit") ||
        !Require(o.kind, "place", "KIND: image, button, label or photo") ||
        !Require(o.index ? "-" : "", "place", "INDEX: which element of that kind, from 0") ||
        !Require(o.orientation ? "-" : "", "place",
                 "--orientation portrait|landscape|square: the orientation to edit") ||
        !Require(o.pos, "place", "--pos X,Y: the new position"))
        return kExitUsage;
    if (o.out.empty() == !o.inPlace) {
        PrintError(o.inPlace ? "place takes -o OUT.ini or --in-place, not both"
                             : "place needs -o OUT.ini (the edited skin to write) or --in-place");
        return kExitUsage;
    }

    // Loaded from the very bytes that are edited, its pictures found beside it.
    SkinIniFile ini;
    SampleSkin skin;
    if (!LoadSkinBeside(skin, o.skin, ini)) {
        PrintSkinReadError(o.skin);
        return kExitFailed;
    }
    const std::span<const uint8_t> bytes = ini.Bytes();

    const PlacedElement element{*ParseKind(o.kind), static_cast<size_t>(*o.index)};
    const size_t count = CountOf(skin, element.kind);
    if (element.index >= count) {
        PrintError("INDEX " + std::to_string(*o.index) + ": the skin has " +
                   (element.kind == PlacedKind::Photo ? std::string("one photo rectangle, 0")
                                                      : Plural(count, o.kind)));
        return kExitUsage;
    }
    // The options were checked while parsing.
    const std::vector<int32_t> pos = ParseIntList(o.pos, 2);
    Placement placement = *CurrentPlacement(skin, element, *o.orientation);
    placement.x = pos[0];
    placement.y = pos[1];
    if (!o.size.empty()) {
        const std::vector<int32_t> size = ParseIntList(o.size, 2);
        placement.width = size[0];
        placement.height = size[1];
    }
    const EditResult placed = PlaceElement(ini, skin, element, placement);
    if (!placed.ok) {
        PrintError(o.skin + ": " + placed.error);
        return kExitFailed;
    }

    std::string error;
    if (o.inPlace) {
        const AtomicWriteStatus status =
            WriteBytesAtomically(o.skin, placed.file.Bytes(), &error, bytes);
        if (status == AtomicWriteStatus::Written) return kExitOk;
        PrintError(o.skin + ": " + error + "; nothing written");
        return kExitFailed;
    }
    const bool written = WriteOutputFile(
        o.out,
        [&](FILE* out, std::string*) {
            const std::span<const uint8_t> b = placed.file.Bytes();
            return std::fwrite(b.data(), 1, b.size(), out) == b.size();
        },
        &error);
    if (written) return kExitOk;
    PrintError((o.out == "-" ? std::string("standard output") : o.out) + ": " + error);
    return kExitFailed;
}

} // namespace

Command AddPlaceCommand(CLI::App& parent) {
    auto o = std::make_shared<PlaceOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "place",
        "Move or resize one element of a skin, changing only the numbers that must change");
    cmd->add_option("SKIN", o->skin, "Skin file (.ini) to edit (required)")->type_name("");
    cmd->add_option("KIND", o->kind, "image, button, label or photo (required)")
        ->check(KindValidator())
        ->type_name("");
    cmd->add_option("INDEX", o->index,
                    "Which element of that kind, from 0, in file order among those that load, "
                    "as inspect lists them; 0 for the photo rectangle (required)")
        ->check(IntValidator(0, INT32_MAX, "an element number"))
        ->type_name("");
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
    cmd->add_option("-o,--output", o->out,
                    "Write the edited skin to this file (- for standard output); SKIN stays")
        ->type_name("OUT.ini");
    cmd->add_flag("--in-place", o->inPlace,
                  "Replace SKIN: atomically, keeping its mode and any symbolic link, and only if "
                  "it still holds what was read");
    cmd->footer("Orientations that took the edited one's rectangle keep theirs: they get keys of "
                "their own. Comments, spacing, key order, line ends and other bytes stay.\n"
                "Exit status: 0 done, 1 SKIN cannot be read or the output cannot be written "
                "(nothing is written then), 2 usage error, also for a KIND or INDEX that names no "
                "loaded element.");
    return {cmd, [o] { return RunPlace(*o); }};
}

} // namespace pindrel::cli
