#include <charconv>
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "skin/call_type.h"

namespace {

using namespace pindrel::cli;

std::map<std::string, int32_t> OrientationNames() {
    std::map<std::string, int32_t> names;
    for (size_t i = 0; i < pindrel::kOrientationKeywords.size(); ++i)
        names.emplace(pindrel::kOrientationKeywords[i], static_cast<int32_t>(i));
    return names;
}

std::map<std::string, int32_t> CallTypeNames() {
    std::map<std::string, int32_t> names;
    for (size_t i = 0; i < pindrel::kCallTypes.size(); ++i)
        names.emplace(pindrel::kCallTypeKeywords[i], static_cast<int32_t>(pindrel::kCallTypes[i]));
    return names;
}

const std::map<std::string, int32_t> kOrientations = OrientationNames();
const std::map<std::string, int32_t> kCallTypeNames = CallTypeNames();

// A button's place in the list of loaded buttons; whether the skin has that many is known only
// once it is loaded.
const CLI::Validator kButtonNumber(
    [](std::string& text) -> std::string {
        int32_t n = 0;
        const char* end = text.data() + text.size();
        const auto [stop, ec] = std::from_chars(text.data(), end, n);
        if (ec != std::errc() || stop != end || n < 0)
            return "expects a button number from 0 on, not \"" + text + "\"";
        return {};
    },
    "");

void AddSkinArgument(CLI::App* command, std::string& skin) {
    command->add_option("SKIN", skin, "Skin file (.ini); default: the bundled example skin")
        ->type_name("");
}

void AddSampleOptions(CLI::App* command, SampleOptions& sample) {
    pindrel::CallerInfo& info = sample.info;
    command->add_option("--name", info.name, "Caller name")->capture_default_str();
    command->add_option("--company", info.company, "Company")->capture_default_str();
    command->add_option("--job", info.job, "Job")->capture_default_str();
    command->add_option("--categories", info.categories, "Categories")->capture_default_str();
    command->add_option("--phone", info.phone, "Phone number")->capture_default_str();
    command->add_option("--phone-type", info.phoneType, "Phone type")->capture_default_str();
    command->add_option("--nick", info.nick, "Nickname")->capture_default_str();
    command->add_option("--time", sample.time,
                        "Text of the time field; default: the local time (hours and minutes)");
    command->add_option("--photo", sample.photo, "Caller photo; default: the built-in sample photo")
        ->type_name("FILE.bmp");
    command->add_option("--dpi", sample.dpi, "Dots per inch for font heights")
        ->capture_default_str()
        ->check(CLI::Range(1, 10000).description(""))
        ->type_name("N");
}

int Run(int argc, char** argv) {
    CLI::App app{"Renders, checks and inspects incoming-call screen skins.", "pindrel-cli"};
    app.set_version_flag("--version", std::string("pindrel-cli ") + PINDREL_VERSION);
    app.require_subcommand(1);
    app.footer("Exit status: 0 done, 1 a skin or bitmap could not be read (or lint found an "
               "error), 2 usage error.");

    RenderOptions render;
    CLI::App* renderCmd = app.add_subcommand("render", "Render one screen of a skin to a PNG file");
    AddSkinArgument(renderCmd, render.skin);
    renderCmd->add_option("-o,--output", render.out, "Output PNG file")
        ->required()
        ->type_name("OUT.png");
    renderCmd
        ->add_option("--orientation", render.orientation, "Screen orientation; default: portrait")
        ->transform(CLI::CheckedTransformer(kOrientations, CLI::ignore_case).description(""))
        ->type_name("portrait|landscape|square|0|1|2");
    renderCmd->add_option("--call-type", render.callType, "Call type; default: unknown")
        ->transform(CLI::CheckedTransformer(kCallTypeNames, CLI::ignore_case).description(""))
        ->type_name("unknown|private|number|contact|photo|1|2|4|8|16");
    AddSampleOptions(renderCmd, render.sample);
    renderCmd
        ->add_option("--align", render.align,
                     "Show the align rectangle: X pos, Y pos, X size, Y size")
        ->delimiter(',')
        ->expected(4)
        ->type_name("X,Y,W,H");
    renderCmd
        ->add_option("--press", render.press,
                     "Draw button N (0-based, among the loaded buttons) pressed")
        ->check(kButtonNumber)
        ->type_name("N");

    SheetOptions sheet;
    CLI::App* sheetCmd = app.add_subcommand(
        "sheet", "Render all 15 screens (orientations x call types) to one PNG file");
    AddSkinArgument(sheetCmd, sheet.skin);
    sheetCmd->add_option("-o,--output", sheet.out, "Output PNG file")
        ->required()
        ->type_name("OUT.png");
    AddSampleOptions(sheetCmd, sheet.sample);

    std::string inspectSkin;
    CLI::App* inspectCmd =
        app.add_subcommand("inspect", "Print the loaded skin's model as JSON on stdout");
    AddSkinArgument(inspectCmd, inspectSkin);

    std::string lintSkin;
    CLI::App* lintCmd = app.add_subcommand(
        "lint", "Report what the skin loader silently tolerates: FILE:LINE: error|warning: TEXT");
    AddSkinArgument(lintCmd, lintSkin);

    std::string decodeIn, decodeOut;
    CLI::App* decodeCmd = app.add_subcommand("decode", "Decode a .bmp file to a PNG file");
    decodeCmd->add_option("IN.bmp", decodeIn, "Bitmap file")->required()->type_name("");
    decodeCmd->add_option("-o,--output", decodeOut, "Output PNG file")
        ->required()
        ->type_name("OUT.png");

    std::function<int()> runConvert;
    CLI::App* convertCmd = AddConvertCommand(app, runConvert);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end here too, with success and their text on stdout.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        PrintError(e.what());
        std::fputs("Run 'pindrel-cli --help' for usage.\n", stderr);
        return kExitUsage;
    }

    if (renderCmd->parsed()) return RunRender(render);
    if (sheetCmd->parsed()) return RunSheet(sheet);
    if (inspectCmd->parsed()) return RunInspect(inspectSkin);
    if (lintCmd->parsed()) return RunLint(lintSkin);
    if (decodeCmd->parsed()) return RunDecode(decodeIn, decodeOut);
    if (convertCmd->parsed()) return runConvert();
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        PrintError(e.what());
        return kExitFailed;
    }
}
