#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "render/ft_handles.h"

namespace pindrel {

// Where the font files that stand in for the platform's own faces (Tahoma among them) are
// installed by Debian's fonts-wine package.
inline constexpr const char* kWineFontDir = "/usr/share/wine/fonts";
// The family taken when neither the requested face nor fontconfig's substitutes exist.
inline constexpr const char* kFallbackFamily = "DejaVu Sans";

// The Debian package that installs a face, for the faces skins commonly name; empty when unknown.
// Faces compare without case, as fontconfig compares families.
std::string_view FontPackageForFace(std::string_view face);

// A font file chosen for a request.
struct FaceMatch {
    std::string path;
    int index = 0;
    std::string family;
    bool familyFound = false; // the requested family is one of the file's family names
    bool bold = false;        // the file's own weight is bold or heavier
    bool italic = false;      // the file's own slant is italic or oblique
};

// The process's FreeType library and a private fontconfig configuration: the system's fonts and
// rules without the user's own, plus the fonts-wine folder when it exists, so that the same skin
// gives the same pixels for every user.
class FontEngine {
public:
    // The engine, made on first use; null when FreeType or fontconfig cannot start. Fonts keep
    // their engine alive, so faces never outlive the library.
    static std::shared_ptr<FontEngine> Get();

    FontEngine(FtLibraryPtr library, FcConfigPtr config);

    // The best file for a family (UTF-8), weight (100..1000, 400 regular) and slant.
    std::optional<FaceMatch> Match(std::string_view family, int weight, bool italic);

    FT_Library Library() const { return library_.get(); }
    // Guards face creation and destruction, which touch the library's shared lists.
    std::mutex& FaceMutex() { return faceMutex_; }

private:
    std::mutex faceMutex_;
    std::mutex matchMutex_;
    FtLibraryPtr library_;
    FcConfigPtr config_;
};

} // namespace pindrel
