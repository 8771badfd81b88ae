#pragma once

#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/report_html.h"
#include "cli/screen_compare.h"

namespace pindrel::cli {

// A comparison of the screens in actual (parallel to kAllScreens) with nothing expected yet.
Comparison StartComparison(std::string expectedName, std::string actualName, int32_t tolerance,
                           std::vector<Canvas> actual);

// Compares every screen, prints the comparison's lines on stdout and writes the diff pictures
// and the report asked for. kExitOk when nothing differs; kExitFailed when something does, or
// when a file cannot be written (with a message).
int FinishComparison(Comparison& comparison, const ReportOptions& options, const ReportPage& page);

} // namespace pindrel::cli
