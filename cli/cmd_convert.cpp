#include <charconv>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "render/bmp_encoder.h"
#include "render/picture_flatten.h"
#include "render/picture_import.h"

namespace pindrel::cli {

namespace {

// Far above any picture that fits the limits of a decoded bitmap.
constexpr uint64_t kMaxInputBytes = uint64_t{1} << 30;

struct ConvertOptions {
    std::string in;
    std::string out;
    std::string bits = "24";
    std::string key;
    std::string background = "255,255,255";
};

std::optional<BmpEncoding> ParseBits(std::string_view text) {
    if (text == "24") return BmpEncoding::Rgb24;
    if (text == "8") return BmpEncoding::Palette8;
    if (text == "rle8") return BmpEncoding::Rle8;
    return std::nullopt;
}

// "R,G,B", each a decimal number from 0 to 255.
std::optional<Color> ParseRgb(std::string_view text) {
    uint8_t c[3] = {};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (p == end || *p != ',') return std::nullopt;
            ++p;
        }
        unsigned v = 0;
        const auto [stop, ec] = std::from_chars(p, end, v);
        if (ec != std::errc() || stop == p || v > 255) return std::nullopt;
        c[i] = static_cast<uint8_t>(v);
        p = stop;
    }
    if (p != end) return std::nullopt;
    return Color::FromRgb(c[0], c[1], c[2]);
}

CLI::Validator Expecting(const char* what, bool (*valid)(std::string_view)) {
    return CLI::Validator(
        [what, valid](std::string& text) -> std::string {
            if (valid(text)) return {};
            return std::string("expects ") + what + ", not \"" + text + "\"";
        },
        "");
}

std::string RgbText(Color c) {
    return std::to_string(c.R()) + "," + std::to_string(c.G()) + "," + std::to_string(c.B());
}

int RunConvert(const ConvertOptions& o) {
    if (!Require(o.in, "convert", "IN: the picture to convert") ||
        !Require(o.out, "convert", "-o OUT.bmp: the bitmap to write (- for standard output)"))
        return kExitUsage;
    // The options were checked while parsing.
    const BmpEncoding encoding = *ParseBits(o.bits);
    FlattenOptions flatten;
    flatten.background = *ParseRgb(o.background);
    if (!o.key.empty()) flatten.key = ParseRgb(o.key);

    const auto bytes = ReadInputFile(o.in, kMaxInputBytes);
    if (!bytes) return kExitFailed;
    const ImportResult imported = ImportPicture(*bytes);
    if (!imported.picture) {
        PrintError(o.in + ": " + imported.reason);
        return kExitFailed;
    }
    const FlattenResult flat = FlattenPicture(*imported.picture, flatten);
    if (!flat.image) {
        PrintError(o.in + ": picture too large");
        return kExitFailed;
    }
    const BmpEncodeResult encoded = EncodeBmp(*flat.image, encoding);
    if (encoded.bytes.empty()) {
        PrintError(o.in + ": " + std::to_string(encoded.colours) + " colours; use --bits 24");
        return kExitFailed;
    }
    std::string error;
    const bool written = WriteOutputFile(
        o.out,
        [&](FILE* out, std::string*) {
            return std::fwrite(encoded.bytes.data(), 1, encoded.bytes.size(), out) ==
                   encoded.bytes.size();
        },
        &error);
    if (!written) {
        PrintError(o.out + ": " + error);
        return kExitFailed;
    }
    if (flat.opaqueKeyPixels > 0) {
        const std::string n = std::to_string(flat.opaqueKeyPixels);
        std::fprintf(stderr,
                     "pindrel-cli: warning: %s: %s opaque pixel%s the key colour %s and would "
                     "vanish on the device\n",
                     o.in.c_str(), n.c_str(), flat.opaqueKeyPixels == 1 ? " has" : "s have",
                     RgbText(*flatten.key).c_str());
    }
    return kExitOk;
}

} // namespace

Command AddConvertCommand(CLI::App& app) {
    auto o = std::make_shared<ConvertOptions>();
    CLI::App* cmd = app.add_subcommand(
        "convert", "Convert a PNG, JPEG or BMP picture to a .bmp file that skins can use");
    cmd->add_option("IN", o->in, "Picture: PNG, JPEG or BMP of any header (required)")
        ->type_name("");
    AddOutputOption(cmd, o->out, "OUT.bmp",
                    "Output bitmap, written whole or not at all; - for standard output");
    cmd->add_option("--bits", o->bits,
                    "24: 24 bits (the default); 8: 8 bits with an exact palette of the "
                    "picture's colours, at most 256; rle8: that palette, run-length encoded")
        ->check(
            Expecting("24, 8 or rle8", [](std::string_view t) { return ParseBits(t).has_value(); }))
        ->type_name("24|8|rle8");
    const auto rgb = Expecting("R,G,B, three numbers from 0 to 255",
                               [](std::string_view t) { return ParseRgb(t).has_value(); });
    cmd->add_option("--key", o->key,
                    "Pixels with alpha below 128 become this colour, for the skin's "
                    "transp_color; the others are composited over the background")
        ->check(rgb)
        ->type_name("R,G,B");
    cmd->add_option("--background", o->background,
                    "Colour that pixels with alpha are composited over, "
                    "c = (c*a + bg*(255-a) + 127) / 255; default: 255,255,255")
        ->check(rgb)
        ->type_name("R,G,B");
    cmd->footer(
        "The output has a 40-byte header and no colour-space information, rows bottom-up. PNG "
        "of every colour type and bit depth is read with its transparency (16-bit channels keep "
        "their top 8 bits); BMP with 12- to 124-byte headers, bit fields and alpha in 32 bits. "
        "Without --key every pixel is composited. With --key, opaque pixels that already have "
        "the key colour would vanish on the device: their number is told on stderr.\n"
        "Exit status: 0 written, 1 the input cannot be read or has more than 256 colours for "
        "--bits 8 or rle8, or the output cannot be written (nothing is written then), 2 usage "
        "error.");
    return {cmd, [o] { return RunConvert(*o); }};
}

} // namespace pindrel::cli
