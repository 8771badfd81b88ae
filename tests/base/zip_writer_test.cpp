#include "base/zip_writer.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "support/zip_reader.h"

namespace pindrel {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// What an unpacking tool finds: the entries in the order given, each with its data, one fixed
// time and the mode of its kind, whatever the clock says.
TEST(WriteZip, EntriesInOrderWithFixedTimesAndModes) {
    const std::string big(100000, 'x');
    const ZipEntry entries[] = {
        {"skin/", {}},          {"skin/skin.ini", Bytes("[Image]\nfile=a.bmp\n")},
        {"skin/art/", {}},      {"skin/art/b.bmp", Bytes(big)},
        {"skin/empty.bmp", {}},
    };
    const ZipResult zip = WriteZip(entries);
    ASSERT_FALSE(zip.bytes.empty()) << zip.error;
    const std::vector<test::ZipItem> items = test::ReadZip(zip.bytes);
    ASSERT_EQ(items.size(), std::size(entries));

    std::tm dosEpoch{};
    dosEpoch.tm_year = 80;
    dosEpoch.tm_mday = 1;
    dosEpoch.tm_isdst = -1;
    const std::time_t epoch = std::mktime(&dosEpoch);
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        const bool folder = entries[i].name.back() == '/';
        EXPECT_EQ(items[i].name, entries[i].name);
        EXPECT_EQ(items[i].data,
                  std::vector<uint8_t>(entries[i].data.begin(), entries[i].data.end()));
        EXPECT_EQ(items[i].unixMode, folder ? 040755u : 0100644u);
        EXPECT_EQ(items[i].mtime, epoch);
    }
    constexpr uint16_t kDeflated = 8;
    EXPECT_EQ(items[3].method, kDeflated);
    EXPECT_LT(zip.bytes.size(), big.size() / 10);
    EXPECT_EQ(WriteZip(entries).bytes, zip.bytes);
}

TEST(WriteZip, RefusesWhatNoArchiveHolds) {
    const ZipEntry twice[] = {{"a.bmp", Bytes("1")}, {"a.bmp", Bytes("2")}};
    const ZipEntry nul[] = {{std::string("a\0b.bmp", 7), Bytes("1")}};
    for (const std::span<const ZipEntry> entries :
         {std::span<const ZipEntry>(twice), std::span<const ZipEntry>(nul),
          std::span<const ZipEntry>()}) {
        const ZipResult zip = WriteZip(entries);
        EXPECT_TRUE(zip.bytes.empty());
        EXPECT_FALSE(zip.error.empty());
    }
}

} // namespace
} // namespace pindrel
