#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace pindrel {

// What a label asks of a font, in the platform's terms: height < 0 asks for a character (em)
// height of -height pixels, height > 0 for a cell height (ascent + descent), 0 for a default.
struct FontRequest {
    std::string face;
    int32_t height = 0;
    int32_t weight = 400; // 700 for bold
    bool italic = false;
    friend bool operator==(const FontRequest&, const FontRequest&) = default;
};

// Em sizes are kept within this range of pixels; requests outside it get the nearest size in it.
inline constexpr int32_t kMinFontPixels = 1;
inline constexpr int32_t kMaxFontPixels = 1024;
// The em size of a request with height 0.
inline constexpr int32_t kDefaultFontPixels = 12;
// Face names are cut to this many bytes, the size of the platform's face name field.
inline constexpr size_t kMaxFaceNameBytes = 31;

// One rasterised character: 8-bit coverage, rows top first, placed relative to the pen position
// on the baseline.
struct Glyph {
    int32_t advance = 0; // pixels to the next pen position
    int32_t left = 0;    // bitmap's left edge, right of the pen
    int32_t top = 0;     // bitmap's top edge, above the baseline
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage; // width x height
};

struct FontFace; // the FreeType face behind a font

// A font at one pixel size, with a cache of its rasterised glyphs. Not copyable; use from one
// thread at a time.
class Font {
public:
    struct Metrics {
        int32_t pixelSize = kDefaultFontPixels; // em
        int32_t ascent = 0;
        int32_t descent = 0;
        // How far glyph ink may reach beyond the cell and left of the pen, for culling.
        int32_t inkAbove = 0;
        int32_t inkBelow = 0;
        int32_t inkLeft = 0;
    };
    struct Identity {
        std::string requestedFamily; // the face asked for, cut and made well-formed UTF-8
        std::string family;          // the family that was found
        std::string path;            // its file; empty when no font file could be opened
        bool substituted = false;    // the requested family is not the one found
        bool syntheticBold = false;
        bool syntheticItalic = false;
    };

    Font(std::unique_ptr<FontFace> face, const Metrics& metrics, Identity identity);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int32_t Ascent() const { return metrics_.ascent; }
    int32_t Descent() const { return metrics_.descent; }
    // The cell height, ascent + descent: one line of text, without leading.
    int32_t Height() const { return metrics_.ascent + metrics_.descent; }
    int32_t PixelSize() const { return metrics_.pixelSize; }
    const Metrics& GetMetrics() const { return metrics_; }

    const std::string& RequestedFamily() const { return identity_.requestedFamily; }
    const std::string& Family() const { return identity_.family; }
    const std::string& Path() const { return identity_.path; }
    bool IsSubstituted() const { return identity_.substituted; }
    bool IsSyntheticBold() const { return identity_.syntheticBold; }
    bool IsSyntheticItalic() const { return identity_.syntheticItalic; }

    // The glyph of a character, rasterised on first use. The reference stays valid until the
    // next call.
    const Glyph& GetGlyph(char32_t c);

private:
    Glyph Rasterise(char32_t c) const;

    std::unique_ptr<FontFace> face_;
    Metrics metrics_;
    Identity identity_;
    std::unordered_map<char32_t, Glyph> glyphs_;
    std::array<const Glyph*, 256> latin_{}; // fast path into glyphs_
    size_t cachedBytes_ = 0;
};

// Finds the face through fontconfig (substituting a similar one when the face is missing) and
// makes the font. Never null: without any usable font file the font has cell metrics for its
// size and draws no ink.
std::unique_ptr<Font> CreateFont(const FontRequest& request);

} // namespace pindrel
