#include "app/dialog_template.h"

#include <algorithm>
#include <array>

#include "skin/call_type.h"

namespace pindrel {

namespace {

using K = ControlKind;

constexpr ControlSpec C(int32_t id, ControlKind kind, std::string_view caption, DialogRect rect,
                        int32_t buddy = 0, std::string_view accessibleName = {}) {
    return {id, kind, caption, rect, buddy, accessibleName};
}

constexpr std::array kControls = {
    // Group boxes and labels, beneath everything else.
    C(0, K::GroupBox, "Current Skin", {232, 7, 209, 47}),
    C(0, K::GroupBox, "Preview Mode (PDA Orientation)", {232, 56, 209, 45}),
    C(0, K::GroupBox, "Preview Mode (Income call type)", {232, 106, 209, 68}),
    C(0, K::GroupBox, "Preview Info", {233, 178, 209, 121}),
    C(0, K::GroupBox, "Align helper", {7, 212, 196, 87}),
    C(0, K::Label, "Name :", {239, 192, 41, 8}, IdName),
    C(0, K::Label, "Company :", {239, 207, 41, 8}, IdCompany),
    C(0, K::Label, "Job :", {239, 222, 41, 8}, IdJob),
    C(0, K::Label, "Categories :", {239, 237, 41, 8}, IdCategories),
    C(0, K::Label, "Phone :", {239, 252, 41, 8}, IdPhone),
    C(0, K::Label, "Phone type :", {239, 267, 41, 8}, IdPhoneType),
    C(0, K::Label, "Nick :", {239, 282, 41, 8}, IdNick),
    C(0, K::CentredLabel, " X pos:", {10, 234, 23, 12}, IdXPos),
    C(0, K::CentredLabel, "Y pos:", {10, 251, 23, 12}, IdYPos),
    C(0, K::CentredLabel, "X size:", {70, 234, 23, 12}, IdXSize),
    C(0, K::CentredLabel, "Y size:", {70, 251, 23, 12}, IdYSize),

    // The controls, in tab order.
    C(IdPortrait, K::FirstRadio, "Portrait (240x320)", {237, 67, 197, 8}),
    C(IdLandscape, K::Radio, "Landscape (320x240)", {237, 78, 197, 8}),
    C(IdSquare, K::Radio, "Square (240x240)", {237, 88, 197, 8}),
    C(IdName, K::Edit, "", {285, 189, 139, 12}),
    C(IdCompany, K::Edit, "", {285, 204, 139, 12}),
    C(IdJob, K::Edit, "", {285, 219, 139, 12}),
    C(IdCategories, K::Edit, "", {285, 234, 139, 12}),
    C(IdPhone, K::Edit, "", {285, 249, 139, 12}),
    C(IdUnknownCaller, K::FirstRadio, "Unknown caller (no phone number)", {237, 117, 197, 8}),
    C(IdPrivateCaller, K::Radio, "Private caller (no phone number)", {237, 127, 197, 8}),
    C(IdNumberDetected, K::Radio, "Phone number detected (not present into contacts)",
      {237, 138, 197, 8}),
    C(IdContactFound, K::Radio, "Contact found (without picture)", {237, 149, 197, 8}),
    C(IdContactWithPicture, K::Radio, "Contact found (with picture)", {237, 160, 197, 8}),
    C(IdHiddenGroup, K::HiddenGroupBox, "Static", {7, 7, 195, 195}),
    C(IdNick, K::Edit, "", {285, 279, 139, 12}),
    C(IdSkinPath, K::DisabledEdit, "", {238, 19, 154, 12}, 0, "Current skin file"),
    C(IdBrowse, K::PushButton, "Browse", {399, 19, 34, 12}),
    C(IdReload, K::PushButton, "Reload", {399, 37, 34, 12}),
    C(IdPhoneType, K::Edit, "", {285, 264, 139, 12}),
    C(IdXPos, K::NumberEdit, "", {35, 234, 31, 12}),
    C(IdYPos, K::NumberEdit, "", {35, 251, 31, 12}),
    C(IdXSize, K::NumberEdit, "", {96, 234, 31, 12}),
    C(IdYSize, K::NumberEdit, "", {96, 251, 31, 12}),
    C(IdXPosUpDown, K::UpDown, "", {67, 234, 11, 12}, IdXPos, "Step X pos"),
    C(IdYPosUpDown, K::UpDown, "", {67, 251, 11, 12}, IdYPos, "Step Y pos"),
    C(IdXSizeUpDown, K::UpDown, "", {125, 234, 11, 12}, IdXSize, "Step X size"),
    C(IdYSizeUpDown, K::UpDown, "", {124, 251, 11, 12}, IdYSize, "Step Y size"),
    C(IdShowAlign, K::CheckBox, "Show align rectangle", {21, 270, 154, 12}),
    C(IdAlignLeft, K::PushButton, "L", {135, 234, 15, 13}, 0, "Align left"),
    C(IdAlignTop, K::PushButton, "T", {135, 251, 15, 13}, 0, "Align top"),
    C(IdCentreHorizontally, K::PushButton, "C", {156, 234, 15, 13}, 0, "Centre horizontally"),
    C(IdAlignRight, K::PushButton, "R", {177, 234, 15, 13}, 0, "Align right"),
    C(IdCentreVertically, K::PushButton, "C", {156, 251, 15, 13}, 0, "Centre vertically"),
    C(IdAlignBottom, K::PushButton, "B", {177, 251, 15, 13}, 0, "Align bottom"),
};

// The preview's screens are centred in this square, whose corner lies at (kPreviewMargin,
// kPreviewMargin) of the client area.
constexpr int32_t kPreviewSquare = 320;
constexpr int32_t kPreviewMargin = 10;

} // namespace

std::span<const ControlSpec> DialogControls() {
    return kControls;
}

const ControlSpec* FindControl(int32_t id) {
    if (id == 0) return nullptr;
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [id](const ControlSpec& c) { return c.id == id; });
    return it == kControls.end() ? nullptr : &*it;
}

BaseUnits BaseUnitsFromFont(int32_t alphabetWidth, int32_t height) {
    return {(alphabetWidth / 26 + 1) / 2, height};
}

BaseUnits LayoutBaseUnits(BaseUnits font) {
    return {std::max(font.x, kDesignBaseUnits.x), std::max(font.y, kDesignBaseUnits.y)};
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return 0;
    const int64_t n = int64_t{a} * b;
    const int64_t an = n < 0 ? -n : n;
    const int64_t ac = c < 0 ? -int64_t{c} : int64_t{c};
    const int64_t q = (an + ac / 2) / ac;
    return static_cast<int32_t>(
        std::clamp<int64_t>((n < 0) != (c < 0) ? -q : q, INT32_MIN, INT32_MAX));
}

Rect DialogRectToPixels(const DialogRect& r, BaseUnits units) {
    return Rect::FromXYWH(MulDiv(r.x, units.x, 4), MulDiv(r.y, units.y, 8),
                          MulDiv(r.width, units.x, 4), MulDiv(r.height, units.y, 8));
}

Rect PreviewPlacement(int32_t orientation) {
    const Size s = kScreenSizes[orientation >= 0 && orientation < kOrientationCount
                                    ? static_cast<size_t>(orientation)
                                    : 0];
    return Rect::FromXYWH((kPreviewSquare - s.width) / 2 + kPreviewMargin,
                          (kPreviewSquare - s.height) / 2 + kPreviewMargin, s.width, s.height);
}

} // namespace pindrel
