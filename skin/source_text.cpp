#include "skin/source_text.h"

#include <algorithm>

#include "render/text_decode.h"

namespace pindrel {

namespace {

std::string_view FirstLineEnd(std::span<const uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') return "\n";
        if (bytes[i] == '\r') return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

void AppendUtf8(std::vector<uint8_t>& out, char32_t c) {
    // Characters no UTF-8 can hold stand as U+FFFD.
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<uint8_t>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<uint8_t>(0xC0 | (c >> 6)));
        out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<uint8_t>(0xE0 | (c >> 12)));
        out.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<uint8_t>(0xF0 | (c >> 18)));
        out.push_back(static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
    }
}

} // namespace

SourceText DecodeSource(std::span<const uint8_t> bytes) {
    SourceText s;
    s.text.reserve(bytes.size());
    s.offsets.reserve(bytes.size() + 1);
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    size_t i = 0;
    while (i < view.size()) {
        s.offsets.push_back(i);
        if (view[i] == '\r' || view[i] == '\n') {
            const bool pair = view[i] == '\r' && i + 1 < view.size() && view[i + 1] == '\n';
            s.text.push_back(U'\n');
            i += pair ? 2 : 1;
            continue;
        }
        const DecodedChar c = DecodeChar(view, i);
        s.text.push_back(c.codepoint);
        i += c.length;
    }
    s.offsets.push_back(view.size());
    return s;
}

std::vector<uint8_t> EncodeEditedSource(std::span<const uint8_t> bytes, const SourceText& decoded,
                                        std::u32string_view edited) {
    // A CR typed or pasted is a line end like any other.
    std::u32string text(edited);
    std::replace(text.begin(), text.end(), U'\r', U'\n');
    const std::u32string_view old = decoded.text;
    const size_t most = std::min(old.size(), text.size());
    size_t prefix = 0;
    while (prefix < most && old[prefix] == text[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < most - prefix && old[old.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;

    const std::string_view lineEnd = FirstLineEnd(bytes);
    const auto build = [&] {
        const size_t keepEnd = decoded.offsets[prefix];
        const size_t resume = decoded.offsets[old.size() - suffix];
        std::vector<uint8_t> out(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(keepEnd));
        for (const char32_t c :
             std::u32string_view(text).substr(prefix, text.size() - prefix - suffix)) {
            if (c == U'\n')
                out.insert(out.end(), lineEnd.begin(), lineEnd.end());
            else
                AppendUtf8(out, c);
        }
        out.insert(out.end(), bytes.begin() + static_cast<ptrdiff_t>(resume), bytes.end());
        return out;
    };
    // A kept CR before a new LF, or a new CR before a kept LF, would read as one line end: the
    // change then takes in the character beside it. With nothing kept, every line end is the
    // same and none can merge.
    while (true) {
        std::vector<uint8_t> out = build();
        if ((prefix == 0 && suffix == 0) || DecodeSource(out).text == text) return out;
        if (prefix > 0) --prefix;
        if (suffix > 0) --suffix;
    }
}

} // namespace pindrel
