#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "base/read_file.h"
#include "ini/skin_ini_file.h"
#include "skin/sample_skin.h"
#include "skin/skin_edit.h"
#include "skin/skin_format.h"

namespace pindrel::cli {

// What the commands that edit a skin share: KIND and INDEX, KEY=VALUE arguments, loading the
// skin from the very bytes that are edited, and writing the result.

// The KIND words a command takes.
enum class KindSet {
    Placed,   // image, button, label, photo
    Elements, // image, button, label
    All,      // image, button, label, color, background, border, photo
};
std::optional<SectionKind> ParseKind(std::string_view word, KindSet kinds);
// "expects image, button, label or photo, not ..." when the word is not one of them.
CLI::Validator KindValidator(KindSet kinds);
// "image, button, label or photo".
std::string KindWords(KindSet kinds);

// SKIN KIND INDEX and where the edited skin goes.
struct EditArguments {
    std::string skin;
    std::string kind;
    std::optional<int32_t> index;
    std::string out; // -o; "-" for standard output
    bool inPlace = false;
};
// SKIN, KIND and, when withIndex, INDEX.
void AddEditArguments(CLI::App* command, EditArguments& args, KindSet kinds, bool withIndex);
// -o and --in-place, and the footer: what the command does, and the exit status with the
// usage errors it finds.
inline constexpr std::string_view kNoSuchElement = "a KIND or INDEX that names no loaded element";
void AddEditOutput(CLI::App* command, EditArguments& args, std::string_view footer,
                   std::string_view usageErrors = kNoSuchElement);
// False, with a usage message, when SKIN, KIND or (withIndex) INDEX is missing.
bool CheckEditArguments(const EditArguments& args, std::string_view command, KindSet kinds,
                        bool withIndex);
// False, with a usage message, unless exactly one of -o and --in-place is given.
bool CheckEditOutput(const EditArguments& args, std::string_view command);

// KEY=VALUE arguments: nothing, with a usage message, when one has no "=", names a key that
// sections of that kind do not have (the message lists theirs), or has an empty value or one
// with a line break. Keys and values are trimmed of white space, as the skin file trims them.
struct Assignment {
    std::string key;
    std::string value;
};
std::optional<std::vector<Assignment>> ParseAssignments(const std::vector<std::string>& words,
                                                        SectionKind kind);
// False, with a usage message listing the section's keys, when sections of that kind have no
// such key.
bool CheckKey(std::string_view key, SectionKind kind);

// The skin being edited, loaded from the bytes that are edited, its pictures found beside it.
struct SkinToEdit {
    SkinIniFile file;
    SampleSkin skin;
    FileStamp stamp; // of the file as read: --in-place replaces only that
};
// False, with a message, when the skin file cannot be read, or kept changing while it was.
bool LoadSkinToEdit(const std::string& path, SkinToEdit& into);
// The section of KIND INDEX among the loaded elements (for a single kind, INDEX 0: the section
// that counts, -1 when the file has none). Nothing, with a usage message, when INDEX names no
// loaded element.
std::optional<int32_t> FindTargetSection(const SkinToEdit& skin, SectionKind kind,
                                         std::string_view kindWord, int32_t index);

// kExitFailed, with a message, for an edit the engine refused.
int EditFailed(const EditArguments& args, const EditResult& result);
// Writes the edited bytes as -o or --in-place asks (in place only if SKIN is still the file
// read, and not read-only): kExitOk, or kExitFailed with a message, nothing written then.
int WriteEditedSkin(const EditArguments& args, const SkinToEdit& read,
                    std::span<const uint8_t> edited);
// A warning when section s of the edited file gives no loaded element: the edit is written all
// the same, and lint tells why.
void WarnIfNotLoaded(const EditArguments& args, const SkinIniFile& edited, SectionKind kind,
                     int32_t s);

} // namespace pindrel::cli
