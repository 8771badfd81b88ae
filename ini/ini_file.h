#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pindrel {

// One section of a skin file: its name as written between the brackets, and its entries in file
// order. keys and values always have the same length; no key or value is empty or padded. The
// texts lie in the owning IniFile's copy of the file, the lists in its flat lists of entries.
struct IniSection {
    std::string_view name;
    std::span<const std::string_view> keys;
    std::span<const std::string_view> values;
};

// Where a section and its entries stand in the file (1-based line numbers), kept beside the
// model for diagnostics.
struct IniSectionLines {
    int32_t header = 0;
    std::span<const int32_t> entries;
};

// A non-blank, non-comment line that no rule took.
struct IniDroppedLine {
    int32_t line = 0;
    std::string_view text;      // trimmed; lies in the owning IniFile's copy of the file
    bool beforeSection = false; // dropped only because no header came before it
};

// The parsed content of an INI file: ordered sections, duplicates kept. Holds one copy of the
// file's bytes that every name, key and value points into, and every section's entries in flat
// lists sized exactly, so that a file of a million tiny sections takes a few times its size.
class IniFile {
public:
    IniFile() = default;
    virtual ~IniFile() = default;
    IniFile(IniFile&&) noexcept = default;
    IniFile& operator=(IniFile&&) noexcept = default;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Replaces the content with what the bytes hold. Line ends are CR, LF or any run of them.
    void Parse(std::span<const uint8_t> bytes);
    void Parse(std::vector<uint8_t>&& bytes);
    void Reset();

    // The file's bytes, which every name, key and value lies in.
    std::span<const uint8_t> Bytes() const { return text_; }
    // Where a name, key or value of this file starts in it, in bytes.
    size_t Offset(std::string_view piece) const {
        return static_cast<size_t>(piece.data() - reinterpret_cast<const char*>(text_.data()));
    }

    std::vector<IniSection> sections;
    std::vector<IniSectionLines> sectionLines; // parallel to sections
    std::vector<IniDroppedLine> droppedLines;

private:
    void ParseText();

    // Moving keeps their buffers, so the views stay valid.
    std::vector<uint8_t> text_;
    std::vector<std::string_view> keys_;
    std::vector<std::string_view> values_;
    std::vector<int32_t> entryLines_;
};

// The six ASCII white-space characters; bytes of 0x80 and above never are.
constexpr bool IsIniSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
std::string_view TrimIni(std::string_view s);

} // namespace pindrel
