#include "skin/mockup_names.h"

#include <charconv>
#include <vector>

#include "skin/call_type.h"

namespace pindrel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The mask of a bracket's words, when every word is a call type's keyword.
std::optional<int32_t> CallTypes(std::string_view inside) {
    int32_t mask = 0;
    size_t words = 0;
    size_t i = 0;
    while (i < inside.size()) {
        while (i < inside.size() && (IsBlank(inside[i]) || inside[i] == ','))
            ++i;
        const size_t start = i;
        while (i < inside.size() && !IsBlank(inside[i]) && inside[i] != ',')
            ++i;
        if (start == i) break;
        const std::string word = AsciiLower(inside.substr(start, i - start));
        bool known = false;
        for (size_t k = 0; k < kCallTypeKeywords.size(); ++k) {
            if (word == kCallTypeKeywords[k]) {
                mask |= static_cast<int32_t>(kCallTypes[k]);
                known = true;
            }
        }
        if (!known) return std::nullopt;
        ++words;
    }
    if (words == 0) return std::nullopt;
    return mask;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

LayerName ParseLayerName(std::string_view name, bool withId) {
    LayerName result;
    std::string rest;
    // Brackets of call types go; any other bracket is part of the name.
    size_t i = 0;
    while (i < name.size()) {
        const size_t open = name.find('[', i);
        const size_t close = open == std::string_view::npos ? open : name.find(']', open);
        if (close == std::string_view::npos) {
            rest += name.substr(i);
            break;
        }
        rest += name.substr(i, open - i);
        if (const auto mask = CallTypes(name.substr(open + 1, close - open - 1)))
            result.type = *mask;
        else
            rest += name.substr(open, close - open + 1);
        i = close + 1;
    }
    std::vector<std::string_view> words;
    std::string_view text = rest;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && !IsBlank(text[at]))
            ++at;
        if (start < at) words.push_back(text.substr(start, at - start));
    }
    std::string out;
    for (size_t w = 0; w < words.size(); ++w) {
        if (withId && w + 1 < words.size() && AsciiLower(words[w]) == "id") {
            int32_t id = 0;
            const std::string_view n = words[w + 1];
            const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), id);
            if (ec == std::errc() && end == n.data() + n.size()) {
                result.id = id;
                ++w;
                continue;
            }
        }
        if (!out.empty()) out += ' ';
        out += words[w];
    }
    result.text = AsciiLower(out);
    return result;
}

std::string SafeFileStem(std::string_view name) {
    std::string out;
    for (const char c : TrimBlanks(name)) {
        if (c >= 'A' && c <= 'Z')
            out += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-')
            out += c;
        else if (c == ' ')
            out += '_';
    }
    return out;
}

} // namespace pindrel
