#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/png_writer.h"
#include "skin/overlays.h"

namespace pindrel::cli {

namespace {

struct RenderOptions {
    std::string skin; // the example skin when empty
    std::string out;
    int32_t orientation = 0;
    int32_t callType = 1;
    SampleOptions sample;
    std::string align; // "X,Y,W,H"; empty for none
    std::optional<int32_t> press;
    std::string overlay;
};

int RunRender(const RenderOptions& options) {
    if (!Require(options.out, "render",
                 "-o OUT.png: the PNG file to write (- for standard output)"))
        return kExitUsage;
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    SampleSkin skin;
    if (!PrepareSkin(skin, options.sample) || !LoadSkin(skin, path)) return kExitFailed;

    ScreenRequest request = skin.Request(
        {static_cast<Orientation>(options.orientation), static_cast<CallType>(options.callType)});
    if (options.press) {
        const auto index = static_cast<size_t>(*options.press);
        if (index >= skin.buttons.size()) {
            PrintError("--press " + std::to_string(*options.press) + ": the skin has " +
                       std::to_string(skin.buttons.size()) + " loaded button" +
                       (skin.buttons.size() == 1 ? "" : "s"));
            return kExitUsage;
        }
        request.heldButtons.resize(skin.buttons.size());
        request.heldButtons[index] = true;
    }
    if (!options.align.empty()) {
        const std::vector<int32_t> a = ParseIntList(options.align, 4);
        request.alignRect = Rect::FromXYWH(a[0], a[1], a[2], a[3]);
    }

    const Canvas canvas =
        DrawScreenOverlaid(skin, request, skin.fontCache,
                           options.overlay.empty() ? Overlays{} : *ParseOverlays(options.overlay));
    return WritePngOrSay(options.out, canvas.View());
}

} // namespace

Command AddRenderCommand(CLI::App& parent) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* cmd = parent.add_subcommand("render", "Render one screen of a skin to a PNG file");
    AddSkinArgument(cmd, options->skin);
    AddOutputOption(cmd, options->out, "OUT.png", "Output PNG file; - for standard output");
    cmd->add_option("--orientation", options->orientation, "Screen orientation; default: portrait")
        ->transform(KeywordValidator(OrientationNames()))
        ->type_name("portrait|landscape|square|0|1|2");
    cmd->add_option("--call-type", options->callType, "Call type; default: unknown")
        ->transform(KeywordValidator(CallTypeNames()))
        ->type_name("unknown|private|number|contact|photo|1|2|4|8|16");
    AddSampleOptions(cmd, options->sample);
    AddOverlayOption(cmd, options->overlay);
    cmd->add_option("--align", options->align,
                    "Show the align rectangle: X pos, Y pos, X size, Y size")
        ->check(IntListValidator(4, "X,Y,W,H"))
        ->type_name("X,Y,W,H");
    cmd->add_option("--press", options->press,
                    "Draw button N (0-based, among the loaded buttons) pressed")
        ->check(IntValidator(0, INT32_MAX, "a button number"))
        ->type_name("N");
    return {cmd, [options] { return RunRender(*options); }};
}

} // namespace pindrel::cli
