#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/snapshot_file.h"
#include "render/canvas.h"
#include "render/picture_diff.h"
#include "skin/screens.h"

namespace pindrel::cli {

// A font file that one side of a comparison used and the other did not, or used in another
// version.
struct FontChange {
    enum class Kind { OnlyExpected, OnlyActual, Changed };
    std::string file;
    Kind kind = Kind::Changed;
};

// One screen, as expected and as drawn now.
struct ScreenComparison {
    Screen screen;
    std::optional<Canvas> expected; // nothing when its picture could not be read
    std::string expectedProblem;    // why, then
    Canvas actual;
    PictureDiff diff;
};

// Two sets of the same screens side by side.
struct Comparison {
    std::string expectedName; // what the expected side is called in messages: "the snapshot"
    std::string actualName;   // and the actual side: "now"
    int32_t tolerance = 0;
    std::vector<FontChange> fonts;
    std::vector<ScreenComparison> screens; // parallel to kAllScreens

    // Something differs: a font, a screen, or a picture that could not be read.
    bool Differs() const;
};

// Font files by path and SHA-256; changes in path order.
std::vector<FontChange> CompareFonts(const std::vector<FileDigest>& expected,
                                     const std::vector<FileDigest>& actual);

// Fills diff from the pictures.
void CompareScreen(ScreenComparison& screen, int32_t tolerance);

// "X,Y,W,H" of a rectangle.
std::string BoxText(const Rect& box);
// What a screen's comparison found, without its name: "1234 pixels differ in X,Y,W,H"
// (with both sizes when they differ), "no picture: REASON", or "same".
std::string ScreenSummary(const ScreenComparison& screen);

// The lines a comparison prints: the font changes first, then one line per screen that
// differs ("SCREEN: SUMMARY"). Empty when nothing differs.
std::string FormatComparison(const Comparison& comparison);

// Writes SCREEN-diff.png into dir (made when missing) for every screen that differs: the
// expected screen greyed with the changed pixels in a loud colour. False, with a message, when
// a file cannot be written.
bool WriteDiffPictures(const Comparison& comparison, const std::string& dir);

// Makes the folder with its parents; false, with a message naming it, when that fails.
bool MakeFolder(const std::string& dir);

} // namespace pindrel::cli
