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
}

void IniFile::Parse(std::span<const uint8_t> bytes) {
    Parse(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void IniFile::Parse(std::vector<uint8_t>&& bytes) {
    Reset();
    text_ = std::move(bytes);
    ParseText();
}

void IniFile::ParseText() {
    const char* p = reinterpret_cast<const char*>(text_.data());
    const char* const end = p + text_.size();
    if (p == end) return; // memchr must not see the null pointer of an empty buffer
    // Every header holds a '[': counting them sizes the section lists once, instead of growing
    // and copying them while parsing. Real sections take far more than 16 bytes, and the cap
    // keeps a file of brackets alone from reserving many times its size.
    size_t brackets = 0;
    for (const char* q = p;
         (q = static_cast<const char*>(std::memchr(q, '[', static_cast<size_t>(end - q)))) !=
         nullptr;
         ++q) {
        ++brackets;
    }
    brackets = std::min(brackets, text_.size() / 16);
    sections.reserve(brackets);
    sectionLines.reserve(brackets);
    int32_t lineNo = 1;
    size_t hint = 0;
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
            // Sections of one file tend to be alike: reserve the most entries a section has
            // needed so far (within reason), so the lists rarely grow.
            if (!sections.empty())
                hint = std::max(hint, std::min<size_t>(sections.back().keys.size(), 32));
            IniSection& s = sections.emplace_back();
            s.name = line.substr(1, line.size() - 2);
            s.keys.reserve(hint);
            s.values.reserve(hint);
            sectionLines.push_back({lineNo, {}});
            sectionLines.back().entries.reserve(hint);
            continue;
        }
        if (sections.empty()) {
            droppedLines.push_back({lineNo, std::string(line), true});
            continue;
        }
        const size_t eq = line.find('=');
        const std::string_view key = (eq == std::string_view::npos || eq == 0)
                                         ? std::string_view{}
                                         : TrimIni(line.substr(0, eq));
        const std::string_view value =
            key.empty() ? std::string_view{} : TrimIni(line.substr(eq + 1));
        if (value.empty()) {
            droppedLines.push_back({lineNo, std::string(line), false});
            continue;
        }
        IniSection& s = sections.back();
        s.keys.push_back(key);
        s.values.push_back(value);
        sectionLines.back().entries.push_back(lineNo);
    }
}

} // namespace pindrel
