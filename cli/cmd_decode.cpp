#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/png_writer.h"
#include "render/bmp_decoder.h"

namespace pindrel::cli {

int RunDecode(std::string_view in, std::string_view out) {
    const BmpResult result = LoadBmp(in);
    if (!result.image) {
        PrintBmpError(in, result);
        return kExitFailed;
    }
    std::string error;
    if (!WritePng(out, result.image->View(), &error)) {
        PrintError(std::string(out) + ": " + error);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace pindrel::cli
