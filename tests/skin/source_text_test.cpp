#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/source_text.h"

namespace pindrel {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

// The file as the editor would hold it, edited by replacing `from` with `to` once.
std::vector<uint8_t> Edit(std::string_view file, std::u32string_view from, std::u32string_view to) {
    const std::vector<uint8_t> bytes = Bytes(file);
    const SourceText decoded = DecodeSource(bytes);
    std::u32string text = decoded.text;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::u32string::npos);
    text.replace(at, from.size(), to);
    std::vector<uint8_t> out = EncodeEditedSource(bytes, decoded, text);
    EXPECT_EQ(DecodeSource(out).text, text);
    return out;
}

TEST(SourceText, DecodesLineEndsAndStrayBytes) {
    const struct {
        const char* name;
        std::string bytes;
        std::u32string text;
    } cases[] = {
        {"CR LF, CR, LF, no final end", "a\r\nb\rc\nd", U"a\nb\nc\nd"},
        {"a run of ends is one end each", "a\n\r\r\n\nb", U"a\n\n\n\nb"},
        {"UTF-8 and a Windows-1252 byte", "\xc3\xa9=\xe9\x80", U"\u00e9=\u00e9\u20ac"},
        {"empty", "", U""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Bytes(c.bytes);
        const SourceText s = DecodeSource(bytes);
        EXPECT_EQ(s.text, c.text);
        ASSERT_EQ(s.offsets.size(), s.text.size() + 1);
        EXPECT_EQ(s.offsets.back(), bytes.size());
        // Unchanged text gives the same bytes back.
        EXPECT_EQ(EncodeEditedSource(bytes, s, s.text), bytes);
    }
}

TEST(SourceText, EditsKeepEveryByteAroundThem) {
    const struct {
        const char* name;
        std::string file;
        std::u32string from, to;
        std::string expected;
    } cases[] = {
        {"a value in a CR LF file", "[Image]\r\nfile=a.bmp\r\n;\xe9t\xe9\r\n", U"a.bmp", U"b.bmp",
         "[Image]\r\nfile=b.bmp\r\n;\xe9t\xe9\r\n"},
        {"typed non-ASCII is UTF-8", "; x\n", U"x", U"\u00e9", "; \xc3\xa9\n"},
        // The line before keeps its own end; the new one takes the file's first.
        {"a new line takes the file's first end", "[A]\r\nk=1\nj=2\n", U"k=1", U"k=1\nm=3",
         "[A]\r\nk=1\nm=3\r\nj=2\n"},
        {"a line removed with its end", "[A]\r\nk=1\rj=2\r\n", U"k=1\n", U"", "[A]\r\nj=2\r\n"},
        {"a new CR LF after a kept CR", "a\r\nb\r", U"b\n", U"b\n\n", "a\r\nb\r\r\n"},
        // Where a kept end and a new one would read as one, the kept one is written anew.
        {"a kept CR never meets a new LF", "a\nb\r", U"b\n", U"b\n\n", "a\nb\n\n"},
        {"a new CR never meets a kept LF", "\ra\nb", U"a", U"c\n", "\rc\r\rb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> out = Edit(c.file, c.from, c.to);
        EXPECT_EQ(std::string(out.begin(), out.end()), c.expected);
    }
}

} // namespace
} // namespace pindrel
