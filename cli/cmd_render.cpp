#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/png_writer.h"

namespace pindrel::cli {

int RunRender(const RenderOptions& options) {
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    CliSkin skin;
    if (!PrepareSkin(skin, options.sample) || !LoadSkin(skin, path)) return kExitFailed;

    if (options.press) {
        const auto index = static_cast<size_t>(*options.press);
        if (index >= skin.buttons.size()) {
            PrintError("--press " + std::to_string(*options.press) + ": the skin has " +
                       std::to_string(skin.buttons.size()) + " loaded button" +
                       (skin.buttons.size() == 1 ? "" : "s"));
            return kExitUsage;
        }
        skin.buttons[index].pressed = 1;
    }
    if (options.align.size() == 4) {
        skin.showAlignRect = true;
        skin.alignRect =
            Rect::FromXYWH(options.align[0], options.align[1], options.align[2], options.align[3]);
    }
    skin.SetOrientation(options.orientation);
    skin.callType = static_cast<CallType>(options.callType);

    const Canvas canvas =
        skin.RenderPreview(kScreenSizes[static_cast<size_t>(options.orientation)]);
    std::string error;
    if (!WritePng(options.out, canvas.View(), &error)) {
        PrintError(options.out + ": " + error);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace pindrel::cli
