#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/run_tool.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::RunTool;
namespace fs = std::filesystem;

// Button 0 stands in the first half of the file, so that place edits a first half alone.
const std::string kSkin = "[Button]\nfile_up=a.bmp\nfile_down=a.bmp\nposP=3,4\n" +
                          std::string(400, '\n') +
                          "[Label]\nfields=name\nposP=0,0\nsizeP=50,10\n"
                          "[Image]\nfile=a.bmp\n";

std::string Read(const fs::path& p) {
    return test::ReadText(p);
}

// The editing commands, each with what follows SKIN.
const std::vector<std::vector<std::string>> kEdits = {
    {"place", "button", "0", "--orientation", "portrait", "--pos", "5,6"},
    {"set", "button", "0", "type=1"},
    {"unset", "button", "0", "posP"},
    {"remove", "label", "0"},
    {"duplicate", "label", "0"},
    {"restack", "image", "0", "--to", "0"},
    {"add", "label", "fields=phone"},
    {"adapt", "--from", "portrait", "--to", "landscape"},
};

std::vector<std::string> InPlace(const std::vector<std::string>& edit, const std::string& skin) {
    std::vector<std::string> args = edit;
    args.insert(args.begin() + 1, skin);
    args.push_back("--in-place");
    return args;
}

// A skin without write permission bits is refused as editors refuse it, by root as well; so is
// one beyond the size bound, before it is read.
TEST(InPlace, RefusesReadOnlyAndOversizedSkins) {
    const test::TempDir dir;
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    const std::string skin = dir.Write("skin.ini", kSkin);
    ASSERT_EQ(::chmod(skin.c_str(), 0444), 0);
    const std::string large = dir.Write("large.ini", kSkin);
    fs::resize_file(large, (uint64_t{16} << 20) + 1);
    for (const auto& edit : kEdits) {
        SCOPED_TRACE(edit.front());
        struct Case {
            const std::string& path;
            const char* err;
        };
        for (const Case& c : {Case{skin, ": read-only file; nothing written\n"},
                              Case{large, ": file too large: a skin file may take at most "
                                          "16 MiB\n"}}) {
            const test::ToolResult r = RunTool(InPlace(edit, c.path));
            EXPECT_EQ(r.exitCode, 1) << r.err;
            EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        }
        EXPECT_EQ(Read(skin), kSkin);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
    }
}

// Another program truncates the skin and writes it in two steps while place edits it in place:
// what place reads between the steps must never become the file.
TEST(InPlace, AHalfWrittenSkinIsNeverWrittenBack) {
    const test::TempDir dir;
    dir.Write("a.bmp", test::SolidBmp24(20, 10, Color::FromRgb(255, 0, 0)));
    const std::string skin = dir.Write("skin.ini", kSkin);
    const std::vector<std::string> place = InPlace(kEdits.front(), skin);
    ASSERT_EQ(RunTool(place).exitCode, 0);
    const std::string edited = Read(skin);

    constexpr int kRounds = 60;
    std::mt19937 random(19);
    int survived = 0;
    int refused = 0;
    for (int round = 0; round < kRounds; ++round) {
        dir.Write("skin.ini", kSkin);
        const auto delay = std::chrono::microseconds(random() % 30000);
        const auto gap = std::chrono::microseconds(random() % 5000);
        std::thread writer([&] {
            std::this_thread::sleep_for(delay);
            const int fd = ::open(skin.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) return;
            const size_t half = kSkin.size() / 2;
            bool ok = ::write(fd, kSkin.data(), half) == static_cast<ssize_t>(half);
            // Busy, so that a loaded machine does not stretch the pause far beyond it.
            for (const auto until = std::chrono::steady_clock::now() + gap;
                 std::chrono::steady_clock::now() < until;) {
            }
            ok = ok && ::write(fd, kSkin.data() + half, kSkin.size() - half) ==
                           static_cast<ssize_t>(kSkin.size() - half);
            ::close(fd);
            EXPECT_TRUE(ok);
        });
        const test::ToolResult r = RunTool(place);
        writer.join();
        const std::string now = Read(skin);
        if (now != kSkin && now != edited) ++survived;
        if (r.exitCode != 0) {
            ++refused;
            EXPECT_EQ(r.exitCode, 1) << r.err;
            EXPECT_EQ(r.err.find("INDEX"), std::string::npos) << r.err;
        }
    }
    std::cout << "half-written files that survived: " << survived << " of " << kRounds
              << " rounds (" << refused << " refused)\n";
    EXPECT_EQ(survived, 0);
}

} // namespace
} // namespace pindrel
