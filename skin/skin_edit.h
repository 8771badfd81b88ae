#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ini/skin_ini_file.h"
#include "render/geometry.h"
#include "skin/skin_format.h"

namespace pindrel {

class Skin;

// The editing engine: operations that turn a skin file's bytes into new bytes. Each one takes
// the file as read (its bytes and their parse) and gives the new bytes with their parse, so that
// nobody parses them again. Sections are addressed by their index in the file, so a section
// that did not load can be edited as well as one that did. Every byte that an operation does not
// need to change stays: comments, blank lines, order, line ends of every kind, bytes of 0x80 and
// above, other sections, case variants of keys.

struct EditResult {
    bool ok = false;
    std::string error;    // why not, when not ok
    bool changed = false; // the bytes differ from the ones edited
    SkinIniFile file;     // the new bytes and their parse, when ok
};

// A key and its value, as an entry of a section.
struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// Gives key a value in section s. The first entry of exactly that key gets the value (the text
// after its "=", trimmed, is replaced; all else on the line stays); without one, a line
// KEY=VALUE goes after the section's last entry line (after its header when it has none).
// value is trimmed; it must not be empty or hold a line break, and key must be a key that the
// file would read back as written.
EditResult SetKey(const SkinIniFile& file, int32_t section, std::string_view key,
                  std::string_view value);
// SetKey in the section of a single kind that counts, the first of its name; the section is
// appended at the end of the file when there is none.
EditResult SetSingleKey(const SkinIniFile& file, SectionKind kind, std::string_view key,
                        std::string_view value);
// Removes every entry of exactly that key from section s, each with its line break.
EditResult RemoveKey(const SkinIniFile& file, int32_t section, std::string_view key);

// Appends a section of an element kind with these entries at the end of the file: it loads as
// the last element of its kind.
EditResult AddSection(const SkinIniFile& file, SectionKind kind, std::span<const KeyValue> entries);
// Removes section s with the comment lines directly above its header and the blank lines after
// it; the lines after its last entry that are neither stay. For a single kind every section of
// that name goes, so the skin no longer has it.
EditResult RemoveSection(const SkinIniFile& file, int32_t section);
// Inserts a copy of element section s (its header, entries, the lines between them and the blank
// lines after them) right after it: the copy loads as the next element of its kind.
EditResult DuplicateSection(const SkinIniFile& file, int32_t section);
// Moves element section s, as RemoveSection takes it, among the sections of its kind so that it
// loads as element `to` of its kind, moving as little as it can: right after the element that
// is to lie below it when it moves up the stack, right before the one that is to lie above it
// when it moves down; where it lies between them already, nothing changes. `loaded` is the skin
// as loaded from exactly these bytes.
EditResult RestackSection(const SkinIniFile& file, const Skin& loaded, int32_t section, size_t to);

// The loaded elements of a kind, counted as inspect and place count them.
size_t LoadedCount(const Skin& loaded, SectionKind kind);
// The section of loaded element `index` of an element kind; for a single kind, with index 0,
// the section of that name that counts. -1 when there is none.
int32_t LoadedSection(const Skin& loaded, const SkinIniFile& file, SectionKind kind, size_t index);

// The elements whose rectangles can be edited: a loaded image, button or label (by its index
// in the skin's list), or the photo rectangle.
enum class PlacedKind { Image, Button, Label, Photo };

struct PlacedElement {
    PlacedKind kind = PlacedKind::Image;
    size_t index = 0; // into images, buttons or labels; 0 for the photo
    friend bool operator==(const PlacedElement&, const PlacedElement&) = default;
};

// The kind of section an element of this kind is read from.
SectionKind SectionKindOf(PlacedKind kind);

// A new rectangle for one element in one orientation: position and size as the skin's pos and
// size keys give them. For images and buttons a width or height of 0 means the picture's own.
struct Placement {
    int32_t orientation = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
};

// Rewrites the file so that loading it gives `loaded` with exactly that element's rectangle in
// that orientation changed; every other element and orientation stays as it was (later
// orientations that took the edited one's rectangle get keys of their own). Only the values of
// the keys that count change, each as little as it must. A missing key is inserted as SetKey
// inserts it; a missing "Photo Rect" section is added at the end. A request equal to the
// current rectangle gives the same bytes. `loaded` is the skin as loaded from exactly these
// bytes; fails when the element is not one of its loaded elements.
EditResult PlaceElement(const SkinIniFile& file, const Skin& loaded, const PlacedElement& element,
                        const Placement& placement);

// Brings `loaded` to what loading PlaceElement's result (`edited`) gives for the element's
// rectangles, without loading it: the cheap way through the many steps of a drag. Only what the
// skin draws follows; where each value stands in the file (lines, sources) is that of the bytes
// before, until the skin is loaded again.
void FollowPlacement(Skin& loaded, const PlacedElement& element, const Placement& placement,
                     const SkinIniFile& edited);

// The element's rectangle in an orientation, as Placement (x, y, width, height); nothing when
// the skin has no such element.
std::optional<Placement> CurrentPlacement(const Skin& loaded, const PlacedElement& element,
                                          int32_t orientation);

} // namespace pindrel
