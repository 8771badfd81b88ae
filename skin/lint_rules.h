#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pindrel {

// The kinds of lint finding. Their ids are stable: CI systems and editors key on them.
enum class LintRule : uint8_t {
    SkinUnreadable,
    LineIgnored,
    SectionNameCase,
    SectionNameTypo,
    SecondSection,
    DuplicateKey,
    UnknownKey,
    FieldKeyWithoutField,
    KeyPlaysNoPart,
    NotANumber,
    NoCallType,
    AlignmentOutOfRange,
    ItemCount,
    ColourOutOfRange,
    EmptyFieldItem,
    NoBackgroundColour,
    RequiredKeyMissing,
    NoFieldNames,
    BitmapUnreadable,
    BitmapNeedsConverting,
    BitmapBudget,
    BorderTooNarrow,
    PhotoWithoutPosition,
    EmptyRectangle,
    OffScreen,
    ColourKeyCannotApply,
    BorderWithoutBorderImage,
    ButtonPicturesDiffer,
    LabelWithoutPosition,
    LabelWithoutSize,
    FontSubstituted,
    UnknownCallerField,
    ColourKeyMatchesNothing,
    // Found when the skin is packed for the device, whose file system reads names differently.
    DeviceRefusesName,
    NameCaseCollision,
    NameMatchesIgnoringCase,
    PictureOutsideFolder,
    NameNotAscii,
};

struct LintRuleInfo {
    LintRule rule;
    std::string_view id;
    std::string_view summary;
};

// Every rule, in the order of LintRule.
std::span<const LintRuleInfo> LintRules();
std::string_view LintRuleId(LintRule rule);

} // namespace pindrel
