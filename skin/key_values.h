#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/color.h"
#include "skin/font_spec.h"

namespace pindrel {

class SkinIniFile;

// A key of one section set to a value, or removed when there is none.
struct KeyChange {
    std::string key;
    std::optional<std::string> value;
    friend bool operator==(const KeyChange&, const KeyChange&) = default;
};

// Values as a skin writes them: "R,G,B", "X,Y" or "W,H", and "SIZE,FACE,BOLD,ITALIC" (a face
// cannot hold a comma, nor begin or end with white space: those are dropped).
std::string ColorValue(Color color);
std::string PairValue(int32_t a, int32_t b);
std::string FontValue(const FontSpec& font);

// The changes that make the "fields" list of label section s read names, each name keeping the
// font and colour it had: from[i] is the 1-based place names[i] had, 0 for a name that is new
// (it gets no font or colour, so it takes the defaults). The numbered keys of every place whose
// key would change are rewritten or removed; those that stay are left alone.
std::vector<KeyChange> LabelFieldChanges(const SkinIniFile& file, int32_t s,
                                         const std::vector<std::string>& names,
                                         const std::vector<size_t>& from);

} // namespace pindrel
