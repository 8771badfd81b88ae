#pragma once

#include <functional>

#include <CLI/CLI.hpp>

namespace pindrel::cli {

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a skin, bitmap or output could not be read or written
inline constexpr int kExitUsage = 2;

// A subcommand: its parser, added with its options, and what runs once it was parsed.
struct Command {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

Command AddRenderCommand(CLI::App& parent);
Command AddSheetCommand(CLI::App& parent);
Command AddInspectCommand(CLI::App& parent);
Command AddLintCommand(CLI::App& parent);
Command AddDecodeCommand(CLI::App& parent);
Command AddConvertCommand(CLI::App& parent);
Command AddSnapshotCommand(CLI::App& parent);
Command AddCompareCommand(CLI::App& parent);
Command AddDiffCommand(CLI::App& parent);
Command AddPlaceCommand(CLI::App& parent);
Command AddImportCommand(CLI::App& parent);
Command AddPackCommand(CLI::App& parent);
Command AddSetCommand(CLI::App& parent);
Command AddUnsetCommand(CLI::App& parent);
Command AddAddCommand(CLI::App& parent);
Command AddRemoveCommand(CLI::App& parent);
Command AddDuplicateCommand(CLI::App& parent);
Command AddRestackCommand(CLI::App& parent);
Command AddAdaptCommand(CLI::App& parent);

} // namespace pindrel::cli
