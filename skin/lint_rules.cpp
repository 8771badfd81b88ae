#include "skin/lint_rules.h"

#include <array>

namespace pindrel {

namespace {

constexpr std::array<LintRuleInfo, 38> kRules = {{
    {LintRule::SkinUnreadable, "skin-unreadable", "The skin file cannot be read"},
    {LintRule::LineIgnored, "line-ignored", "A line the reader drops"},
    {LintRule::SectionNameCase, "section-name-case",
     "A section name that differs from a known one in case or spaces"},
    {LintRule::SectionNameTypo, "section-name-typo", "A section name close to a known one"},
    {LintRule::SecondSection, "second-section", "A second section of a name only the first counts"},
    {LintRule::DuplicateKey, "duplicate-key", "A key given again in a section"},
    {LintRule::UnknownKey, "unknown-key", "A key the section does not have"},
    {LintRule::FieldKeyWithoutField, "field-key-without-field",
     "A font or colour key numbered beyond the label's fields"},
    {LintRule::KeyPlaysNoPart, "key-plays-no-part", "A key read but of no effect"},
    {LintRule::NotANumber, "not-a-number", "A number that is not wholly a number"},
    {LintRule::NoCallType, "no-call-type", "A call-type mask that shows the element never"},
    {LintRule::AlignmentOutOfRange, "alignment-out-of-range", "An alignment other than 0, 1, 2"},
    {LintRule::ItemCount, "item-count", "A value of too few or too many items"},
    {LintRule::ColourOutOfRange, "colour-out-of-range", "A colour channel outside 0..255"},
    {LintRule::EmptyFieldItem, "empty-field-item",
     "An empty item in a label's fields, which renumbers the rest"},
    {LintRule::NoBackgroundColour, "no-background-colour",
     "A background colour section without a colour"},
    {LintRule::RequiredKeyMissing, "required-key-missing",
     "An element without a key it needs, which drops it"},
    {LintRule::NoFieldNames, "no-field-names", "A label whose fields list is empty"},
    {LintRule::BitmapUnreadable, "bitmap-unreadable", "A bitmap that cannot be loaded"},
    {LintRule::BitmapNeedsConverting, "bitmap-needs-converting",
     "A picture of a kind skins cannot use, with the command that converts it"},
    {LintRule::BitmapBudget, "bitmap-budget",
     "Bitmaps beyond what one skin load reads, which drops elements"},
    {LintRule::BorderTooNarrow, "border-too-narrow", "A border picture too narrow for frames"},
    {LintRule::PhotoWithoutPosition, "photo-without-position",
     "A photo rectangle without a position"},
    {LintRule::EmptyRectangle, "empty-rectangle", "An element with an empty rectangle"},
    {LintRule::OffScreen, "off-screen", "An element wholly off the screen"},
    {LintRule::ColourKeyCannotApply, "colour-key-cannot-apply",
     "A transparent colour on an element drawn resized"},
    {LintRule::BorderWithoutBorderImage, "border-without-border-image",
     "A frame asked for without a border image"},
    {LintRule::ButtonPicturesDiffer, "button-pictures-differ",
     "Up and down pictures of different sizes"},
    {LintRule::LabelWithoutPosition, "label-without-position",
     "A label not placed in an orientation"},
    {LintRule::LabelWithoutSize, "label-without-size", "A label without a size"},
    {LintRule::FontSubstituted, "font-substituted", "A font face that is not installed"},
    {LintRule::UnknownCallerField, "unknown-caller-field", "A name that is no caller field"},
    {LintRule::ColourKeyMatchesNothing, "colour-key-matches-nothing",
     "A transparent colour that no pixel of its picture has, where it could apply"},
    {LintRule::DeviceRefusesName, "device-refuses-name",
     "A packed name the device refuses: a character, a reserved name, a last dot or space"},
    {LintRule::NameCaseCollision, "name-case-collision",
     "Packed names that differ only in case, which the device takes for one"},
    {LintRule::NameMatchesIgnoringCase, "name-matches-ignoring-case",
     "A picture name that matches a file only when case is ignored"},
    {LintRule::PictureOutsideFolder, "picture-outside-folder",
     "A picture outside the skin's folder, which its package cannot hold"},
    {LintRule::NameNotAscii, "name-not-ascii",
     "A packed name with bytes outside ASCII, read in the device's code page"},
}};

} // namespace

std::span<const LintRuleInfo> LintRules() {
    return kRules;
}

std::string_view LintRuleId(LintRule rule) {
    return kRules[static_cast<size_t>(rule)].id;
}

} // namespace pindrel
