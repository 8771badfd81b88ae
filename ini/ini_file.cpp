#include "ini/ini_file.h"

#include <cstring>

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
    sections.clear();
    sectionLines.clear();
    droppedLines.clear();
}

void IniFile::Parse(std::span<const uint8_t> bytes) {
    Reset();
    const char* p = reinterpret_cast<const char*>(bytes.data());
    const char* const end = p + bytes.size();
    int32_t lineNo = 1;
    while (p < end) {
        // Line breaks: a run of CR and LF separates lines; for numbering, CR LF counts once.
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
            ++p;
            ++lineNo;
            continue;
        }
        const char* eol = p;
        while (eol < end && *eol != '\r' && *eol != '\n')
            ++eol;
        const std::string_view line = TrimIni(std::string_view(p, static_cast<size_t>(eol - p)));
        p = eol;
        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            // Sections of one file tend to be alike: reserve what the previous one needed.
            const size_t hint = sections.empty() ? 0 : sections.back().keys.size();
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
        s.keys.emplace_back(key);
        s.values.emplace_back(value);
        sectionLines.back().entries.push_back(lineNo);
    }
}

} // namespace pindrel
