#include "ini/ini_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pindrel {

std::string_view TrimIni(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsIniSpace(s[b]))
        ++b;
    while (e > b && IsIniSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

void IniFile::Reset() {
    text_.clear();
    sections.clear();
    sectionLines.clear();
    droppedLines.clear();
    keys_.clear();
    values_.clear();
    entryLines_.clear();
}

void IniFile::Parse(std::span<const uint8_t> bytes) {
    Parse(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void IniFile::Parse(std::vector<uint8_t>&& bytes) {
    Reset();
    text_ = std::move(bytes);
    ParseText();
}

namespace {

enum class LineKind { Header, Entry, Dropped };

// Calls take(kind, line number, trimmed line, key, value) for every line that is neither blank
// nor a comment.
template <typename Take> void ForEachLine(std::string_view text, Take take) {
    const char* p = text.data();
    const char* const end = p + text.size();
    int32_t lineNo = 1;
    bool inSection = false;
    while (p < end) {
        // Line breaks: a run of CR and LF separates lines; for numbering, CR LF counts once.
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
            ++p;
            // Saturates: a file of more than 2^31 lines must not overflow the count.
            if (lineNo < std::numeric_limits<int32_t>::max()) ++lineNo;
            continue;
        }
        const char* eol = p;
        while (eol < end && *eol != '\r' && *eol != '\n')
            ++eol;
        const std::string_view line = TrimIni(std::string_view(p, static_cast<size_t>(eol - p)));
        p = eol;
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = true;
            take(LineKind::Header, lineNo, line, std::string_view{}, std::string_view{});
            continue;
        }
        const size_t eq = line.find('=');
        const std::string_view key = (!inSection || eq == std::string_view::npos || eq == 0)
                                         ? std::string_view{}
                                         : TrimIni(line.substr(0, eq));
        const std::string_view value =
            key.empty() ? std::string_view{} : TrimIni(line.substr(eq + 1));
        take(value.empty() ? LineKind::Dropped : LineKind::Entry, lineNo, line, key, value);
    }
}

} // namespace

void IniFile::ParseText() {
    const std::string_view text(reinterpret_cast<const char*>(text_.data()), text_.size());
    // Counted first, so that every list is allocated once at its size: growing lists of millions
    // of records would hold up to three times what they need.
    size_t headers = 0, entries = 0, dropped = 0;
    ForEachLine(
        text, [&](LineKind kind, int32_t, std::string_view, std::string_view, std::string_view) {
            (kind == LineKind::Header ? headers : kind == LineKind::Entry ? entries : dropped) += 1;
        });
    sections.reserve(headers);
    sectionLines.reserve(headers);
    keys_.reserve(entries);
    values_.reserve(entries);
    entryLines_.reserve(entries);
    droppedLines.reserve(dropped);
    std::vector<size_t> firstEntry;
    firstEntry.reserve(headers + 1);
    ForEachLine(text, [&](LineKind kind, int32_t lineNo, std::string_view line,
                          std::string_view key, std::string_view value) {
        switch (kind) {
        case LineKind::Header:
            sections.push_back({line.substr(1, line.size() - 2), {}, {}});
            sectionLines.push_back({lineNo, {}});
            firstEntry.push_back(keys_.size());
            break;
        case LineKind::Entry:
            keys_.push_back(key);
            values_.push_back(value);
            entryLines_.push_back(lineNo);
            break;
        case LineKind::Dropped:
            droppedLines.push_back({lineNo, line, sections.empty()});
            break;
        }
    });
    firstEntry.push_back(keys_.size());
    for (size_t i = 0; i < sections.size(); ++i) {
        const size_t from = firstEntry[i], count = firstEntry[i + 1] - from;
        sections[i].keys = std::span<const std::string_view>(keys_).subspan(from, count);
        sections[i].values = std::span<const std::string_view>(values_).subspan(from, count);
        sectionLines[i].entries = std::span<const int32_t>(entryLines_).subspan(from, count);
    }
}

} // namespace pindrel
