#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/color.h"
#include "render/dib_image.h"
#include "render/geometry.h"
#include "skin/call_type.h"
#include "skin/font_spec.h"
#include "skin/skin_load.h"

namespace pindrel {

class SkinIniFile;

// Where a value the loader read stands in the skin file.
struct KeySource {
    std::string key;
    int32_t line = 0;
    size_t begin = 0; // the value's bytes in the file
    size_t end = 0;
};

// Something placed on the screen, with one rectangle per orientation. Also the skin's photo
// rectangle.
class SkinElement {
public:
    SkinElement() = default;
    // Moves that cannot throw, so that growing a list of elements moves them instead of copying.
    SkinElement(const SkinElement&) = default;
    SkinElement(SkinElement&&) noexcept = default;
    SkinElement& operator=(const SkinElement&) = default;
    SkinElement& operator=(SkinElement&&) noexcept = default;
    virtual ~SkinElement() = default;
    // rects[orientation] = (x, y, x + width, y + height); orientation outside 0..2 is ignored.
    virtual void SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t width,
                              int32_t height);
    void ResetPlacement();

    std::array<Rect, kOrientationCount> rects{};
    // The line of its section's header in the skin file, for tools; 0 when there is none.
    int32_t line = 0;
    // Its section's index among the file's sections, for tools; -1 when there is none.
    int32_t section = -1;
    // For each orientation, the orientation whose position key placed it; -1 when none did
    // (an image keeps its natural place, a label is not drawn there).
    std::array<int32_t, kOrientationCount> placedBy{-1, -1, -1};
    // The keys its reader found in its section, in the order it read them.
    std::vector<KeySource> keys;

    // The source of a key its reader found; null when the section had none.
    const KeySource* FindKey(std::string_view key) const;
    // Forgets where it came from: no section, no keys.
    void ForgetSource();
};

class SkinImage : public SkinElement {
public:
    // A width or height of 0 becomes the picture's own.
    void SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t width,
                      int32_t height) override;
    // Decodes the file; on failure nothing is stored, and failed, when given, learns why.
    bool LoadBitmap(std::string_view path, const LoadContext& context = {},
                    BmpResult* failed = nullptr);
    void Unload();

    int32_t width = 0;
    int32_t height = 0;
    bool loaded = false;
    int32_t type = 255;
    int32_t border = 0;
    bool hasTransparentColor = false;
    Color transparentColor;
    std::optional<DibImage> bitmap;
    std::string file; // the name as the skin gives it, for tools
    // Bytes the last LoadBitmap went through: the file read and the picture made.
    uint64_t loadBytes = 0;
};

class SkinButton : public SkinElement {
public:
    // A width or height of 0 becomes the up picture's own.
    void SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t width,
                      int32_t height) override;
    // Decodes both pictures; true only when both decode, otherwise the button holds neither.
    // failed, when given, learns which did not (up, down) and why.
    bool LoadBitmaps(std::string_view upPath, std::string_view downPath,
                     const LoadContext& context = {}, std::array<BmpResult, 2>* failed = nullptr);
    void Unload();

    int32_t id = -1;
    std::optional<DibImage> upBitmap;
    std::optional<DibImage> downBitmap;
    int32_t width = 0;
    int32_t height = 0;
    bool pressed = false;
    bool loaded = false;
    bool firesOnPress = false;
    int32_t type = 255;
    bool tracking = false;
    bool hasTransparentColor = false;
    Color transparentColor;
    std::string fileUp; // the names as the skin gives them, for tools
    std::string fileDown;
    // Bytes the last LoadBitmaps went through: the files read and the pictures made.
    uint64_t loadBytes = 0;
};

class SkinLabel : public SkinElement {
public:
    void AddField(int32_t id, const FontSpec& font);
    // Empties both lists and the rectangles.
    void Empty();

    std::vector<int32_t> fieldIds;
    std::vector<FontSpec> fonts; // parallel to fieldIds
    int32_t vertAlign = 0;       // 0 top, 1 bottom, 2 centre, other top
    int32_t horAlign = 0;        // 0 left, 1 right, 2 centre, other left
    int32_t type = 255;
};

// Reads the three orientations' position and size keys of section s into one rectangle that is
// never reset, so an orientation whose position key is missing or unusable takes the rectangle
// of the one before it; for Portrait (0, 0, 0, 0), which images and buttons turn into their
// natural size.
void ReadCarriedPlacement(const SkinIniFile& file, int32_t s, SkinElement& element);

// Section readers: fill an element from section s (-1: no section) and tell whether it is usable.
// Each notes the element's section, header line and the keys it finds; the context's report
// hears why an element is not usable. kind names the section the image reader reads.
bool ReadImageSection(const SkinIniFile& file, int32_t s, SkinImage& image,
                      std::string_view defaultFileName, const LoadContext& context = {},
                      SectionKind kind = SectionKind::Image);
bool ReadButtonSection(const SkinIniFile& file, int32_t s, SkinButton& button,
                       const LoadContext& context = {});
bool ReadLabelSection(const SkinIniFile& file, int32_t s, SkinLabel& label,
                      const LoadContext& context = {});

} // namespace pindrel
