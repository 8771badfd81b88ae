#include "ini/skin_ini_file.h"

#include <filesystem>
#include <system_error>

#include "base/read_file.h"

namespace pindrel {

bool SkinIniFile::Load(std::string_view path) {
    Reset();
    ReadFileResult file = ReadRegularFile(path);
    if (file.status != ReadFileStatus::Ok || file.bytes.empty()) return false;
    Parse(std::move(file.bytes));
    return true;
}

std::string SkinReadProblem(std::string_view path) {
    std::error_code ec;
    const std::filesystem::path p(path);
    const auto status = std::filesystem::status(p, ec);
    if (ec || !std::filesystem::exists(status)) return "no such file";
    if (std::filesystem::is_directory(status)) return "is a directory";
    if (!std::filesystem::is_regular_file(status)) return "not a regular file";
    if (std::filesystem::file_size(p, ec) == 0 && !ec) return "empty file";
    return "cannot read the skin file";
}

int32_t SkinIniFile::FindSection(std::string_view name, int32_t start) const {
    if (start < 0) start = 0;
    const auto count = static_cast<int64_t>(sections.size());
    for (int64_t i = start; i < count; ++i) {
        if (sections[static_cast<size_t>(i)].name == name) return static_cast<int32_t>(i);
    }
    return -1;
}

std::string_view SkinIniFile::FindValue(int32_t section, std::string_view key) const {
    if (section < 0 || static_cast<size_t>(section) >= sections.size()) return {};
    const IniSection& s = sections[static_cast<size_t>(section)];
    for (size_t i = 0; i < s.keys.size(); ++i) {
        if (s.keys[i] == key) return s.values[i];
    }
    return {};
}

std::vector<std::string_view>
SkinIniFile::FindNumberedValues(int32_t section, std::string_view prefix, size_t count) const {
    std::vector<std::string_view> values(count);
    if (section < 0 || static_cast<size_t>(section) >= sections.size()) return values;
    const IniSection& s = sections[static_cast<size_t>(section)];
    for (size_t i = 0; i < s.keys.size(); ++i) {
        const size_t n = KeyNumber(s.keys[i], prefix);
        // Stored values are never empty, so an empty slot is one not yet found.
        if (n >= 1 && n <= count && values[n - 1].empty()) values[n - 1] = s.values[i];
    }
    return values;
}

std::string SkinIniFile::GetValue(int32_t section, std::string_view key) const {
    return std::string(FindValue(section, key));
}

} // namespace pindrel
