#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/read_file.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "render/bmp_decoder.h"
#include "render/dib_image.h"
#include "skin/sample_skin.h"
#include "skin/skin.h"

namespace pindrel::cli {

// "pindrel-cli: error: MESSAGE" on stderr.
void PrintError(std::string_view message);
// "pindrel-cli: error: PATH: REASON (status N)" for a bitmap that did not decode.
void PrintBmpError(std::string_view path, const BmpResult& result);
// "pindrel-cli: error: PATH: why the skin file cannot be read".
void PrintSkinReadError(std::string_view path);
// Writes the picture as a PNG file (standard output for "-"): kExitOk, or kExitFailed with a
// message.
int WritePngOrSay(std::string_view path, ConstPixelView picture);
// Writes text to stdout; false, with a message, when it cannot be written.
bool WriteStdout(std::string_view text);

// The bytes and stamp of a skin file that is to be written back, read once it stands still and
// within the size bound; nothing, with a message, when it cannot be read, is empty or keeps
// changing.
std::optional<ReadFileResult> ReadSkinToEdit(const std::string& path);

// A whole input file that is no skin, up to limit bytes; nothing, with a message, when it cannot
// be read or is empty.
std::optional<std::vector<uint8_t>> ReadInputFile(const std::string& path, uint64_t limit);

// The skin a command works on: the path given, or the bundled example skin when it is empty.
// Empty, with a message, when no example skin is installed.
std::string SkinPathOrDefault(std::string_view skin);

// Loads the skin with its relative bitmap names resolved in its folder, as the designer finds
// them after Browse. False, with a message, when the skin file cannot be read.
bool LoadSkin(Skin& skin, std::string_view path);

// The photo from a .bmp file, or the built-in sample photo when path is empty. Nothing, with a
// message, when it does not decode.
std::optional<DibImage> LoadPhoto(std::string_view path);

// Applies the sample options to a fresh skin: caller data, time, photo and resolution.
bool PrepareSkin(SampleSkin& skin, const SampleOptions& options);

} // namespace pindrel::cli
