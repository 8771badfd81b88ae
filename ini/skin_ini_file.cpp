#include "ini/skin_ini_file.h"

#include <string>

#include <sys/stat.h>

#include "base/read_file.h"

namespace pindrel {

bool SkinIniFile::Load(std::string_view path) {
    Reset();
    ReadFileResult file = ReadRegularFile(path, kMaxSkinFileBytes);
    if (file.status != ReadFileStatus::Ok || file.bytes.empty()) return false;
    Parse(std::move(file.bytes));
    return true;
}

std::string SkinReadProblem(std::string_view path) {
    const std::string p(path);
    struct stat st {};
    if (p.empty()) return "no such file";
    if (::stat(p.c_str(), &st) != 0) {
        const std::string_view detail = OpenFailureDetail(path, errno);
        return detail.empty() ? "no such file" : std::string(detail);
    }
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    if (st.st_size == 0) return "empty file";
    if (static_cast<uint64_t>(st.st_size) > kMaxSkinFileBytes)
        return "file too large: a skin file may take at most " +
               std::to_string(kMaxSkinFileBytes >> 20) + " MiB";
    const ReadFileResult file = ReadRegularFile(path, 0);
    if (file.status == ReadFileStatus::CannotOpen) {
        const std::string_view detail = OpenFailureDetail(path, file.error);
        if (!detail.empty()) return std::string(detail);
    }
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

int32_t SkinIniFile::FindEntry(int32_t section, std::string_view key) const {
    if (section < 0 || static_cast<size_t>(section) >= sections.size()) return -1;
    const IniSection& s = sections[static_cast<size_t>(section)];
    for (size_t i = 0; i < s.keys.size(); ++i) {
        if (s.keys[i] == key) return static_cast<int32_t>(i);
    }
    return -1;
}

std::string_view SkinIniFile::FindValue(int32_t section, std::string_view key) const {
    const int32_t e = FindEntry(section, key);
    return e < 0 ? std::string_view{} : sections[static_cast<size_t>(section)].values[size_t(e)];
}

std::vector<int32_t> SkinIniFile::FindNumberedEntries(int32_t section, std::string_view prefix,
                                                      size_t count) const {
    std::vector<int32_t> entries(count, -1);
    if (section < 0 || static_cast<size_t>(section) >= sections.size()) return entries;
    const IniSection& s = sections[static_cast<size_t>(section)];
    for (size_t i = 0; i < s.keys.size(); ++i) {
        const size_t n = KeyNumber(s.keys[i], prefix);
        if (n >= 1 && n <= count && entries[n - 1] < 0) entries[n - 1] = static_cast<int32_t>(i);
    }
    return entries;
}

std::vector<std::string_view>
SkinIniFile::FindNumberedValues(int32_t section, std::string_view prefix, size_t count) const {
    const std::vector<int32_t> entries = FindNumberedEntries(section, prefix, count);
    std::vector<std::string_view> values(count);
    for (size_t n = 0; n < count; ++n) {
        if (entries[n] >= 0)
            values[n] = sections[static_cast<size_t>(section)].values[size_t(entries[n])];
    }
    return values;
}

std::string SkinIniFile::GetValue(int32_t section, std::string_view key) const {
    return std::string(FindValue(section, key));
}

} // namespace pindrel
