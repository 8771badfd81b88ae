#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>

#include "base/atomic_file.h"
#include "base/read_file.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string Contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A file replaced only while it holds what was read: through a link, keeping its mode.
TEST(WriteBytesAtomically, ReplacesOnlyWhatHoldsTheExpectedBytes) {
    struct Case {
        const char* name;
        const char* onDisk; // nullptr: the file is gone
        AtomicWriteStatus status;
    };
    const Case kCases[] = {
        {"unchanged", "old", AtomicWriteStatus::Written},
        {"changed", "odd", AtomicWriteStatus::Changed},
        {"grown", "old and more", AtomicWriteStatus::Changed},
        {"shrunk", "ol", AtomicWriteStatus::Changed},
        {"emptied", "", AtomicWriteStatus::Changed},
        {"gone", nullptr, AtomicWriteStatus::Changed},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        const fs::path target = dir.Path() / "skin.ini";
        const fs::path link = dir.Path() / "link.ini";
        if (c.onDisk) {
            dir.Write("skin.ini", std::string_view(c.onDisk));
            ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        }
        fs::create_symlink(target, link);
        std::string error;
        EXPECT_EQ(WriteBytesAtomically(link.string(), Bytes("new"), &error, Bytes("old")),
                  c.status);
        EXPECT_TRUE(fs::is_symlink(link));
        const size_t files = static_cast<size_t>(
            std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()));
        EXPECT_EQ(files, c.onDisk ? 2u : 1u); // no temporary file stays
        if (!c.onDisk) continue;
        EXPECT_EQ(Contents(target), c.status == AtomicWriteStatus::Written ? "new" : c.onDisk);
        EXPECT_EQ(c.status == AtomicWriteStatus::Written, error.empty()) << error;
        struct stat st {};
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }
}

// An edit replaces only the version it read, and never a file without write permission bits,
// whoever runs it; a change of mode alone is no new version.
TEST(WriteBytesAtomically, ReplacesOnlyTheWritableVersionThatWasRead) {
    struct Case {
        const char* name;
        mode_t mode; // set after the read
        bool touch;  // the modification time changes after the read, the bytes stay
        AtomicWriteStatus status;
        const char* error;
    };
    const Case kCases[] = {
        {"same version", 0640, false, AtomicWriteStatus::Written, ""},
        {"mode changed", 0600, false, AtomicWriteStatus::Written, ""},
        {"read-only", 0444, false, AtomicWriteStatus::Failed, "read-only file"},
        {"no permission bits", 0, false, AtomicWriteStatus::Failed, "read-only file"},
        {"rewritten alike", 0640, true, AtomicWriteStatus::Changed, "changed on disk"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const test::TempDir dir;
        const std::string target = dir.Write("skin.ini", std::string_view("old"));
        ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        const ReadFileResult read = ReadRegularFile(target);
        ASSERT_EQ(read.status, ReadFileStatus::Ok);
        ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
        if (c.touch) {
            const timespec times[2] = {{0, UTIME_OMIT}, {12345, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, target.c_str(), times, 0), 0);
        }
        std::string error;
        EXPECT_EQ(WriteBytesAtomically(target, Bytes("new"), &error, read.bytes, read.stamp),
                  c.status);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        ::chmod(target.c_str(), 0640);
        EXPECT_EQ(Contents(target), c.status == AtomicWriteStatus::Written ? "new" : "old");
    }
}

TEST(WriteBytesAtomically, WithoutExpectationWritesNewFilesAndRefusesFolders) {
    const test::TempDir dir;
    std::string error;
    EXPECT_EQ(WriteBytesAtomically((dir.Path() / "new.ini").string(), Bytes("x"), &error),
              AtomicWriteStatus::Written);
    EXPECT_EQ(Contents(dir.Path() / "new.ini"), "x");
    EXPECT_EQ(WriteBytesAtomically(dir.Path().string(), Bytes("x"), &error),
              AtomicWriteStatus::Failed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(WriteBytesAtomically("/dev/null", Bytes("x"), &error, Bytes("x")),
              AtomicWriteStatus::Failed);
}

} // namespace
} // namespace pindrel
