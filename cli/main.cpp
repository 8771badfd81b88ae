#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"

namespace {

using namespace pindrel::cli;

std::string CommandList(const std::vector<Command>& commands) {
    std::string list;
    for (size_t i = 0; i < commands.size(); ++i)
        list += (i == 0                     ? ""
                 : i + 1 == commands.size() ? " or "
                                            : ", ") +
                commands[i].app->get_name();
    return list;
}

int UsageError(const std::string& message, const std::string& command) {
    PrintError(message);
    const std::string help =
        command.empty() ? "pindrel-cli --help" : "pindrel-cli " + command + " --help";
    std::fputs(("Run '" + help + "' for usage.\n").c_str(), stderr);
    return kExitUsage;
}

// What the parser left over: words no option or argument takes.
std::string Unexpected(const std::vector<std::string>& remaining, const std::string& command) {
    for (const std::string& word : remaining) {
        if (word == "--") continue;
        const std::string where = command.empty() ? "" : " for " + command;
        if (word.size() > 1 && word[0] == '-') return "unknown option \"" + word + "\"" + where;
        return "unexpected argument \"" + word + "\"" + where;
    }
    return {};
}

int Run(int argc, char** argv) {
    CLI::App app{"Renders, checks, inspects and edits incoming-call screen skins.", "pindrel-cli"};
    app.set_version_flag("--version", std::string("pindrel-cli ") + PINDREL_VERSION);
    // Left-over words are reported here, in the tool's own words.
    app.allow_extras();
    app.footer("Exit status: 0 done, 1 a skin, an input picture or an output file could not be "
               "read or written (or lint or pack found an error, or compare or diff found a "
               "difference), 2 usage error. A bitmap that a skin names but that cannot be read is "
               "left out, as the designer leaves it out: render, sheet, inspect, snapshot, compare "
               "and diff go on and exit 0; lint reports it. An output file named - is standard "
               "output.");

    std::vector<Command> commands = {
        AddRenderCommand(app),  AddSheetCommand(app),    AddInspectCommand(app),
        AddLintCommand(app),    AddDecodeCommand(app),   AddConvertCommand(app),
        AddPlaceCommand(app),   AddSetCommand(app),      AddUnsetCommand(app),
        AddAddCommand(app),     AddRemoveCommand(app),   AddDuplicateCommand(app),
        AddRestackCommand(app), AddAdaptCommand(app),    AddImportCommand(app),
        AddPackCommand(app),    AddSnapshotCommand(app), AddCompareCommand(app),
        AddDiffCommand(app)};
    for (Command& c : commands)
        c.app->allow_extras();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ArgumentMismatch& e) {
        // "--name: 1 required TEXT missing": an option given last, without its value.
        const std::string what = e.what();
        const std::string option = what.substr(0, what.find(':'));
        std::string command;
        for (const Command& c : commands)
            if (c.app->parsed()) command = c.app->get_name();
        return UsageError(option + " needs a value", command);
    } catch (const CLI::ParseError& e) {
        // --help and --version end here too, with success and their text on stdout.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);
        std::string command;
        for (const Command& c : commands)
            if (c.app->parsed()) command = c.app->get_name();
        return UsageError(e.what(), command);
    }

    for (const Command& c : commands) {
        if (!c.app->parsed()) continue;
        if (std::string extra = Unexpected(c.app->remaining(), c.app->get_name()); !extra.empty())
            return UsageError(extra, c.app->get_name());
        const int code = c.run();
        if (code == kExitUsage)
            std::fputs(("Run 'pindrel-cli " + c.app->get_name() + " --help' for usage.\n").c_str(),
                       stderr);
        return code;
    }
    const std::vector<std::string> remaining = app.remaining();
    for (const std::string& word : remaining) {
        if (word.size() > 1 && word[0] == '-')
            return UsageError("unknown option \"" + word + "\"", {});
        return UsageError(
            "unknown command \"" + word + "\"; the commands are " + CommandList(commands), {});
    }
    return UsageError("a command is required: " + CommandList(commands), {});
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        PrintError(e.what());
        return kExitFailed;
    }
}
