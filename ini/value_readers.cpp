#include "ini/skin_ini_file.h"

#include <array>

namespace pindrel {

namespace {

// Hands each item of a comma list, trimmed and not empty, to take until it returns false.
template <typename Take> void ForEachItem(std::string_view text, Take take) {
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view item = TrimIni(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (!item.empty() && !take(item)) return;
    }
}

// The first N items of a comma list, with no allocation; returns how many there are (at most N).
template <size_t N>
size_t FirstItems(std::string_view text, std::array<std::string_view, N>& items) {
    size_t n = 0;
    ForEachItem(text, [&](std::string_view item) {
        items[n++] = item;
        return n < N;
    });
    return n;
}

} // namespace

void SplitList(std::string_view text, std::vector<std::string>& list) {
    list.clear();
    ForEachItem(text, [&](std::string_view item) {
        list.emplace_back(item);
        return true;
    });
}

int32_t ParseSkinInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsIniSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Unsigned arithmetic wraps by definition, as the 32-bit accumulation of skins expects.
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

bool IsWholeSkinInt(std::string_view text) {
    text = TrimIni(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

size_t KeyNumber(std::string_view key, std::string_view prefix) {
    if (!key.starts_with(prefix)) return 0;
    key.remove_prefix(prefix.size());
    // 18 digits cannot overflow; no list has that many items.
    if (key.empty() || key.size() > 18 || key.front() == '0') return 0;
    size_t n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    return n;
}

std::string SkinIniFile::GetString(int32_t section, std::string_view key,
                                   std::string_view def) const {
    const std::string_view v = FindValue(section, key);
    return std::string(v.empty() ? def : v);
}

int32_t SkinIniFile::GetInt(int32_t section, std::string_view key, int32_t def) const {
    const std::string_view v = FindValue(section, key);
    return v.empty() ? def : ParseSkinInt(v);
}

int32_t SkinIniFile::GetList(int32_t section, std::string_view key,
                             std::vector<std::string>& list) const {
    SplitList(FindValue(section, key), list);
    return static_cast<int32_t>(list.size());
}

bool SkinIniFile::GetPair(int32_t section, std::string_view key, Point& pair) const {
    std::array<std::string_view, 2> items;
    if (FirstItems(FindValue(section, key), items) < 2) {
        pair = {0, 0};
        return false;
    }
    pair = {ParseSkinInt(items[0]), ParseSkinInt(items[1])};
    return true;
}

bool SkinIniFile::GetRect(int32_t section, std::string_view posKey, std::string_view sizeKey,
                          Rect& rect) const {
    Point pos, size;
    if (!GetPair(section, posKey, pos)) return false;
    GetPair(section, sizeKey, size); // a missing size leaves (0, 0)
    rect = Rect::FromXYWH(pos.x, pos.y, size.x, size.y);
    return true;
}

bool SkinIniFile::GetColor(int32_t section, std::string_view key, Color& color) const {
    return ParseColor(FindValue(section, key), color);
}

bool SkinIniFile::GetFontSpec(int32_t section, std::string_view key, int32_t& size,
                              std::string& face, bool& bold, bool& italic) const {
    return ParseFontSpec(FindValue(section, key), size, face, bold, italic);
}

bool ParseColor(std::string_view value, Color& color) {
    std::array<std::string_view, 3> items;
    if (FirstItems(value, items) < 3) return false;
    const auto channel = [&](size_t i) {
        return static_cast<uint8_t>(static_cast<uint32_t>(ParseSkinInt(items[i])) & 0xFFu);
    };
    color = Color::FromRgb(channel(0), channel(1), channel(2));
    return true;
}

bool ParseFontSpec(std::string_view value, int32_t& size, std::string& face, bool& bold,
                   bool& italic) {
    std::array<std::string_view, 4> items;
    const size_t n = FirstItems(value, items);
    if (n == 0) return false;
    size = ParseSkinInt(items[0]);
    if (n >= 2) face = items[1];
    if (n >= 3) bold = ParseSkinInt(items[2]) != 0;
    if (n >= 4) italic = ParseSkinInt(items[3]) != 0;
    return true;
}

} // namespace pindrel
