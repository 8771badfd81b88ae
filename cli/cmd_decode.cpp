#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/png_writer.h"
#include "render/bmp_decoder.h"

namespace pindrel::cli {

namespace {

struct DecodeOptions {
    std::string in;
    std::string out;
};

int RunDecode(const DecodeOptions& options) {
    if (!Require(options.in, "decode", "IN.bmp: the bitmap to decode") ||
        !Require(options.out, "decode",
                 "-o OUT.png: the PNG file to write (- for standard output)"))
        return kExitUsage;
    const BmpResult result = LoadBmp(options.in);
    if (!result.image) {
        PrintBmpError(options.in, result);
        return kExitFailed;
    }
    return WritePngOrSay(options.out, result.image->View());
}

} // namespace

Command AddDecodeCommand(CLI::App& parent) {
    auto options = std::make_shared<DecodeOptions>();
    CLI::App* cmd = parent.add_subcommand("decode", "Decode a .bmp file to a PNG file");
    cmd->add_option("IN.bmp", options->in, "Bitmap file (required)")->type_name("");
    AddOutputOption(cmd, options->out, "OUT.png", "Output PNG file; - for standard output");
    return {cmd, [options] { return RunDecode(*options); }};
}

} // namespace pindrel::cli
