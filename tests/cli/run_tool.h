#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace pindrel::test {

struct ToolResult {
    int exitCode = -1; // -1 when it did not exit normally
    bool timedOut = false;
    std::string out;
    std::string err;
};

struct ToolOptions {
    std::string cwd;           // the current directory of the tool; the test's when empty
    int cwdFd = -1;            // or an open folder, for one deeper than any path can name
    bool stdoutToFull = false; // stdout goes to /dev/full, where every write fails
    std::chrono::milliseconds timeout{20000};
    std::string program = PINDREL_CLI; // the program to run
};

// Runs pindrel-cli with args (without the program name), stdin from /dev/null, and waits for
// it; a run that exceeds the timeout is killed.
ToolResult RunTool(const std::vector<std::string>& args, const ToolOptions& options = {});

} // namespace pindrel::test
