#include "render/font_engine.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pindrel {

std::string_view FontPackageForFace(std::string_view face) {
    struct Provider {
        std::string_view face;
        std::string_view package;
    };
    static constexpr Provider kProviders[] = {
        {"Tahoma", "fonts-wine"},
        {"MS Sans Serif", "fonts-wine"},
        {"System", "fonts-wine"},
        {"Small Fonts", "fonts-wine"},
        {"Marlett", "fonts-wine"},
        {"Symbol", "fonts-wine"},
        {"Wingdings", "fonts-wine"},
        {"Webdings", "fonts-wine"},
        {"Fixedsys", "fonts-wine"},
        {"DejaVu Sans", "fonts-dejavu-core"},
        {"DejaVu Sans Mono", "fonts-dejavu-core"},
        {"DejaVu Serif", "fonts-dejavu-core"},
        {"Liberation Sans", "fonts-liberation2"},
        {"Liberation Serif", "fonts-liberation2"},
        {"Liberation Mono", "fonts-liberation2"},
        {"Arial", "ttf-mscorefonts-installer"},
        {"Arial Black", "ttf-mscorefonts-installer"},
        {"Comic Sans MS", "ttf-mscorefonts-installer"},
        {"Courier New", "ttf-mscorefonts-installer"},
        {"Georgia", "ttf-mscorefonts-installer"},
        {"Impact", "ttf-mscorefonts-installer"},
        {"Times New Roman", "ttf-mscorefonts-installer"},
        {"Trebuchet MS", "ttf-mscorefonts-installer"},
        {"Verdana", "ttf-mscorefonts-installer"},
    };
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (const Provider& p : kProviders) {
        if (p.face.size() == face.size() &&
            std::equal(face.begin(), face.end(), p.face.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return p.package;
    }
    return {};
}

namespace {

// Bitmap-only fonts cannot be drawn at arbitrary sizes; keep them out of matching altogether.
constexpr const char* kRules = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <selectfont><rejectfont>
    <pattern><patelt name="scalable"><bool>false</bool></patelt></pattern>
  </rejectfont></selectfont>
</fontconfig>
)";

// Only used when the system has no fontconfig configuration at all.
constexpr const char* kBareConfig = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
</fontconfig>
)";

const FcChar8* Fc(const char* s) {
    return reinterpret_cast<const FcChar8*>(s);
}

FcConfigPtr MakeConfig() {
    FcConfigPtr config(FcConfigCreate());
    if (!config) return nullptr;
    // The system configuration includes the user's files through the home folder; turn home
    // lookups off while it is read. The switch is process-wide, so it is put back at once.
    const FcBool homeWas = FcConfigEnableHome(FcFalse);
    const bool parsed = FcConfigParseAndLoad(config.get(), nullptr, FcFalse);
    FcConfigEnableHome(homeWas);
    if (!parsed && !FcConfigParseAndLoadFromMemory(config.get(), Fc(kBareConfig), FcFalse))
        return nullptr;
    FcConfigParseAndLoadFromMemory(config.get(), Fc(kRules), FcFalse);
    if (!FcConfigBuildFonts(config.get())) return nullptr;
    std::error_code ec;
    if (std::filesystem::is_directory(kWineFontDir, ec))
        FcConfigAppFontAddDir(config.get(), Fc(kWineFontDir));
    return config;
}

// Family names compare as fontconfig compares them: ignoring blanks and ASCII case.
bool SameFamily(std::string_view a, std::string_view b) {
    const auto next = [](std::string_view s, size_t& i) {
        while (i < s.size() && s[i] == ' ')
            ++i;
        if (i == s.size()) return -1;
        const auto c = static_cast<unsigned char>(s[i++]);
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : static_cast<int>(c);
    };
    size_t i = 0, j = 0;
    for (;;) {
        const int ca = next(a, i);
        const int cb = next(b, j);
        if (ca != cb) return false;
        if (ca < 0) return true;
    }
}

} // namespace

std::shared_ptr<FontEngine> FontEngine::Get() {
    static const std::shared_ptr<FontEngine> engine = []() -> std::shared_ptr<FontEngine> {
        FT_Library raw = nullptr;
        if (FT_Init_FreeType(&raw) != 0) return nullptr;
        FtLibraryPtr library(raw);
        FcConfigPtr config = MakeConfig();
        if (!config) return nullptr;
        return std::make_shared<FontEngine>(std::move(library), std::move(config));
    }();
    return engine;
}

FontEngine::FontEngine(FtLibraryPtr library, FcConfigPtr config)
    : library_(std::move(library)), config_(std::move(config)) {}

std::optional<FaceMatch> FontEngine::Match(std::string_view family, int weight, bool italic) {
    FcPatternPtr pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    const std::string familyZ(family);
    if (!familyZ.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, Fc(familyZ.c_str()));
    // Behind the requested family and the aliases the rules add right after it, but ahead of
    // the generic families the rules append at the end.
    FcPatternAddString(pattern.get(), FC_FAMILY, Fc(kFallbackFamily));
    const int fcWeight = FcWeightFromOpenType(std::clamp(weight, 1, 1000));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, fcWeight);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);

    std::lock_guard lock(matchMutex_);
    if (!FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern)) return std::nullopt;
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    FcPatternPtr found(FcFontMatch(config_.get(), pattern.get(), &result));
    if (!found || result != FcResultMatch) return std::nullopt;

    FaceMatch match;
    FcChar8* file = nullptr;
    if (FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
    match.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(found.get(), FC_INDEX, 0, &match.index);
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(found.get(), FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (i == 0) match.family = reinterpret_cast<const char*>(name);
        if (!family.empty() && SameFamily(reinterpret_cast<const char*>(name), family))
            match.familyFound = true;
    }
    int foundWeight = FC_WEIGHT_REGULAR;
    int foundSlant = FC_SLANT_ROMAN;
    FcPatternGetInteger(found.get(), FC_WEIGHT, 0, &foundWeight);
    FcPatternGetInteger(found.get(), FC_SLANT, 0, &foundSlant);
    // The system's rules may already have marked a regular file for synthetic bold or slant and
    // changed its weight or slant to match the request; what counts is the file's own style.
    FcBool embolden = FcFalse;
    FcPatternGetBool(found.get(), FC_EMBOLDEN, 0, &embolden);
    FcMatrix* matrix = nullptr;
    const bool slanted = FcPatternGetMatrix(found.get(), FC_MATRIX, 0, &matrix) == FcResultMatch &&
                         matrix && matrix->xy != 0;
    match.bold = foundWeight >= FC_WEIGHT_DEMIBOLD && !embolden;
    match.italic = foundSlant != FC_SLANT_ROMAN && !slanted;
    return match;
}

} // namespace pindrel
