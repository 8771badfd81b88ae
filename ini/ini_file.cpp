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

IniFile& IniFile::operator=(IniFile&& other) noexcept {
    if (this == &other) return *this;
    // The lists view this file's records, which moving keeps in their buffers.
    text_ = std::move(other.text_);
    records_ = std::move(other.records_);
    keys_ = std::move(other.keys_);
    values_ = std::move(other.values_);
    entryLines_ = std::move(other.entryLines_);
    dropped_ = std::move(other.dropped_);
    other.Reset();
    return *this;
}

void IniFile::Reset() {
    text_.clear();
    records_.clear();
    keys_.clear();
    values_.clear();
    entryLines_.clear();
    dropped_.clear();
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
    if (text_.size() > std::numeric_limits<uint32_t>::max())
        text_.resize(std::numeric_limits<uint32_t>::max());
    const std::string_view text(Base(), text_.size());
    const auto piece = [&](std::string_view t) {
        return Piece{static_cast<uint32_t>(t.data() - Base()), static_cast<uint32_t>(t.size())};
    };
    // Counted first, so that every list is allocated once at its size: growing lists of millions
    // of records would hold up to three times what they need.
    size_t headers = 0, entries = 0, dropped = 0;
    ForEachLine(
        text, [&](LineKind kind, int32_t, std::string_view, std::string_view, std::string_view) {
            (kind == LineKind::Header ? headers : kind == LineKind::Entry ? entries : dropped) += 1;
        });
    records_.reserve(headers);
    keys_.reserve(entries);
    values_.reserve(entries);
    entryLines_.reserve(entries);
    dropped_.reserve(dropped);
    ForEachLine(text, [&](LineKind kind, int32_t lineNo, std::string_view line,
                          std::string_view key, std::string_view value) {
        switch (kind) {
        case LineKind::Header:
            records_.push_back({piece(line.substr(1, line.size() - 2)),
                                static_cast<uint32_t>(keys_.size()), lineNo});
            break;
        case LineKind::Entry:
            keys_.push_back(piece(key));
            values_.push_back(piece(value));
            entryLines_.push_back(lineNo);
            break;
        case LineKind::Dropped:
            dropped_.push_back({piece(line), records_.empty() ? -lineNo : lineNo});
            break;
        }
    });
}

} // namespace pindrel
