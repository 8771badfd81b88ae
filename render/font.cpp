#include "render/font.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "render/font_engine.h"
#include "render/ft_handles.h"
#include "render/text_decode.h"

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace pindrel {

// The face stays with its engine, so FreeType's library is released only after the last face.
struct FontFace {
    std::shared_ptr<FontEngine> engine;
    FtFacePtr face;
    FT_Pos boldStrength = 0; // 26.6 pixels added to the width of each glyph
    bool oblique = false;

    FontFace(std::shared_ptr<FontEngine> e, FtFacePtr f)
        : engine(std::move(e)), face(std::move(f)) {}
    ~FontFace() {
        std::lock_guard lock(engine->FaceMutex());
        face.reset();
    }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
};

namespace {

// Rasterised glyphs of one font are dropped together once they hold this many bytes, so a huge
// font with many different characters cannot grow without bound.
constexpr size_t kGlyphCacheBytes = size_t{16} << 20;
// Larger glyph bitmaps are not rendered; a glyph of the largest em size with synthetic styles
// stays well within it.
constexpr int64_t kMaxGlyphSide = 8 * int64_t{kMaxFontPixels};
// About 12 degrees, the usual slant of an oblique face.
constexpr FT_Fixed kObliqueShear = 0x0366A;

// Design metrics in font units: the face's cell (the OS/2 Windows ascent and descent where the
// file has them, as the platform's fonts use) and its em.
struct DesignCell {
    int64_t unitsPerEm = 0;
    int64_t ascent = 0;
    int64_t descent = 0;
};

DesignCell ReadDesignCell(FT_Face face) {
    DesignCell cell{face->units_per_EM, face->ascender, -int64_t{face->descender}};
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        cell.ascent = os2->usWinAscent;
        cell.descent = os2->usWinDescent;
    }
    if (cell.ascent + cell.descent <= 0) {
        cell.ascent = face->bbox.yMax;
        cell.descent = -int64_t{face->bbox.yMin};
    }
    if (cell.ascent + cell.descent <= 0 || cell.unitsPerEm <= 0) cell = {1000, 800, 200};
    return cell;
}

int64_t ScaleRounded(int64_t units, int64_t pixels, int64_t unitsPerEm) {
    const int64_t p = units * pixels;
    return p >= 0 ? (2 * p + unitsPerEm) / (2 * unitsPerEm)
                  : -((-2 * p + unitsPerEm) / (2 * unitsPerEm));
}

// The em size in pixels for a request's height, clamped to the supported range.
int32_t PixelSizeFor(int32_t height, const DesignCell& cell) {
    int64_t em = kDefaultFontPixels;
    if (height < 0) {
        em = -int64_t{height};
    } else if (height > 0) {
        const int64_t cellUnits = cell.ascent + cell.descent;
        em = (2 * int64_t{height} * cell.unitsPerEm + cellUnits) / (2 * cellUnits);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(em, kMinFontPixels, kMaxFontPixels));
}

Font::Metrics MetricsFor(const DesignCell& cell, int32_t em, FT_Face face) {
    Font::Metrics m;
    m.pixelSize = em;
    m.ascent = static_cast<int32_t>(ScaleRounded(cell.ascent, em, cell.unitsPerEm));
    m.descent = static_cast<int32_t>(ScaleRounded(cell.descent, em, cell.unitsPerEm));
    if (m.ascent + m.descent <= 0) m.ascent = std::max(1, m.descent + 1);
    if (face) {
        const FT_BBox& box = face->bbox;
        const auto px = [&](int64_t units) { return ScaleRounded(units, em, cell.unitsPerEm); };
        m.inkAbove =
            static_cast<int32_t>(std::clamp<int64_t>(px(box.yMax) - m.ascent + 1, 0, 4 * em));
        m.inkBelow =
            static_cast<int32_t>(std::clamp<int64_t>(px(-box.yMin) - m.descent + 1, 0, 4 * em));
        m.inkLeft = static_cast<int32_t>(std::clamp<int64_t>(px(-box.xMin) + 1, 0, 4 * em));
    } else {
        m.inkAbove = m.inkBelow = m.inkLeft = em;
    }
    return m;
}

std::string CutFaceName(const std::string& face) {
    std::string_view name(face);
    name = name.substr(0, name.find('\0'));
    name = name.substr(0, kMaxFaceNameBytes);
    return ToWellFormedUtf8(name);
}

// Copies FreeType's rendered bitmap into a glyph, 8 bits of coverage per pixel.
void CopyBitmap(const FT_Bitmap& bitmap, Glyph& g) {
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
    g.width = static_cast<int32_t>(bitmap.width);
    g.height = static_cast<int32_t>(bitmap.rows);
    g.coverage.assign(static_cast<size_t>(g.width) * static_cast<size_t>(g.height), 0);
    const int maxGray = std::max(1, static_cast<int>(bitmap.num_grays) - 1);
    for (int32_t y = 0; y < g.height; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* dst = g.coverage.data() + static_cast<size_t>(y) * static_cast<size_t>(g.width);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int32_t x = 0; x < g.width; ++x)
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (maxGray == 255) {
            std::memcpy(dst, src, static_cast<size_t>(g.width));
        } else {
            for (int32_t x = 0; x < g.width; ++x)
                dst[x] = static_cast<uint8_t>(std::min(255, src[x] * 255 / maxGray));
        }
    }
}

} // namespace

Font::Font(std::unique_ptr<FontFace> face, const Metrics& metrics, Identity identity)
    : face_(std::move(face)), metrics_(metrics), identity_(std::move(identity)) {}

Font::~Font() = default;

const Glyph& Font::GetGlyph(char32_t c) {
    if (c < latin_.size()) {
        if (const Glyph* g = latin_[c]) return *g;
    } else if (auto it = glyphs_.find(c); it != glyphs_.end()) {
        return it->second;
    }
    Glyph glyph = Rasterise(c);
    const size_t cost = glyph.coverage.size() + sizeof(Glyph);
    if (cachedBytes_ + cost > kGlyphCacheBytes) {
        glyphs_.clear();
        latin_.fill(nullptr);
        cachedBytes_ = 0;
    }
    cachedBytes_ += cost;
    const Glyph& stored = glyphs_.insert_or_assign(c, std::move(glyph)).first->second;
    if (c < latin_.size()) latin_[c] = &stored;
    return stored;
}

Glyph Font::Rasterise(char32_t c) const {
    Glyph g;
    if (!face_) {
        g.advance = (metrics_.pixelSize + 1) / 2;
        return g;
    }
    FT_Face face = face_->face.get();
    FT_UInt index = FT_Get_Char_Index(face, c);
    // Symbol fonts list their characters at U+F000 + code.
    if (index == 0 && c < 0x100 && face->charmap &&
        face->charmap->encoding == FT_ENCODING_MS_SYMBOL)
        index = FT_Get_Char_Index(face, 0xF000 + c);
    const FT_Int32 flags =
        FT_IS_SCALABLE(face) ? FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT : FT_LOAD_DEFAULT;
    if (FT_Load_Glyph(face, index, flags) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (face_->boldStrength > 0) {
            FT_Outline_EmboldenXY(&slot->outline, face_->boldStrength, 0);
            advance += face_->boldStrength;
        }
        if (face_->oblique) {
            const FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    g.advance = static_cast<int32_t>(std::clamp<FT_Pos>((advance + 32) >> 6, 0, kMaxGlyphSide));
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        if ((int64_t{box.xMax} - box.xMin) / 64 > kMaxGlyphSide ||
            (int64_t{box.yMax} - box.yMin) / 64 > kMaxGlyphSide)
            return g;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    CopyBitmap(slot->bitmap, g);
    return g;
}

std::unique_ptr<Font> CreateFont(const FontRequest& request) {
    Font::Identity identity;
    identity.requestedFamily = CutFaceName(request.face);
    const bool wantBold = request.weight >= 600;

    const auto fallback = [&]() {
        const DesignCell cell{1000, 800, 200};
        const int32_t em = PixelSizeFor(request.height, cell);
        identity.substituted = !identity.requestedFamily.empty();
        return std::make_unique<Font>(nullptr, MetricsFor(cell, em, nullptr), identity);
    };

    std::shared_ptr<FontEngine> engine = FontEngine::Get();
    if (!engine) return fallback();
    const std::optional<FaceMatch> match =
        engine->Match(identity.requestedFamily, request.weight, request.italic);
    if (!match) return fallback();

    FtFacePtr ftFace;
    {
        std::lock_guard lock(engine->FaceMutex());
        FT_Face raw = nullptr;
        if (FT_New_Face(engine->Library(), match->path.c_str(), match->index, &raw) != 0)
            return fallback();
        ftFace.reset(raw);
    }
    FT_Face face = ftFace.get();
    const DesignCell cell = ReadDesignCell(face);
    const int32_t em = PixelSizeFor(request.height, cell);
    if (FT_IS_SCALABLE(face)) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em)) != 0) return fallback();
    } else if (face->num_fixed_sizes > 0) {
        // A bitmap font (only when the system's rules let one through): its nearest strike.
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i) {
            if (std::abs(face->available_sizes[i].height - em) <
                std::abs(face->available_sizes[best].height - em))
                best = i;
        }
        if (FT_Select_Size(face, best) != 0) return fallback();
    } else {
        return fallback();
    }

    Font::Metrics metrics = MetricsFor(cell, em, face);
    if (!FT_IS_SCALABLE(face)) {
        metrics.ascent = static_cast<int32_t>(face->size->metrics.ascender >> 6);
        metrics.descent = static_cast<int32_t>(-face->size->metrics.descender >> 6);
        if (metrics.ascent + metrics.descent <= 0) metrics.ascent = std::max(1, em);
    }

    identity.family = match->family;
    identity.path = match->path;
    identity.substituted = !identity.requestedFamily.empty() && !match->familyFound;
    const bool scalable = FT_IS_SCALABLE(face);
    identity.syntheticBold = scalable && wantBold && !match->bold;
    identity.syntheticItalic = scalable && request.italic && !match->italic;

    auto fontFace = std::make_unique<FontFace>(std::move(engine), std::move(ftFace));
    // The platform thickens a synthetic bold by about one pixel, more on larger sizes.
    if (identity.syntheticBold) fontFace->boldStrength = std::max<FT_Pos>(64, FT_Pos{em} * 64 / 24);
    fontFace->oblique = identity.syntheticItalic;
    return std::make_unique<Font>(std::move(fontFace), metrics, std::move(identity));
}

} // namespace pindrel
