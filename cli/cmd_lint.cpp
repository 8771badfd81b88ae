#include <algorithm>
#include <memory>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "skin/lint.h"

namespace pindrel::cli {

namespace {

int RunLint(std::string_view skinArg) {
    const std::string path = SkinPathOrDefault(skinArg);
    if (path.empty()) return kExitFailed;
    const std::vector<LintFinding> findings = LintSkin(path);
    // A file that cannot be read is a failure of the tool, not a finding.
    if (findings.size() == 1 && findings.front().line == 0) {
        PrintSkinReadError(path);
        return kExitFailed;
    }
    std::string text;
    for (const LintFinding& f : findings) {
        text += FormatFinding(f);
        text += '\n';
    }
    if (!WriteStdout(text)) return kExitFailed;
    const bool error =
        std::any_of(findings.begin(), findings.end(), [](const LintFinding& f) { return f.error; });
    return error ? kExitFailed : kExitOk;
}

} // namespace

Command AddLintCommand(CLI::App& parent) {
    auto skin = std::make_shared<std::string>();
    CLI::App* cmd = parent.add_subcommand(
        "lint", "Report what the skin loader silently tolerates: FILE:LINE: error|warning: TEXT");
    AddSkinArgument(cmd, *skin);
    return {cmd, [skin] { return RunLint(*skin); }};
}

} // namespace pindrel::cli
