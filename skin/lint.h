#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/lint_rules.h"
#include "skin/skin.h"
#include "skin/skin_load.h"

namespace pindrel {

// Something in a skin file that the loader tolerates without a word, pinned to a line.
struct LintFinding {
    std::string file;   // the skin file, as the caller named it
    int32_t line = 0;   // 1-based; 0 when the file as a whole is meant
    bool error = false; // the finding drops an element (or the whole skin)
    std::string text;
    LintRule rule = LintRule::LineIgnored;
    friend bool operator==(const LintFinding&, const LintFinding&) = default;
};

// Checks the skin file at path: syntax the reader drops, unknown sections and keys, values of
// the wrong form, caller-field names, bitmaps (resolved against the skin's folder, whatever the
// current directory is), placement per orientation, colour keys that cannot apply and font faces
// that are substituted. Findings come in line order. A file that cannot be read gives one error
// on line 0. maxBitmapBytes is the loader's budget for the bitmaps of a skin (Skin::Load).
std::vector<LintFinding> LintSkin(std::string_view path,
                                  uint64_t maxBitmapBytes = kMaxSkinBitmapBytes);

struct LintSummary {
    std::vector<LintFinding> findings;
    size_t total = 0; // findings there were in all, listed or not
};

// LintSkin keeping only the first maxFindings findings in line order, for a list on screen: a
// hostile skin of millions of bad lines costs a bounded amount of memory.
LintSummary LintSkinFirst(std::string_view path, size_t maxFindings,
                          uint64_t maxBitmapBytes = kMaxSkinBitmapBytes);

// LintSkinFirst for a skin its caller has read and loaded itself (Skin::Load with report), so
// that nothing is read twice: file is the parsed skin file at path, skin what it loaded to.
LintSummary LintLoadedSkin(std::string_view path, const SkinIniFile& file, const Skin& skin,
                           const LoadReport& report, size_t maxFindings = SIZE_MAX);

// The one finding of a skin file that cannot be read: why, on line 0.
LintFinding UnreadableSkinFinding(std::string_view path);

// "FILE:LINE: error: TEXT" (or "warning:").
std::string FormatFinding(const LintFinding& finding);

} // namespace pindrel
