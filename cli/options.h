#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "skin/field_text.h"

namespace pindrel::cli {

// The sample caller data and what else a rendered screen depends on.
struct SampleOptions {
    CallerInfo info;
    std::optional<std::string> time; // the time field's text; the local time when unset
    std::string photo;               // the caller photo's file; the built-in sample when empty
    int32_t dpi = 96;
};

// The time text snapshots and diffs draw unless told otherwise, so that their screens do not
// change with the clock.
inline constexpr std::string_view kFixedTime = "12:34";

// What the sample options stand for when they are not given, as their help says.
enum class SampleDefaults {
    Designer, // the designer's sample data; the local time
    Fixed,    // the designer's sample data; kFixedTime
    Recorded, // what the snapshot recorded
};

// Where a comparison puts what it found, beside its lines on stdout.
struct ReportOptions {
    std::string report;  // the HTML report; none when empty
    std::string diffDir; // the folder of diff pictures; none when empty
};

// Validators whose messages say, in our words, what was given and what is expected. CLI11
// puts the option's name in front of them.

// One of the names, compared without case, or (when numbers) one of their values as a number;
// the text is replaced by the value.
CLI::Validator KeywordValidator(std::vector<std::pair<std::string, int32_t>> names,
                                bool numbers = true);
// A whole decimal number from lo to hi; what names it in the message.
CLI::Validator IntValidator(int64_t lo, int64_t hi, std::string what = "a whole number");
// count whole numbers separated by commas, in the form shown (for instance "X,Y,W,H").
CLI::Validator IntListValidator(size_t count, std::string form);

// A whole decimal number in 32 bits, all of text; nothing for anything else.
std::optional<int32_t> ParseInt(std::string_view text);
// count numbers separated by commas; empty when text is not exactly that.
std::vector<int32_t> ParseIntList(std::string_view text, size_t count);

void AddSkinArgument(CLI::App* command, std::string& skin);
// -o/--output, required: checked by RequireOutput, which says what it is for.
void AddOutputOption(CLI::App* command, std::string& out, std::string_view typeName,
                     std::string_view description);
// --overlay outlines|keys|outlines,keys, for the author's eyes: in the picture only when asked.
void AddOverlayOption(CLI::App* command, std::string& overlay);

void AddSampleOptions(CLI::App* command, SampleOptions& sample,
                      SampleDefaults defaults = SampleDefaults::Designer);
// -d/--dir, the snapshot folder; checked with Require.
void AddSnapshotDirOption(CLI::App* command, std::string& dir);
// --report and --diff-dir.
void AddReportOptions(CLI::App* command, ReportOptions& report);
// The names of the sample options, for telling which of them were given.
inline constexpr std::string_view kSampleOptionNames[] = {
    "--name",       "--company", "--job",  "--categories", "--phone",
    "--phone-type", "--nick",    "--time", "--photo",      "--dpi"};

// False, with a usage message naming what is missing, when value is empty.
bool Require(const std::string& value, std::string_view command, std::string_view what);

// The orientation and call type keywords, with their values.
std::vector<std::pair<std::string, int32_t>> OrientationNames();
std::vector<std::pair<std::string, int32_t>> CallTypeNames();

} // namespace pindrel::cli
