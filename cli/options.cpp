#include "cli/options.h"

#include <charconv>
#include <limits>

#include "cli/cli_skin.h"
#include "skin/call_type.h"
#include "skin/overlays.h"

namespace pindrel::cli {

namespace {

std::string Quoted(std::string_view text) {
    std::string q = "\"";
    q.append(text.substr(0, 64));
    if (text.size() > 64) q += "...";
    q += '"';
    return q;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<int64_t> ParseInt64(std::string_view text) {
    int64_t n = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, n);
    if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
    return n;
}

} // namespace

std::optional<int32_t> ParseInt(std::string_view text) {
    const std::optional<int64_t> n = ParseInt64(text);
    if (!n || *n < std::numeric_limits<int32_t>::min() || *n > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*n);
}

std::vector<int32_t> ParseIntList(std::string_view text, size_t count) {
    std::vector<int32_t> numbers;
    while (numbers.size() < count) {
        const size_t comma = text.find(',');
        const std::optional<int32_t> n = ParseInt(text.substr(0, comma));
        if (!n) return {};
        numbers.push_back(*n);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
        if (numbers.size() == count) return {}; // more items than wanted
    }
    if (numbers.size() != count) return {};
    return numbers;
}

CLI::Validator KeywordValidator(std::vector<std::pair<std::string, int32_t>> names, bool numbers) {
    std::string expected;
    for (size_t i = 0; i < names.size(); ++i)
        expected += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i].first;
    std::string values;
    for (size_t i = 0; i < names.size(); ++i)
        values += (i == 0                  ? ""
                   : i + 1 == names.size() ? " or "
                                           : ", ") +
                  std::to_string(names[i].second);
    return CLI::Validator(
        [names, expected, values, numbers](std::string& text) -> std::string {
            for (const auto& [name, value] : names) {
                if (EqualNoCase(text, name) || (numbers && ParseInt(text) == value)) {
                    text = std::to_string(value);
                    return {};
                }
            }
            return "expects " + expected + (numbers ? " (or " + values + ")" : std::string()) +
                   ", not " + Quoted(text);
        },
        "");
}

CLI::Validator IntValidator(int64_t lo, int64_t hi, std::string what) {
    return CLI::Validator(
        [lo, hi, what](std::string& text) -> std::string {
            const std::optional<int64_t> n = ParseInt64(text);
            if (n && *n >= lo && *n <= hi) return {};
            const std::string range =
                hi == std::numeric_limits<int32_t>::max()
                    ? "from " + std::to_string(lo) + " on"
                    : "from " + std::to_string(lo) + " to " + std::to_string(hi);
            return "expects " + what + " " + range + ", not " + Quoted(text);
        },
        "");
}

CLI::Validator IntListValidator(size_t count, std::string form) {
    return CLI::Validator(
        [count, form](std::string& text) -> std::string {
            if (ParseIntList(text, count).size() == count) return {};
            return "expects " + std::to_string(count) + " whole numbers " + form + ", not " +
                   Quoted(text);
        },
        "");
}

void AddSkinArgument(CLI::App* command, std::string& skin) {
    command->add_option("SKIN", skin, "Skin file (.ini); default: the bundled example skin")
        ->type_name("");
}

void AddOutputOption(CLI::App* command, std::string& out, std::string_view typeName,
                     std::string_view description) {
    command->add_option("-o,--output", out, std::string(description) + " (required)")
        ->type_name(std::string(typeName));
}

void AddOverlayOption(CLI::App* command, std::string& overlay) {
    command
        ->add_option("--overlay", overlay,
                     "Draw over the screens what the designer shows its author: outlines (each "
                     "element's rectangle, dashed when the call type hides it), keys (pixels a "
                     "transparent colour keyed out, tinted; keys that cannot act, hatched), or "
                     "both")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                if (ParseOverlays(text)) return {};
                return "expects outlines, keys or outlines,keys, not " + Quoted(text);
            },
            ""))
        ->type_name("outlines|keys|outlines,keys");
}

void AddSampleOptions(CLI::App* command, SampleOptions& sample, SampleDefaults defaults) {
    CallerInfo& info = sample.info;
    const bool recorded = defaults == SampleDefaults::Recorded;
    const auto text = [&](const char* name, std::string& value, const char* description) {
        CLI::Option* option = command->add_option(
            name, value, std::string(description) + (recorded ? "; default: as recorded" : ""));
        if (!recorded) option->capture_default_str();
    };
    text("--name", info.name, "Caller name");
    text("--company", info.company, "Company");
    text("--job", info.job, "Job");
    text("--categories", info.categories, "Categories");
    text("--phone", info.phone, "Phone number");
    text("--phone-type", info.phoneType, "Phone type");
    text("--nick", info.nick, "Nickname");
    const std::string time = defaults == SampleDefaults::Designer
                                 ? "the local time (hours and minutes)"
                             : defaults == SampleDefaults::Fixed ? std::string(kFixedTime)
                                                                 : "as recorded";
    command->add_option("--time", sample.time, "Text of the time field; default: " + time);
    command
        ->add_option("--photo", sample.photo,
                     std::string("Caller photo; default: ") +
                         (recorded ? "as recorded" : "the built-in sample photo"))
        ->type_name("FILE.bmp");
    CLI::Option* dpi = command
                           ->add_option("--dpi", sample.dpi,
                                        std::string("Dots per inch for font heights") +
                                            (recorded ? "; default: as recorded" : ""))
                           ->check(IntValidator(1, 10000))
                           ->type_name("N");
    if (!recorded) dpi->capture_default_str();
}

void AddSnapshotDirOption(CLI::App* command, std::string& dir) {
    command->add_option("-d,--dir", dir, "Snapshot folder (required)")->type_name("DIR");
}

void AddReportOptions(CLI::App* command, ReportOptions& report) {
    // Empty, either would silently mean "none".
    const auto named = [](std::string what) {
        return CLI::Validator(
            [what](std::string& text) -> std::string {
                return text.empty() ? "expects " + what + ", not an empty name" : std::string();
            },
            "");
    };
    command->add_option("--report", report.report, "Write an HTML report of every screen")
        ->check(named("a file"))
        ->type_name("FILE.html");
    command
        ->add_option("--diff-dir", report.diffDir,
                     "Write SCREEN-diff.png for every screen that differs into this folder")
        ->check(named("a folder"))
        ->type_name("DIR2");
}

bool Require(const std::string& value, std::string_view command, std::string_view what) {
    if (!value.empty()) return true;
    PrintError(std::string(command) + " needs " + std::string(what));
    return false;
}

std::vector<std::pair<std::string, int32_t>> OrientationNames() {
    std::vector<std::pair<std::string, int32_t>> names;
    for (size_t i = 0; i < kOrientationKeywords.size(); ++i)
        names.emplace_back(kOrientationKeywords[i], static_cast<int32_t>(i));
    return names;
}

std::vector<std::pair<std::string, int32_t>> CallTypeNames() {
    std::vector<std::pair<std::string, int32_t>> names;
    for (size_t i = 0; i < kCallTypes.size(); ++i)
        names.emplace_back(kCallTypeKeywords[i], static_cast<int32_t>(kCallTypes[i]));
    return names;
}

} // namespace pindrel::cli
