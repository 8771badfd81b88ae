#include "render/bitmap_advice.h"

#include <algorithm>
#include <array>

#include "base/read_file.h"
#include "render/byte_reader.h"

namespace pindrel {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(text.end() - suffix.size(), text.end(), suffix.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    });
}

// A name as a shell command line takes it.
std::string ShellWord(std::string_view name) {
    const bool plain = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '_' || c == '-' || c == '/' || c == '+' || c == ',';
    });
    if (plain && name.front() != '-') return std::string(name);
    std::string word = "'";
    for (const char c : name)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// Without the key, transparent pixels would be composited into an opaque box.
std::string ConvertCommand(std::string_view from, std::string_view to, std::optional<Color> key) {
    std::string command = "pindrel-cli convert " + ShellWord(from) + " -o " + ShellWord(to);
    if (key)
        command += " --key " + std::to_string(key->R()) + "," + std::to_string(key->G()) + "," +
                   std::to_string(key->B());
    return command;
}

// The fix for a picture of another format: convert it, under a .bmp name when it has none.
std::string ConvertFix(std::string_view name, std::optional<Color> key) {
    if (EndsWithNoCase(name, ".bmp")) return "run: " + ConvertCommand(name, name, key);
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    const std::string bmp = std::string(dot != std::string_view::npos &&
                                                (slash == std::string_view::npos || dot > slash)
                                            ? name.substr(0, dot)
                                            : name) +
                            ".bmp";
    return "run: " + ConvertCommand(name, bmp, key) + " and name " + bmp + " in the skin";
}

std::optional<std::string_view> OtherFormat(std::span<const uint8_t> head, std::string_view name) {
    static constexpr std::array<uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static constexpr std::array<uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
    const auto starts = [&](std::span<const uint8_t> sig) {
        return head.size() >= sig.size() && std::equal(sig.begin(), sig.end(), head.begin());
    };
    if (starts(kPng)) return "a PNG picture";
    if (starts(kJpeg)) return "a JPEG picture";
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') return std::nullopt;
    // Named as one, though its bytes do not say what it is.
    for (const std::string_view suffix : {".png", ".jpg", ".jpeg"})
        if (EndsWithNoCase(name, suffix)) return "";
    return std::nullopt;
}

} // namespace

std::optional<BitmapAdvice> AdviseOnBitmap(std::span<const uint8_t> head, std::string_view name,
                                           std::optional<Color> key) {
    const std::string plainName(name);
    if (const auto format = OtherFormat(head, name)) {
        return BitmapAdvice{plainName + " is not a BMP" +
                                (format->empty() ? "" : " but " + std::string(*format)) +
                                ", which skins cannot use",
                            ConvertFix(name, key)};
    }
    ByteReader in(head);
    if (in.ReadU16() != 0x4D42) return std::nullopt;
    in.Seek(14);
    const uint32_t headerSize = in.ReadU32();
    const std::string header = std::to_string(headerSize) + "-byte header";
    const std::string convert = "run: " + ConvertCommand(name, name, key);
    if (headerSize == 108 || headerSize == 124)
        return BitmapAdvice{plainName + " has a " + header +
                                " (colour-space information), which skins cannot use",
                            "save it without colour-space information or " + convert};
    if (headerSize == 52 || headerSize == 56)
        return BitmapAdvice{plainName + " has a " + header +
                                " (bit fields), which skins cannot use",
                            "save it as a 24-bit BMP or " + convert};
    in.Seek(30);
    if (headerSize == 40 && in.ReadU32() == 6)
        return BitmapAdvice{plainName + " has alpha bit fields, which skins cannot use",
                            "save it as a 24-bit BMP or " + convert};
    return std::nullopt;
}

std::optional<BitmapAdvice> AdviseOnBitmapFile(std::string_view path, std::string_view name,
                                               std::optional<Color> key) {
    const ReadFileResult head = ReadRegularFileHead(path, kBitmapAdviceBytes);
    if (head.status != ReadFileStatus::Ok) return std::nullopt;
    return AdviseOnBitmap(head.bytes, name, key);
}

} // namespace pindrel
