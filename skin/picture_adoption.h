#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "render/color.h"

namespace pindrel {

// A picture file an author chose for a skin, and how it joins the skin's folder, where skins
// find their pictures.
struct PictureAdoption {
    std::string source;    // the file chosen
    std::string name;      // the name the skin gives it: a file in the skin's folder
    bool convert = false;  // a PNG, a JPEG or a bitmap skins cannot read: written as a bitmap
    bool copy = false;     // a bitmap skins can read, from another folder: copied in
    bool replaces = false; // another file already has the name in the skin's folder
    std::string problem;   // why it cannot be used at all; empty when it can
};

// Decides what happens to source for a skin in folder. A bitmap skins read, already in the
// folder, is named as it is; any other picture goes in under its own name, a converted one with
// ".bmp" for its extension.
PictureAdoption PlanPictureAdoption(std::string_view source, std::string_view folder);

// Copies or converts the picture into the folder, atomically; nothing to do for a bitmap already
// there. A conversion keys transparent pixels out in key when given (else blends them over
// white), and writes an 8-bit palette for 256 colours or fewer, else 24 bits. False, with the
// reason in *error, when it cannot.
bool AdoptPicture(const PictureAdoption& plan, std::string_view folder, std::optional<Color> key,
                  std::string* error);

} // namespace pindrel
