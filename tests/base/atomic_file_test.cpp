#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include "base/atomic_file.h"
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
