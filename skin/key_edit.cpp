// Setting and removing keys, adding sections.
#include <algorithm>
#include <array>

#include "ini/ini_file.h"
#include "skin/edit_lines.h"
#include "skin/skin_edit_internal.h"

namespace pindrel {

namespace edit {

EditResult Fail(std::string error) {
    EditResult r;
    r.error = std::move(error);
    return r;
}

EditResult Finish(const SkinIniFile& file, std::vector<ByteEdit> edits) {
    const std::span<const uint8_t> bytes = file.Bytes();
    std::vector<uint8_t> out = ApplyEdits(bytes, std::move(edits));
    EditResult r;
    r.ok = true;
    r.changed = !std::ranges::equal(out, bytes);
    r.file.Parse(std::move(out));
    return r;
}

bool HasSection(const SkinIniFile& file, int32_t section) {
    return section >= 0 && static_cast<size_t>(section) < file.sections.size();
}

std::string EntryProblem(std::string_view key, std::string_view value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    if (key.empty()) return "no key";
    if (hasBreak(key) || hasBreak(value)) return "a line break in a key or value";
    if (TrimIni(key) != key) return "white space around the key";
    if (key.find('=') != std::string_view::npos) return "an \"=\" in the key";
    value = TrimIni(value);
    if (value.empty()) return "an empty value";
    // Such a line would be a comment or a section header.
    if (key.front() == ';' || (key.front() == '[' && value.back() == ']'))
        return "the line would not be an entry";
    return {};
}

std::string EntryLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += TrimIni(value);
    return line;
}

std::string HeaderLine(SectionKind kind) {
    std::string line = "[";
    line += SectionName(kind);
    line += ']';
    return line;
}

} // namespace edit

using namespace edit;

EditResult SetKey(const SkinIniFile& file, int32_t section, std::string_view key,
                  std::string_view value) {
    if (!HasSection(file, section)) return Fail("no such section");
    if (std::string problem = EntryProblem(key, value); !problem.empty()) return Fail(problem);
    value = TrimIni(value);
    const IniSection& s = file.sections[static_cast<size_t>(section)];
    const int32_t e = file.FindEntry(section, key);
    if (e >= 0) {
        const std::string_view now = s.values[static_cast<size_t>(e)];
        return Finish(file, {{file.Offset(now), now.size(), std::string(value)}});
    }
    const std::array<std::string, 1> line = {EntryLine(key, value)};
    return Finish(file,
                  {InsertLinesAfter(file.Bytes(), FindSectionSpan(file, section).body, line)});
}

EditResult SetSingleKey(const SkinIniFile& file, SectionKind kind, std::string_view key,
                        std::string_view value) {
    if (!Section(kind).single) return Fail("not a single section");
    const int32_t s = file.FindSection(SectionName(kind), 0);
    if (s >= 0) return SetKey(file, s, key, value);
    if (std::string problem = EntryProblem(key, value); !problem.empty()) return Fail(problem);
    const std::array<std::string, 2> lines = {HeaderLine(kind), EntryLine(key, value)};
    return Finish(file, {AppendLines(file.Bytes(), lines)});
}

EditResult RemoveKey(const SkinIniFile& file, int32_t section, std::string_view key) {
    if (!HasSection(file, section)) return Fail("no such section");
    const std::span<const uint8_t> bytes = file.Bytes();
    const IniSection& s = file.sections[static_cast<size_t>(section)];
    std::vector<ByteEdit> edits;
    for (const std::string_view k : s.keys) {
        if (k != key) continue;
        const size_t start = LineStart(bytes, file.Offset(k));
        edits.push_back({start, NextLine(bytes, start) - start, {}});
    }
    return Finish(file, std::move(edits));
}

EditResult AddSection(const SkinIniFile& file, SectionKind kind,
                      std::span<const KeyValue> entries) {
    if (Section(kind).single) return Fail("not an element section");
    std::vector<std::string> lines = {HeaderLine(kind)};
    for (const KeyValue& e : entries) {
        if (std::string problem = EntryProblem(e.key, e.value); !problem.empty())
            return Fail(problem);
        lines.push_back(EntryLine(e.key, e.value));
    }
    return Finish(file, {AppendLines(file.Bytes(), lines)});
}

} // namespace pindrel
