#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/screen_compare.h"
#include "skin/lint.h"

namespace pindrel::cli {

// What a report says beside the screens.
struct ReportPage {
    std::string title;                                      // "compare aurora.ini"
    std::vector<std::pair<std::string, std::string>> facts; // summary rows: label, value
    std::vector<std::string> notes;                         // more lines for the summary
    std::string lintSkin;                                   // the skin the findings are of
    std::vector<LintFinding> lint;
};

// Summary rows of the settings and fonts the screens were drawn with.
void AppendSettingFacts(std::vector<std::pair<std::string, std::string>>& facts,
                        const Snapshot& inputs);

// One self-contained HTML page: a summary on top, then every screen expected, actual and diff
// side by side at their own size, then the lint findings. Pictures are data: URIs; the page
// loads nothing and runs no script.
std::string FormatReport(const Comparison& comparison, const ReportPage& page);

// Text with &, <, >, " and ' as HTML character references, stray bytes read as Windows-1252.
std::string HtmlEscape(std::string_view text);

} // namespace pindrel::cli
