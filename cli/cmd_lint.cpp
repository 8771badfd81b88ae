#include <algorithm>
#include <memory>

#include <nlohmann/json.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "render/text_decode.h"
#include "skin/lint.h"

namespace pindrel::cli {

namespace {

using JsonValue = nlohmann::ordered_json;

enum class LintFormat { Text, Json, Sarif };

struct LintOptions {
    std::string skin;
    int32_t format = 0;
};

// Skin texts are bytes; JSON wants UTF-8, so stray bytes read as Windows-1252.
std::string Utf8(std::string_view text) {
    return ToWellFormedUtf8(text);
}

std::string_view Severity(const LintFinding& f) {
    return f.error ? "error" : "warning";
}

std::string TextFormat(const std::vector<LintFinding>& findings) {
    std::string text;
    for (const LintFinding& f : findings) {
        text += FormatFinding(f);
        text += '\n';
    }
    return text;
}

std::string JsonFormat(const std::vector<LintFinding>& findings) {
    JsonValue list = JsonValue::array();
    for (const LintFinding& f : findings)
        list.push_back({{"file", Utf8(f.file)},
                        {"line", f.line},
                        {"severity", Severity(f)},
                        {"message", Utf8(f.text)},
                        {"rule", LintRuleId(f.rule)}});
    return list.dump(2) + "\n";
}

// A file path as a URI reference: what is not unreserved or "/" is percent-encoded, so that a
// relative path stays relative to where the tool ran.
std::string UriReference(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                           (u >= '0' && u <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[u >> 4];
            uri += kHex[u & 15];
        }
    }
    return uri;
}

std::string SarifFormat(const std::vector<LintFinding>& findings) {
    JsonValue rules = JsonValue::array();
    for (const LintRuleInfo& r : LintRules())
        rules.push_back({{"id", r.id}, {"shortDescription", {{"text", r.summary}}}});
    JsonValue results = JsonValue::array();
    for (const LintFinding& f : findings) {
        JsonValue location = {{"artifactLocation", {{"uri", UriReference(f.file)}}}};
        // A finding about the whole file, such as one that cannot be read, has no line.
        if (f.line > 0) location["region"] = {{"startLine", f.line}};
        results.push_back({{"ruleId", LintRuleId(f.rule)},
                           {"ruleIndex", static_cast<int>(f.rule)},
                           {"level", Severity(f)},
                           {"message", {{"text", Utf8(f.text)}}},
                           {"locations", {{{"physicalLocation", location}}}}});
    }
    const JsonValue log = {
        {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
        {"version", "2.1.0"},
        {"runs",
         {{{"tool",
            {{"driver",
              {{"name", "pindrel-cli"}, {"version", PINDREL_VERSION}, {"rules", rules}}}}},
           {"results", results}}}}};
    return log.dump(2) + "\n";
}

int RunLint(const LintOptions& options) {
    const std::string path = SkinPathOrDefault(options.skin);
    if (path.empty()) return kExitFailed;
    const std::vector<LintFinding> findings = LintSkin(path);
    const auto format = static_cast<LintFormat>(options.format);
    // A file that cannot be read is a failure of the tool, not a finding; machines still get a
    // whole document, with that one finding, where an empty one would not parse.
    if (findings.size() == 1 && findings.front().line == 0) {
        PrintSkinReadError(path);
        if (format != LintFormat::Text)
            WriteStdout(format == LintFormat::Json ? JsonFormat(findings) : SarifFormat(findings));
        return kExitFailed;
    }
    const std::string out = format == LintFormat::Json    ? JsonFormat(findings)
                            : format == LintFormat::Sarif ? SarifFormat(findings)
                                                          : TextFormat(findings);
    if (!WriteStdout(out)) return kExitFailed;
    const bool error =
        std::any_of(findings.begin(), findings.end(), [](const LintFinding& f) { return f.error; });
    return error ? kExitFailed : kExitOk;
}

} // namespace

Command AddLintCommand(CLI::App& parent) {
    auto options = std::make_shared<LintOptions>();
    CLI::App* cmd = parent.add_subcommand(
        "lint", "Report what the skin loader silently tolerates: FILE:LINE: error|warning: TEXT");
    AddSkinArgument(cmd, options->skin);
    cmd->add_option("--format", options->format,
                    "text: FILE:LINE: error|warning: TEXT (the default); json: a list of "
                    "{file, line, severity, message, rule}; sarif: SARIF 2.1.0 for CI systems")
        ->transform(KeywordValidator({{"text", static_cast<int32_t>(LintFormat::Text)},
                                      {"json", static_cast<int32_t>(LintFormat::Json)},
                                      {"sarif", static_cast<int32_t>(LintFormat::Sarif)}},
                                     false))
        ->type_name("text|json|sarif");
    return {cmd, [options] { return RunLint(*options); }};
}

} // namespace pindrel::cli
