#include "cli/folder_file.h"

#include <cstdio>

#include "base/atomic_file.h"
#include "cli/cli_skin.h"
#include "cli/png_writer.h"

namespace pindrel::cli {

bool WriteFolderFile(const std::string& path, std::string_view bytes, std::string* error) {
    return ReplaceFileAtomically(
               path,
               [bytes](FILE* f, std::string*) {
                   return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
               },
               error) == AtomicWriteStatus::Written;
}

bool WriteFolderPngOrSay(const std::string& path, ConstPixelView picture) {
    std::string error;
    const std::optional<std::string> png = EncodePng(picture, &error);
    if (png && WriteFolderFile(path, *png, &error)) return true;
    PrintError(path + ": " + error);
    return false;
}

} // namespace pindrel::cli
