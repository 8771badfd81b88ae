#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/mockup_import.h"

namespace pindrel {

// What adding a mock-up's orientation to a skin does.
struct MockupMerge {
    bool ok = false;
    std::string error;                 // why not, when not ok
    std::vector<uint8_t> bytes;        // the edited skin file
    std::vector<std::string> lines;    // one per element: ElementLine, then what became of it
    std::vector<MockupBitmap> bitmaps; // the pictures of the new elements only
    std::vector<std::string> warnings;
};

// Adds the plan's orientation to the skin file of these bytes, whose pictures lie in folder.
// An element whose picture's name (an image's file, a button's up file), fields (a label) or
// kind (the photo) matches one of the skin's loaded elements moves that element in the plan's
// orientation only, through the editing engine: every other byte stays. The others are added as
// new sections at the end, with that orientation's keys alone, and pictures named so that no
// name is one the skin uses or taken says is there. The mock-up's background becomes a
// full-screen image, as the skin's one background picture serves every orientation.
MockupMerge MergeMockup(std::span<const uint8_t> bytes, std::string_view folder, MockupPlan& plan,
                        const std::function<bool(const std::string&)>& taken);

} // namespace pindrel
