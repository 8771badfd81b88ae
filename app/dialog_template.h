#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "render/geometry.h"

namespace pindrel {

// Control ids of the designer dialog.
enum ControlId : int32_t {
    IdPortrait = 1001,
    IdLandscape = 1002,
    IdSquare = 1003,
    IdName = 1004,
    IdCompany = 1005,
    IdJob = 1006,
    IdCategories = 1007,
    IdPhone = 1008,
    IdUnknownCaller = 1009,
    IdPrivateCaller = 1010,
    IdNumberDetected = 1011,
    IdContactFound = 1012,
    IdContactWithPicture = 1013,
    IdHiddenGroup = 1014,
    IdNick = 1015,
    IdSkinPath = 1016,
    IdBrowse = 1017,
    IdReload = 1018,
    IdPhoneType = 1019,
    IdXPos = 1020,
    IdYPos = 1021,
    IdXSize = 1022,
    IdYSize = 1023,
    IdXPosUpDown = 1025,
    IdYPosUpDown = 1026,
    IdXSizeUpDown = 1027,
    IdYSizeUpDown = 1028,
    IdShowAlign = 1029,
    IdAlignLeft = 1030,
    IdAlignTop = 1031,
    IdCentreHorizontally = 1032,
    IdAlignRight = 1033,
    IdCentreVertically = 1034,
    IdAlignBottom = 1035,
};

// The radio buttons of the orientations, in orientation order, and of the call types, in the
// order of kCallTypes.
inline constexpr std::array kOrientationIds = {IdPortrait, IdLandscape, IdSquare};
inline constexpr std::array kCallTypeIds = {IdUnknownCaller, IdPrivateCaller, IdNumberDetected,
                                            IdContactFound, IdContactWithPicture};

enum class ControlKind : uint8_t {
    GroupBox,
    HiddenGroupBox,
    Label,        // right-aligned, top
    CentredLabel, // right-aligned, vertically centred
    FirstRadio,   // starts an automatic radio group
    Radio,
    Edit,
    DisabledEdit,
    NumberEdit, // the keyboard types digits only
    UpDown,
    CheckBox,
    PushButton,
};

// A rectangle in dialog units: x, y, width, height.
struct DialogRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct ControlSpec {
    int32_t id = 0; // 0 for group boxes and labels
    ControlKind kind = ControlKind::Label;
    std::string_view caption;
    DialogRect rect;
    int32_t buddy = 0;               // a label's or an up-down's edit
    std::string_view accessibleName; // for captions that do not say what a control does
};

inline constexpr DialogRect kDialogSize{0, 0, 449, 306};
inline constexpr std::string_view kDialogCaption = "Pindrel";

// Group boxes and labels first, so they lie beneath the controls; then the controls in tab order.
std::span<const ControlSpec> DialogControls();
const ControlSpec* FindControl(int32_t id);

// Pixels per 4 horizontal and per 8 vertical dialog units.
struct BaseUnits {
    int32_t x = 0;
    int32_t y = 0;
    friend constexpr bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// The units the layout was drawn for; below them the fixed-size preview would run into the
// controls beside and below it.
inline constexpr BaseUnits kDesignBaseUnits{6, 13};

// Base units of a dialog font: the rounded average width of the 52 letters A-Z a-z from their
// total advance, and the font's height.
BaseUnits BaseUnitsFromFont(int32_t alphabetWidth, int32_t height);
// The font's units, each raised to at least the design units.
BaseUnits LayoutBaseUnits(BaseUnits font);

// a * b / c rounded half away from zero, computed in 64 bits; 0 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Position and size each mapped on their own, as controls are placed from a template.
Rect DialogRectToPixels(const DialogRect& r, BaseUnits units);

// The preview window's rectangle in the dialog's client pixels for an orientation: its screen
// centred in the 320 x 320 square at (10, 10). Indexes outside 0..2 count as portrait.
Rect PreviewPlacement(int32_t orientation);

} // namespace pindrel
