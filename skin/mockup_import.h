#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "render/color.h"
#include "render/dib_image.h"
#include "render/geometry.h"
#include "render/layered_image.h"
#include "skin/call_type.h"
#include "skin/skin_format.h"

namespace pindrel {

// Every call type: the mask of an element that names none.
inline constexpr int32_t kAllCallTypes = 255;
// The key colour pictures get unless it occurs among their own pixels.
inline constexpr Color kMockupKey = Color::FromRgb(255, 0, 255);
// Pictures are cut to the canvas, so this many elements and pictures are plenty.
inline constexpr size_t kMaxMockupElements = 1000;

// One element a mock-up becomes.
struct MockupElement {
    SectionKind kind = SectionKind::Image; // BackgroundImage, PhotoRect, Image, Button or Label
    std::string layer;                     // the layer's or group's name as the mock-up gives it
    // The file name's stem: the layer's name made safe, before a clash suffix; the file names
    // follow from it (stem.bmp, stem_up.bmp, stem_down.bmp). Empty for the photo and labels.
    std::string stem;
    std::string file;     // the picture's name (the up picture's for buttons); empty for none
    std::string fileDown; // buttons only
    Rect rect;            // on the screen
    int32_t type = kAllCallTypes;
    std::optional<int32_t> id;  // buttons: "id N" in the group's name
    std::optional<Color> key;   // the transparent colour, when a pixel is fully transparent
    std::optional<DibImage> up; // the picture (images, background) or the up picture
    std::optional<DibImage> down;
    std::vector<std::string> fields; // labels: caller field names, in order
    Color color;                     // labels: every field's colour
    int32_t fontSize = 0;            // labels: every field's size in points

    // What the element is, for lists: "background", "image", "button", "label" or "photo".
    std::string_view KindWord() const;
    // The name shown in lists: the picture's name, the fields of a label, or "photo".
    std::string Name() const;
};

// What became of one layer, for the list an author reviews before anything is written.
struct MockupLayerRow {
    std::string layer; // its name, with its groups' in front: "button ok / up"
    int32_t depth = 0; // how many groups it lies in
    std::string becomes;
};

struct MockupPlan {
    Orientation orientation = Portrait;
    Size canvas;
    // In the order the skin lists them: background, photo, images bottom first, buttons,
    // labels.
    std::vector<MockupElement> elements;
    std::vector<MockupLayerRow> layers;
    std::vector<std::string> warnings;
};

struct MockupPlanResult {
    std::optional<MockupPlan> plan;
    std::string error; // why the mock-up is refused
};

// Works out the skin a mock-up describes. The canvas gives the orientation (240x320 Portrait,
// 320x240 Landscape, 240x240 Square) unless one is given, which any other canvas needs.
//
// Label font sizes follow from the layer's height: each field gets an equal share of it as one
// line, and a line is a fifth taller than the font's em (as in Tahoma), which at 96 dpi is 4/3
// pixel a point; so size = share * 5 / 8 points, rounded down, at least 1 (16 px: 10 pt).
MockupPlanResult PlanMockupImport(const LayeredImage& image,
                                  std::optional<Orientation> orientation = std::nullopt);

// The font size, in points, of a label layer h pixels high that shows n fields.
int32_t LabelFontSize(int32_t height, size_t fields);

// Gives the element its file names from its stem (stem.bmp, or stem_up.bmp and stem_down.bmp),
// with "_2", "_3"... after the stem until no name is in used (compared in lower case) or taken;
// adds them to used. Elements without pictures keep none.
void NameFiles(MockupElement& element, std::set<std::string>& used,
               const std::function<bool(const std::string&)>& taken);

// The skin file of the plan, lines ending in CR LF, with the plan's orientation's keys only.
std::string NewSkinText(const MockupPlan& plan);
// The keys and values of one element's section, in the plan's orientation.
std::vector<std::pair<std::string, std::string>> ElementEntries(const MockupElement& element,
                                                                Orientation orientation);
// The sections of one element, as NewSkinText writes them.
std::string ElementSections(const MockupElement& element, Orientation orientation,
                            std::string_view newline = "\r\n");

// A picture as a .bmp file: 8 bits with a palette when it has 256 colours or fewer, else 24.
std::vector<uint8_t> EncodeMockupBitmap(const DibImage& picture);

// The bitmap files a plan writes, by name.
struct MockupBitmap {
    std::string file;
    const DibImage* picture = nullptr;
};
std::vector<MockupBitmap> PlanBitmaps(const MockupPlan& plan);

// "KIND NAME X,Y WxH TYPES": one line of what an import made; TYPES is "all" or the call
// types' keywords.
std::string ElementLine(const MockupElement& element);

} // namespace pindrel
