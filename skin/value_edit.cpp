#include "skin/value_edit.h"

#include <algorithm>
#include <array>

#include "ini/ini_file.h"
#include "ini/skin_ini_file.h"

namespace pindrel {

namespace {

// The first two items of a comma list as the skin's reader takes them (trimmed, empty ones
// dropped), as views into text; returns how many there are.
size_t FirstTwoItems(std::string_view text, std::array<std::string_view, 2>& items) {
    size_t n = 0;
    while (!text.empty() && n < 2) {
        const size_t comma = text.find(',');
        const std::string_view item = TrimIni(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (!item.empty()) items[n++] = item;
    }
    return n;
}

// The part of an item that holds its number: the sign and digits it starts with. An item
// without them reads as 0, and its first word (up to white space or ";") stands for the number.
struct NumberText {
    std::string_view text;
    bool digits = false;
};

NumberText FindNumber(std::string_view item) {
    size_t i = 0;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) ++i;
    const size_t start = i;
    while (i < item.size() && item[i] >= '0' && item[i] <= '9')
        ++i;
    if (i > start) return {item.substr(0, i), true};
    i = 0;
    while (i < item.size() && !IsIniSpace(item[i]) && item[i] != ';')
        ++i;
    return {item.substr(0, i), false};
}

// "a,b", appended piece by piece: GCC 12 misreads "," + text as an overlapping copy
// (-Wrestrict) in optimised builds.
std::string PairText(int32_t a, int32_t b) {
    std::string text = std::to_string(a);
    text += ',';
    text += std::to_string(b);
    return text;
}

} // namespace

std::vector<uint8_t> ApplyEdits(std::span<const uint8_t> bytes, std::vector<ByteEdit> edits) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const ByteEdit& x, const ByteEdit& y) { return x.offset < y.offset; });
    std::vector<uint8_t> out;
    size_t grow = 0;
    for (const ByteEdit& e : edits)
        grow += e.text.size();
    out.reserve(bytes.size() + grow);
    size_t at = 0;
    for (const ByteEdit& e : edits) {
        const size_t start = std::clamp(e.offset, at, bytes.size());
        out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(at),
                   bytes.begin() + static_cast<ptrdiff_t>(start));
        out.insert(out.end(), e.text.begin(), e.text.end());
        at = std::min(start + e.length, bytes.size());
    }
    out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(at), bytes.end());
    return out;
}

std::vector<ByteEdit> PairValueEdits(std::string_view value, int32_t a, int32_t b) {
    std::array<std::string_view, 2> items;
    const size_t n = FirstTwoItems(value, items);
    const auto offset = [value](std::string_view piece) {
        return static_cast<size_t>(piece.data() - value.data());
    };
    std::vector<ByteEdit> edits;
    if (n == 0) {
        edits.push_back({0, value.size(), PairText(a, b)});
        return edits;
    }
    const NumberText first = FindNumber(items[0]);
    const size_t firstAt = offset(first.text);
    if (n == 1) {
        // The second number goes right after the first, before whatever followed it.
        if (first.digits && ParseSkinInt(first.text) == a)
            edits.push_back(
                {firstAt + first.text.size(), 0, std::string(1, ',') += std::to_string(b)});
        else
            edits.push_back({firstAt, first.text.size(), PairText(a, b)});
        return edits;
    }
    if (ParseSkinInt(items[0]) != a)
        edits.push_back({firstAt, first.text.size(), std::to_string(a)});
    const NumberText second = FindNumber(items[1]);
    if (ParseSkinInt(items[1]) != b)
        edits.push_back({offset(second.text), second.text.size(), std::to_string(b)});
    return edits;
}

} // namespace pindrel
