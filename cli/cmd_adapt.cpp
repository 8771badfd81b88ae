#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/edit_command.h"
#include "cli/options.h"
#include "skin/adapt.h"

namespace pindrel::cli {

namespace {

struct AdaptOptions {
    EditArguments args;
    std::optional<int32_t> from;
    std::optional<int32_t> to;
    std::string rule = "anchor";
    std::vector<std::string> elements; // KIND INDEX pairs
};

std::optional<AdaptRule> ParseRule(std::string_view word) {
    if (word == "anchor") return AdaptRule::Anchor;
    if (word == "same") return AdaptRule::Same;
    return std::nullopt;
}

// The KIND INDEX pairs, checked against the loaded skin; nothing, with a usage message, for
// anything they do not name.
bool ParseElements(const std::vector<std::string>& words, const SkinToEdit& skin,
                   AdaptRequest& request) {
    if (words.size() % 2 != 0) {
        PrintError("adapt takes KIND INDEX pairs: \"" + words.back() + "\" has no INDEX");
        return false;
    }
    for (size_t i = 0; i < words.size(); i += 2) {
        const std::string& word = words[i];
        const std::optional<int32_t> index = ParseInt(words[i + 1]);
        const std::optional<SectionKind> kind = word == "background"
                                                    ? std::optional(SectionKind::BackgroundImage)
                                                    : ParseKind(word, KindSet::Placed);
        if (!kind) {
            PrintError("KIND: expects image, button, label, photo or background, not \"" +
                       word.substr(0, 64) + "\"");
            return false;
        }
        if (!index || *index < 0) {
            PrintError("INDEX: expects an element number, not \"" + words[i + 1].substr(0, 64) +
                       "\"");
            return false;
        }
        if (*kind == SectionKind::BackgroundImage) {
            if (*index != 0 || !skin.skin.backgroundImage.loaded) {
                PrintError("background " + words[i + 1] + ": the skin has " +
                           (skin.skin.backgroundImage.loaded ? "one background picture, 0"
                                                             : "no background picture"));
                return false;
            }
            request.background = true;
            continue;
        }
        if (!FindTargetSection(skin, *kind, word, *index)) return false;
        const PlacedKind placed = *kind == SectionKind::Image    ? PlacedKind::Image
                                  : *kind == SectionKind::Button ? PlacedKind::Button
                                  : *kind == SectionKind::Label  ? PlacedKind::Label
                                                                 : PlacedKind::Photo;
        request.elements.push_back({placed, static_cast<size_t>(*index)});
    }
    request.every = words.empty();
    return true;
}

int RunAdapt(const AdaptOptions& o) {
    const EditArguments& a = o.args;
    if (!Require(a.skin, "adapt", "SKIN: the skin file to edit") ||
        !Require(o.from ? "-" : "", "adapt",
                 "--from portrait|landscape|square: the orientation to adapt from") ||
        !Require(o.to ? "-" : "", "adapt",
                 "--to portrait|landscape|square: the orientation to set") ||
        !CheckEditOutput(a, "adapt"))
        return kExitUsage;
    if (*o.from == *o.to) {
        PrintError("--from and --to name the same orientation");
        return kExitUsage;
    }
    SkinToEdit skin;
    if (!LoadSkinToEdit(a.skin, skin)) return kExitFailed;
    AdaptRequest request;
    request.from = *o.from;
    request.to = *o.to;
    request.rule = *ParseRule(o.rule);
    if (!ParseElements(o.elements, skin, request)) return kExitUsage;
    LoadContext context;
    // Pictures beside the skin, as its load found them.
    context.folder = std::filesystem::path(a.skin).parent_path().string();
    const AdaptResult adapted = AdaptSkin(skin.file.Bytes(), context, request);
    if (!adapted.ok) {
        PrintError(a.skin + ": " + adapted.error);
        return kExitFailed;
    }
    return WriteEditedSkin(a, skin, adapted.bytes);
}

} // namespace

Command AddAdaptCommand(CLI::App& parent) {
    auto o = std::make_shared<AdaptOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "adapt", "Set the elements' rectangles in one orientation from those in another");
    cmd->add_option("SKIN", o->args.skin, "Skin file (.ini) to edit (required)")->type_name("");
    cmd->add_option("ELEMENTS", o->elements,
                    "KIND INDEX pairs (image, button, label, photo or background, as inspect "
                    "counts them) to set only those; default: every element")
        ->type_name("[KIND INDEX]...");
    cmd->add_option("--from", o->from, "The orientation the rectangles come from (required)")
        ->transform(KeywordValidator(OrientationNames()))
        ->type_name("portrait|landscape|square");
    cmd->add_option("--to", o->to, "The orientation whose rectangles to set (required)")
        ->transform(KeywordValidator(OrientationNames()))
        ->type_name("portrait|landscape|square");
    cmd->add_option("--rule", o->rule,
                    "anchor: each element kept at the edge or the centre it lies nearest, on "
                    "each axis apart; same: the rectangles as they are; default: anchor")
        ->check(CLI::IsMember({"anchor", "same"}))
        ->type_name("anchor|same");
    AddEditOutput(
        cmd, o->args,
        "On each axis, with S and T the two screens' lengths, a the element's start and l its "
        "length: an element with 3l >= 2S spans the screen, and a label or the photo then keeps "
        "a and takes l + (T - S); anything else keeps l, and keeps a when 3(2a + l) < 2S, takes "
        "a + (T - S) when 3(2a + l) > 4S, else a + (T - S) / 2, truncated toward zero. Elements "
        "whose --from rectangle is empty stay, and every element keeps what its other "
        "orientations show. Only position and size keys change.",
        std::string(kNoSuchElement) + ", or --from and --to the same");
    return {cmd, [o] { return RunAdapt(*o); }};
}

} // namespace pindrel::cli
