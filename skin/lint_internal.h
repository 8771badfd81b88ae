#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini/skin_ini_file.h"
#include "skin/lint.h"
#include "skin/skin.h"
#include "skin/skin_format.h"
#include "skin/skin_load.h"

namespace pindrel::lint {

// One lint run over a parsed skin file.
class Context {
public:
    Context(const SkinIniFile& parsed, std::string file, std::filesystem::path dir)
        : ini(parsed), file_(std::move(file)), dir_(std::move(dir)) {}

    void Error(int32_t line, LintRule rule, std::string text) {
        Add(line, true, rule, std::move(text));
    }
    void Warning(int32_t line, LintRule rule, std::string text) {
        Add(line, false, rule, std::move(text));
    }

    int32_t HeaderLine(int32_t s) const;
    // The line of the first entry with key in section s; the header's line when there is none.
    int32_t KeyLine(int32_t s, std::string_view key) const;
    bool HasKey(int32_t s, std::string_view key) const;
    // Where a bitmap name given in the skin is found: its folder, unless the name is absolute.
    std::filesystem::path Resolve(std::string_view name) const;
    const std::filesystem::path& Dir() const { return dir_; }

    // The findings in line order (the order of adding within a line), at most maxFindings.
    std::vector<LintFinding> TakeFindings();
    // How many findings were added in all.
    size_t Total() const { return total_; }

    const SkinIniFile& ini;
    // The section index that counts for each kind read once; -1 for none.
    std::array<int32_t, kSkinSections.size()> firstSection{-1, -1, -1, -1, -1, -1, -1};
    // The loader's budget for the bitmap files it reads and the pictures it keeps.
    uint64_t maxBitmapBytes = kMaxSkinBitmapBytes;
    size_t maxFindings = SIZE_MAX;

private:
    struct Entry {
        uint64_t seq; // order of adding, which breaks ties between findings of one line
        LintFinding finding;
    };
    static bool Before(const Entry& a, const Entry& b) {
        return a.finding.line != b.finding.line ? a.finding.line < b.finding.line : a.seq < b.seq;
    }
    void Add(int32_t line, bool error, LintRule rule, std::string text);

    std::string file_;
    std::filesystem::path dir_;
    std::vector<Entry> findings_;
    size_t total_ = 0;
};

// Syntax, section names, keys and value forms: what the loader passes over without a word.
void CheckStructure(Context& cx);
// What the load left out and why, and what the loaded skin shows that its author may not mean:
// placement per orientation, colour keys that cannot apply, caller fields and fonts.
void CheckElements(Context& cx, const Skin& skin, const LoadReport& report);

// Helpers for messages.
// "[name]", as a section header writes it.
std::string Bracketed(std::string_view name);
// text in double quotes, cut short when long.
std::string Quote(std::string_view text);
// The candidate closest to name, if any is close enough to be a likely typo (case differences
// count as closest of all).
std::optional<std::string_view> Resembling(std::string_view name,
                                           const std::vector<std::string_view>& candidates);

} // namespace pindrel::lint
