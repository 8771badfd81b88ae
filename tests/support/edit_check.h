#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ini/skin_ini_file.h"
#include "skin/skin.h"
#include "skin/skin_edit.h"

namespace pindrel::test {

// The parse of a skin text, and the text of an edit's result, for tables of exact bytes.
inline SkinIniFile Parsed(std::string_view text) {
    SkinIniFile file;
    file.Parse(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    return file;
}
inline std::string TextOf(const EditResult& r) {
    const std::span<const uint8_t> b = r.file.Bytes();
    return {b.begin(), b.end()};
}

// One operation of the editing engine, drawn at random by the property test and the fuzz target.
struct EditOp {
    enum class Kind { Set, SetSingle, Unset, Add, Remove, Duplicate, Restack, Place };
    Kind kind = Kind::Set;
    int32_t section = -1;
    SectionKind sectionKind = SectionKind::Image;             // SetSingle, Add
    std::string key, value;                                   // Set, SetSingle, Unset
    std::vector<std::pair<std::string, std::string>> entries; // Add
    size_t to = 0;                                            // Restack
    PlacedElement element;                                    // Place
    Placement placement;
};

// An operation on `file` (which `loaded` was loaded from) chosen by four numbers, whatever
// their values: its kind, the section or element, a key of the skin format or of the section
// itself, and a value (sometimes the one the key holds).
EditOp ChooseEdit(const SkinIniFile& file, const Skin& loaded, std::span<const uint8_t, 4> choice);
EditResult ApplyEdit(const SkinIniFile& file, const Skin& loaded, const EditOp& op);
std::string Describe(const EditOp& op);

// What breaks the engine's promises for this edit; empty when nothing does.
// - The new parse is the old one with the edit made to its sections and entries.
// - The skin loaded from it (`after`) is `before` as the operation says: only the elements of
//   the touched section change; a removed element is gone, a copy follows its original, a moved
//   one is element `to` of its kind, an added one is the last of its kind.
// - Every line outside the touched section keeps its bytes and its line ending (a last line
//   without one may gain one); within a section whose key is set or removed, every other
//   non-blank line stays. Removed and moved sections take exactly the comment lines above their
//   header and the blank lines after their last entry.
std::string EditDifference(const SkinIniFile& fileBefore, const Skin& before,
                           const EditResult& result, const Skin& after, const EditOp& op);

} // namespace pindrel::test
