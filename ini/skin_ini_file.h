#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ini/ini_file.h"
#include "render/color.h"
#include "render/geometry.h"

namespace pindrel {

// The largest skin file read: skins take tens of kilobytes, and a file far beyond them is no
// skin, only a way to make a reader take memory.
inline constexpr uint64_t kMaxSkinFileBytes = uint64_t{16} << 20;

// A skin file read into ordered sections, with the lookups and typed readers the skin loader
// uses. Section indexes are 0-based; -1 stands for a section that does not exist.
class SkinIniFile : public IniFile {
public:
    // Reads the whole file. False, with no sections, when it is missing, not a regular file
    // (directory, FIFO, device), unreadable, empty or larger than kMaxSkinFileBytes.
    bool Load(std::string_view path);

    // The first section at or after start whose name equals name exactly; -1 if none.
    int32_t FindSection(std::string_view name, int32_t start) const;
    // A copy of the first value of key in section; empty when either is absent.
    std::string GetValue(int32_t section, std::string_view key) const;
    // As GetValue, without the copy; valid while the file lives.
    std::string_view FindValue(int32_t section, std::string_view key) const;
    // The index of the first entry of key in section, the one whose value counts; -1 when
    // either is absent.
    int32_t FindEntry(int32_t section, std::string_view key) const;
    // FindValue for the keys prefix + "1" up to prefix + count (decimal, no leading zeros) at
    // once: element n - 1 is the value of key n, empty when absent. One pass over the section,
    // where a lookup per key would be quadratic in a label of many fields and entries.
    std::vector<std::string_view> FindNumberedValues(int32_t section, std::string_view prefix,
                                                     size_t count) const;
    // The same as entry indexes, -1 for keys that are absent.
    std::vector<int32_t> FindNumberedEntries(int32_t section, std::string_view prefix,
                                             size_t count) const;

    // Typed readers. Those returning bool leave their outputs unchanged on false unless noted.
    std::string GetString(int32_t section, std::string_view key, std::string_view def) const;
    int32_t GetInt(int32_t section, std::string_view key, int32_t def) const;
    // Empties list, then fills it with the trimmed non-empty comma-separated items.
    int32_t GetList(int32_t section, std::string_view key, std::vector<std::string>& list) const;
    // False and (0, 0) when the value has fewer than two items.
    bool GetPair(int32_t section, std::string_view key, Point& pair) const;
    bool GetRect(int32_t section, std::string_view posKey, std::string_view sizeKey,
                 Rect& rect) const;
    bool GetColor(int32_t section, std::string_view key, Color& color) const;
    bool GetFontSpec(int32_t section, std::string_view key, int32_t& size, std::string& face,
                     bool& bold, bool& italic) const;
};

// Why the skin file at path cannot be read, in the user's terms: "no such file", "is a
// directory", "not a regular file", "empty file", "permission denied", "dangling symbolic link",
// "symbolic link loop", "file name too long", "file too large: ...", or "cannot read the skin file"
// for anything else.
std::string SkinReadProblem(std::string_view path);

// Decimal number syntax of skin values: leading white space, an optional sign, digits up to the
// first non-digit, wrapping modulo 2^32. No digit gives 0.
int32_t ParseSkinInt(std::string_view text);
// True when text is wholly a number in that syntax (for diagnostics).
bool IsWholeSkinInt(std::string_view text);
// Splits a comma list into trimmed, non-empty items.
void SplitList(std::string_view text, std::vector<std::string>& list);
// The n of a key prefix + n, n in decimal without leading zeros as a label's "font%d" keys are
// formed; 0 for any other key.
size_t KeyNumber(std::string_view key, std::string_view prefix);
// GetColor and GetFontSpec on a value already looked up.
bool ParseColor(std::string_view value, Color& color);
bool ParseFontSpec(std::string_view value, int32_t& size, std::string& face, bool& bold,
                   bool& italic);

} // namespace pindrel
