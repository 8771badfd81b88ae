#include <array>
#include <filesystem>
#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/png_writer.h"
#include "render/canvas.h"
#include "render/font.h"
#include "render/text_draw.h"
#include "skin/screens.h"

namespace pindrel::cli {

namespace {

// Sheet layout, in pixels.
constexpr int32_t kMargin = 16;
constexpr int32_t kGap = 16;
constexpr int32_t kRowHeaderWidth = 96;
constexpr int32_t kCellWidth = 320; // the widest screen
constexpr Color kSheetBackground = Color::FromRgb(0xE4, 0xE4, 0xE4);
constexpr Color kScreenFrame = Color::FromRgb(0x88, 0x88, 0x88);
constexpr Color kCaptionColor = Color::FromRgb(0x30, 0x30, 0x30);

constexpr std::array<std::string_view, 5> kCallTypeCaptions = {
    "Unknown caller", "Private caller", "Number detected", "Contact found", "Contact with picture"};
constexpr std::array<std::string_view, 3> kOrientationCaptions = {
    "Portrait\n240 x 320", "Landscape\n320 x 240", "Square\n240 x 240"};

std::unique_ptr<Font> CaptionFont(int32_t pixels, bool bold) {
    return CreateFont(FontRequest{"Tahoma", -pixels, bold ? 700 : 400, false});
}

struct SheetOptions {
    std::string skin;
    std::string out;
    SampleOptions sample;
    std::string overlay;
};

int RunSheet(const SheetOptions& options) {
    if (!Require(options.out, "sheet", "-o OUT.png: the PNG file to write (- for standard output)"))
        return kExitUsage;
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    SampleSkin skin;
    if (!PrepareSkin(skin, options.sample) || !LoadSkin(skin, path)) return kExitFailed;
    const Overlays overlays =
        options.overlay.empty() ? Overlays{} : *ParseOverlays(options.overlay);

    const std::unique_ptr<Font> title = CaptionFont(16, true);
    const std::unique_ptr<Font> caption = CaptionFont(13, false);
    const int32_t titleHeight = title->Height() + kGap / 2;
    const int32_t headerHeight = caption->Height() + kGap / 2;

    int32_t height = kMargin + titleHeight + headerHeight;
    for (const Size& s : kScreenSizes)
        height += s.height + kGap;
    height += kMargin - kGap;
    const auto columns = static_cast<int32_t>(kCallTypes.size());
    const int32_t width =
        kMargin + kRowHeaderWidth + columns * (kCellWidth + kGap) - kGap + kMargin;

    Canvas sheet(width, height);
    const PixelView view = sheet.View();
    FillRect(view, sheet.Bounds(), kSheetBackground);

    const std::string name = std::filesystem::path(path).filename().string();
    DrawText(view, *title, name, Rect{kMargin, kMargin, width - kMargin, kMargin + titleHeight}, {},
             kCaptionColor);

    const int32_t gridLeft = kMargin + kRowHeaderWidth;
    const int32_t headerTop = kMargin + titleHeight;
    for (int32_t c = 0; c < columns; ++c) {
        const int32_t left = gridLeft + c * (kCellWidth + kGap);
        DrawText(view, *caption, kCallTypeCaptions[static_cast<size_t>(c)],
                 Rect{left, headerTop, left + kCellWidth, headerTop + headerHeight},
                 {TextAlign::Center, false}, kCaptionColor);
    }

    int32_t top = headerTop + headerHeight;
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        const Size screen = kScreenSizes[static_cast<size_t>(o)];
        const int32_t textHeight = caption->Height() * 2;
        const int32_t textTop = top + (screen.height - textHeight) / 2;
        DrawText(view, *caption, kOrientationCaptions[static_cast<size_t>(o)],
                 Rect{kMargin, textTop, gridLeft - kGap / 2, textTop + textHeight}, {},
                 kCaptionColor);
        for (int32_t c = 0; c < columns; ++c) {
            const Canvas screenCanvas =
                RenderScreen(skin, kAllScreens[static_cast<size_t>(o * columns + c)], overlays);
            const int32_t left =
                gridLeft + c * (kCellWidth + kGap) + (kCellWidth - screen.width) / 2;
            DrawOutline(view,
                        Rect{left - 1, top - 1, left + screen.width + 1, top + screen.height + 1},
                        kScreenFrame);
            CopyPixels(view, left, top, screenCanvas.View(), 0, 0, screen.width, screen.height);
        }
        top += screen.height + kGap;
    }

    return WritePngOrSay(options.out, sheet.View());
}

} // namespace

Command AddSheetCommand(CLI::App& parent) {
    auto options = std::make_shared<SheetOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "sheet", "Render all 15 screens (orientations x call types) to one PNG file");
    AddSkinArgument(cmd, options->skin);
    AddOutputOption(cmd, options->out, "OUT.png", "Output PNG file; - for standard output");
    AddSampleOptions(cmd, options->sample);
    AddOverlayOption(cmd, options->overlay);
    return {cmd, [options] { return RunSheet(*options); }};
}

} // namespace pindrel::cli
