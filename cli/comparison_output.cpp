#include "cli/comparison_output.h"

#include "cli/cli_skin.h"
#include "cli/output_file.h"

namespace pindrel::cli {

Comparison StartComparison(std::string expectedName, std::string actualName, int32_t tolerance,
                           std::vector<Canvas> actual) {
    Comparison c;
    c.expectedName = std::move(expectedName);
    c.actualName = std::move(actualName);
    c.tolerance = tolerance;
    for (size_t i = 0; i < kAllScreens.size() && i < actual.size(); ++i) {
        ScreenComparison& s = c.screens.emplace_back();
        s.screen = kAllScreens[i];
        s.actual = std::move(actual[i]);
    }
    return c;
}

int FinishComparison(Comparison& comparison, const ReportOptions& options, const ReportPage& page) {
    for (ScreenComparison& s : comparison.screens)
        CompareScreen(s, comparison.tolerance);
    // The font lines come first, before any other line on either stream.
    if (!WriteStdout(FormatComparison(comparison))) return kExitFailed;
    for (const ScreenComparison& s : comparison.screens) {
        if (!s.expected) PrintError(s.expectedProblem);
    }
    if (!options.diffDir.empty() && !WriteDiffPictures(comparison, options.diffDir))
        return kExitFailed;
    if (!options.report.empty()) {
        std::string error;
        if (!WriteOutputText(options.report, FormatReport(comparison, page), &error)) {
            PrintError(options.report + ": " + error);
            return kExitFailed;
        }
    }
    return comparison.Differs() ? kExitFailed : kExitOk;
}

} // namespace pindrel::cli
