#include "cli/run_tool.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pindrel::test {

namespace {

// A file that collects one output stream of the tool.
class Capture {
public:
    Capture() : path_("/tmp/pindrel-cli-test-XXXXXX") {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) throw std::runtime_error("mkstemp failed");
    }
    ~Capture() {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    int Fd() const { return fd_; }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string path_;
    int fd_ = -1;
};

class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

} // namespace

ToolResult RunTool(const std::vector<std::string>& args, const ToolOptions& options) {
    Capture out, err;
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
    if (options.stdoutToFull)
        posix_spawn_file_actions_addopen(actions.Get(), 1, "/dev/full", O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(actions.Get(), out.Fd(), 1);
    posix_spawn_file_actions_adddup2(actions.Get(), err.Fd(), 2);
    if (!options.cwd.empty())
        posix_spawn_file_actions_addchdir_np(actions.Get(), options.cwd.c_str());
    if (options.cwdFd >= 0) posix_spawn_file_actions_addfchdir_np(actions.Get(), options.cwdFd);

    std::vector<std::string> argv_storage{options.program};
    argv_storage.insert(argv_storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, options.program.c_str(), actions.Get(), nullptr, argv.data(), environ) !=
        0)
        throw std::runtime_error("cannot start " + options.program);

    ToolResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = out.Read();
    result.err = err.Read();
    return result;
}

} // namespace pindrel::test
