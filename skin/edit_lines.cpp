#include "skin/edit_lines.h"

#include "ini/skin_ini_file.h"

namespace pindrel {

namespace {

std::string_view Text(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool IsBlank(std::string_view line) {
    return TrimIni(line).empty();
}

bool IsComment(std::string_view line) {
    const std::string_view t = TrimIni(line);
    return !t.empty() && t.front() == ';';
}

std::string Joined(std::span<const std::string> lines, std::string_view eol) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += eol;
        text += lines[i];
    }
    return text;
}

} // namespace

std::string_view BreakAt(std::span<const uint8_t> bytes, size_t p) {
    if (bytes[p] == '\r') return p + 1 < bytes.size() && bytes[p + 1] == '\n' ? "\r\n" : "\r";
    return "\n";
}

std::string_view BreakBefore(std::span<const uint8_t> bytes, size_t p) {
    while (p > 0) {
        --p;
        if (bytes[p] == '\n') return p > 0 && bytes[p - 1] == '\r' ? "\r\n" : "\n";
        if (bytes[p] == '\r') return "\r";
    }
    return "\n";
}

size_t LineStart(std::span<const uint8_t> bytes, size_t p) {
    while (p > 0 && !IsLineBreak(bytes[p - 1]))
        --p;
    return p;
}

size_t LineEnd(std::span<const uint8_t> bytes, size_t p) {
    while (p < bytes.size() && !IsLineBreak(bytes[p]))
        ++p;
    return p;
}

size_t NextLine(std::span<const uint8_t> bytes, size_t p) {
    p = LineEnd(bytes, p);
    return p < bytes.size() ? p + BreakAt(bytes, p).size() : p;
}

SectionSpan FindSectionSpan(const SkinIniFile& file, int32_t s) {
    const std::span<const uint8_t> bytes = file.Bytes();
    const std::string_view all = Text(bytes);
    const IniSection& section = file.sections[static_cast<size_t>(s)];
    SectionSpan span;
    // The name lies right after the header's "[".
    span.header = LineStart(bytes, file.Offset(section.name));
    span.body = section.values.empty() ? LineEnd(bytes, file.Offset(section.name))
                                       : LineEnd(bytes, file.Offset(section.values.back()));
    span.lead = span.header;
    while (span.lead > 0) {
        // The line before: it ends in the break right before lead.
        size_t breakStart = span.lead - 1;
        if (bytes[breakStart] == '\n' && breakStart > 0 && bytes[breakStart - 1] == '\r')
            --breakStart;
        const size_t start = LineStart(bytes, breakStart);
        if (!IsComment(all.substr(start, breakStart - start))) break;
        span.lead = start;
    }
    span.end = NextLine(bytes, span.body);
    while (span.end < bytes.size()) {
        const size_t lineEnd = LineEnd(bytes, span.end);
        if (!IsBlank(all.substr(span.end, lineEnd - span.end))) break;
        span.end = NextLine(bytes, span.end);
    }
    return span;
}

ByteEdit InsertLinesAfter(std::span<const uint8_t> bytes, size_t lineEnd,
                          std::span<const std::string> lines) {
    const std::string_view eol =
        lineEnd < bytes.size() ? BreakAt(bytes, lineEnd) : BreakBefore(bytes, lineEnd);
    std::string text(eol);
    text += Joined(lines, eol);
    return {lineEnd, 0, std::move(text)};
}

ByteEdit AppendLines(std::span<const uint8_t> bytes, std::span<const std::string> lines) {
    const size_t end = bytes.size();
    const std::string_view eol = BreakBefore(bytes, end);
    const bool endsWithBreak = end == 0 || IsLineBreak(bytes[end - 1]);
    std::string text;
    if (!endsWithBreak) text += eol;
    text += Joined(lines, eol);
    if (endsWithBreak) text += eol;
    return {end, 0, std::move(text)};
}

} // namespace pindrel
