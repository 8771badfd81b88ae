#include "cli/edit_command.h"

#include <array>
#include <cstdio>
#include <filesystem>

#include "base/atomic_file.h"
#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "skin/skin_load.h"

namespace pindrel::cli {

namespace {

struct KindWord {
    std::string_view word;
    SectionKind kind;
    std::string_view one; // how INDEX messages name a single section
};
constexpr std::array<KindWord, 7> kKindWords = {{
    {"image", SectionKind::Image, {}},
    {"button", SectionKind::Button, {}},
    {"label", SectionKind::Label, {}},
    {"color", SectionKind::BackgroundColor, "one background colour"},
    {"background", SectionKind::BackgroundImage, "one background image"},
    {"border", SectionKind::BorderImage, "one border image"},
    {"photo", SectionKind::PhotoRect, "one photo rectangle"},
}};

bool InSet(const KindWord& k, KindSet kinds) {
    switch (kinds) {
    case KindSet::Elements:
        return !Section(k.kind).single;
    case KindSet::Placed:
        return !Section(k.kind).single || k.kind == SectionKind::PhotoRect;
    case KindSet::All:
        return true;
    }
    return false;
}

std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
    return text;
}

std::string Plural(size_t n, std::string_view word) {
    return std::to_string(n) + " loaded " + std::string(word) + (n == 1 ? "" : "s");
}

// "file, type, ... and transp_color", with the numbered keys of a label.
std::string KeysOf(SectionKind kind) {
    const SectionInfo& section = Section(kind);
    std::vector<std::string> keys = SectionKeyNames(kind);
    if (section.numberedKeys) {
        keys.push_back(std::string(kFieldFontKeys.prefix) + "N");
        keys.push_back(std::string(kFieldColorKeys.prefix) + "N (N from 1: the Nth name of \"" +
                       std::string(KeyName(SkinKey::Fields)) + "\")");
    }
    std::string text;
    for (size_t i = 0; i < keys.size(); ++i)
        text += (i == 0 ? "" : i + 1 == keys.size() ? " and " : ", ") + keys[i];
    return text;
}

std::string Shown(std::string_view text) {
    std::string q = "\"";
    q.append(text.substr(0, 64));
    if (text.size() > 64) q += "...";
    return q + "\"";
}

} // namespace

std::optional<SectionKind> ParseKind(std::string_view word, KindSet kinds) {
    for (const KindWord& k : kKindWords) {
        if (k.word == word && InSet(k, kinds)) return k.kind;
    }
    return std::nullopt;
}

std::string KindWords(KindSet kinds) {
    std::vector<std::string> words;
    for (const KindWord& k : kKindWords) {
        if (InSet(k, kinds)) words.emplace_back(k.word);
    }
    return Listed(words);
}

CLI::Validator KindValidator(KindSet kinds) {
    return CLI::Validator(
        [kinds](std::string& text) -> std::string {
            if (ParseKind(text, kinds)) return {};
            return "expects " + KindWords(kinds) + ", not " + Shown(text);
        },
        "");
}

void AddEditArguments(CLI::App* command, EditArguments& args, KindSet kinds, bool withIndex) {
    command->add_option("SKIN", args.skin, "Skin file (.ini) to edit (required)")->type_name("");
    command->add_option("KIND", args.kind, KindWords(kinds) + " (required)")
        ->check(KindValidator(kinds))
        ->type_name("");
    if (!withIndex) return;
    command
        ->add_option("INDEX", args.index,
                     std::string("Which element of that kind, from 0, in file order among "
                                 "those that load, as inspect lists them") +
                         (kinds == KindSet::Placed ? "; 0 for the photo rectangle"
                          : kinds == KindSet::All  ? "; 0 for color, background, border and photo"
                                                   : "") +
                         " (required)")
        ->check(IntValidator(0, INT32_MAX, "an element number"))
        ->type_name("");
}

void AddEditOutput(CLI::App* command, EditArguments& args, std::string_view footer,
                   std::string_view usageErrors) {
    command
        ->add_option("-o,--output", args.out,
                     "Write the edited skin to this file (- for standard output); SKIN stays")
        ->type_name("OUT.ini");
    command->add_flag("--in-place", args.inPlace,
                      "Replace SKIN: atomically, keeping its mode and any symbolic link, and only "
                      "if it still holds what was read");
    command->footer(std::string(footer) +
                    "\nExit status: 0 done, 1 SKIN cannot be read or the output cannot be written "
                    "(nothing is written then), 2 usage error, also for " +
                    std::string(usageErrors) + ".");
}

bool CheckEditArguments(const EditArguments& args, std::string_view command, KindSet kinds,
                        bool withIndex) {
    const std::string index = withIndex && !args.index ? "" : "-";
    return Require(args.skin, command, "SKIN: the skin file to edit") &&
           Require(args.kind, command, "KIND: " + KindWords(kinds)) &&
           Require(index, command, "INDEX: which element of that kind, from 0");
}

bool CheckEditOutput(const EditArguments& args, std::string_view command) {
    if (args.out.empty() != !args.inPlace) return true;
    const std::string name(command);
    PrintError(args.inPlace ? name + " takes -o OUT.ini or --in-place, not both"
                            : name + " needs -o OUT.ini (the edited skin to write) or --in-place");
    return false;
}

bool CheckKey(std::string_view key, SectionKind kind) {
    if (KeyForm(kind, key)) return true;
    const bool one = SectionKeyNames(kind).size() == 1 && !Section(kind).numberedKeys;
    PrintError("unknown key " + Shown(key) + " in [" + std::string(SectionName(kind)) +
               "] sections; " + (one ? "their only key is " : "their keys are ") + KeysOf(kind));
    return false;
}

std::optional<std::vector<Assignment>> ParseAssignments(const std::vector<std::string>& words,
                                                        SectionKind kind) {
    std::vector<Assignment> out;
    for (const std::string& word : words) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos) {
            PrintError("expects KEY=VALUE, not " + Shown(word));
            return std::nullopt;
        }
        const std::string key(TrimIni(std::string_view(word).substr(0, eq)));
        const std::string_view raw = std::string_view(word).substr(eq + 1);
        if (!CheckKey(key, kind)) return std::nullopt;
        if (raw.find_first_of("\r\n") != std::string_view::npos) {
            PrintError("the value of " + key + " holds a line break");
            return std::nullopt;
        }
        if (TrimIni(raw).empty()) {
            PrintError(key + " needs a value: " + key + "=VALUE");
            return std::nullopt;
        }
        out.push_back({key, std::string(TrimIni(raw))});
    }
    return out;
}

bool LoadSkinToEdit(const std::string& path, SkinToEdit& into) {
    std::optional<ReadFileResult> read = ReadSkinToEdit(path);
    if (!read) return false;
    into.stamp = read->stamp;
    into.file.Parse(std::move(read->bytes));
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    into.skin.Load(into.file, LoadContext{folder.empty() ? std::string(".") : folder.string()});
    return true;
}

std::optional<int32_t> FindTargetSection(const SkinToEdit& skin, SectionKind kind,
                                         std::string_view kindWord, int32_t index) {
    const auto i = static_cast<size_t>(index);
    if (i < LoadedCount(skin.skin, kind)) return LoadedSection(skin.skin, skin.file, kind, i);
    std::string has;
    for (const KindWord& k : kKindWords) {
        if (k.kind == kind && Section(kind).single) has = std::string(k.one) + ", 0";
    }
    if (has.empty()) has = Plural(LoadedCount(skin.skin, kind), kindWord);
    PrintError("INDEX " + std::to_string(index) + ": the skin has " + has);
    return std::nullopt;
}

int EditFailed(const EditArguments& args, const EditResult& result) {
    PrintError(args.skin + ": " + result.error);
    return kExitFailed;
}

int WriteEditedSkin(const EditArguments& args, const SkinToEdit& read,
                    std::span<const uint8_t> edited) {
    std::string error;
    if (args.inPlace) {
        const AtomicWriteStatus status =
            WriteBytesAtomically(args.skin, edited, &error, read.file.Bytes(), read.stamp);
        if (status == AtomicWriteStatus::Written) return kExitOk;
        PrintError(args.skin + ": " + error + "; nothing written");
        return kExitFailed;
    }
    const bool written = WriteOutputFile(
        args.out,
        [&](FILE* out, std::string*) {
            return std::fwrite(edited.data(), 1, edited.size(), out) == edited.size();
        },
        &error);
    if (written) return kExitOk;
    PrintError((args.out == "-" ? std::string("standard output") : args.out) + ": " + error);
    return kExitFailed;
}

void WarnIfNotLoaded(const EditArguments& args, const SkinIniFile& edited, SectionKind kind,
                     int32_t s) {
    if (s < 0 || kind == SectionKind::BackgroundColor || kind == SectionKind::PhotoRect) return;
    SampleSkin skin;
    const std::filesystem::path folder = std::filesystem::path(args.skin).parent_path();
    skin.Load(edited, LoadContext{folder.empty() ? std::string(".") : folder.string()});
    bool loaded = false;
    if (kind == SectionKind::BackgroundImage) loaded = skin.backgroundImage.loaded != 0;
    if (kind == SectionKind::BorderImage) loaded = skin.borderImage.loaded != 0;
    for (size_t i = 0; i < LoadedCount(skin, kind) && !Section(kind).single; ++i)
        loaded = loaded || LoadedSection(skin, edited, kind, i) == s;
    if (loaded) return;
    const std::string line = "pindrel-cli: warning: the [" + std::string(SectionName(kind)) +
                             "] section at line " +
                             std::to_string(edited.sectionLines[static_cast<size_t>(s)].header) +
                             " does not load; 'pindrel-cli lint' tells why\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace pindrel::cli
