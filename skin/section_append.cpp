#include "skin/section_append.h"

#include <algorithm>

namespace pindrel {

std::string_view SkinNewline(std::span<const uint8_t> bytes) {
    const auto lf = std::find(bytes.begin(), bytes.end(), uint8_t{'\n'});
    if (lf == bytes.end()) return "\r\n";
    return lf != bytes.begin() && *(lf - 1) == '\r' ? "\r\n" : "\n";
}

std::vector<uint8_t> AppendSections(std::span<const uint8_t> bytes, std::string_view sections) {
    std::vector<uint8_t> out(bytes.begin(), bytes.end());
    const std::string_view newline = SkinNewline(bytes);
    const auto add = [&](std::string_view text) {
        out.insert(out.end(), text.begin(), text.end());
    };
    if (!out.empty()) {
        if (out.back() != '\n') add(newline);
        // A blank line before the new sections, unless the file ends with one.
        const size_t n = newline.size();
        const bool blank = out.size() >= 2 * n &&
                           std::equal(newline.begin(), newline.end(), out.end() - 2 * n) &&
                           std::equal(newline.begin(), newline.end(), out.end() - n);
        if (!blank) add(newline);
    }
    add(sections);
    return out;
}

} // namespace pindrel
