// Removing, copying and moving whole sections; finding the section of a loaded element.
#include <climits>

#include "skin/edit_lines.h"
#include "skin/skin.h"
#include "skin/skin_edit_internal.h"

namespace pindrel {

using namespace edit;

namespace {

// The kind of section s, when it is an element's.
std::optional<SectionKind> ElementKind(const SkinIniFile& file, int32_t s) {
    const std::optional<SectionKind> kind =
        FindSectionKind(file.sections[static_cast<size_t>(s)].name);
    if (!kind || Section(*kind).single) return std::nullopt;
    return kind;
}

template <class Element> int32_t SectionOf(const std::vector<Element>& list, size_t index) {
    return index < list.size() ? list[index].section : -1;
}

// The sections of the loaded elements of a kind, in order; nothing when the skin does not come
// from this file.
std::optional<std::vector<int32_t>> LoadedSections(const Skin& loaded, const SkinIniFile& file,
                                                   SectionKind kind) {
    std::vector<int32_t> sections;
    for (size_t i = 0; i < LoadedCount(loaded, kind); ++i) {
        const int32_t s = LoadedSection(loaded, file, kind, i);
        if (!HasSection(file, s) || file.sections[static_cast<size_t>(s)].name != SectionName(kind))
            return std::nullopt;
        sections.push_back(s);
    }
    return sections;
}

} // namespace

size_t LoadedCount(const Skin& loaded, SectionKind kind) {
    switch (kind) {
    case SectionKind::Image:
        return loaded.images.size();
    case SectionKind::Button:
        return loaded.buttons.size();
    case SectionKind::Label:
        return loaded.labels.size();
    default:
        return 1;
    }
}

int32_t LoadedSection(const Skin& loaded, const SkinIniFile& file, SectionKind kind, size_t index) {
    switch (kind) {
    case SectionKind::Image:
        return SectionOf(loaded.images, index);
    case SectionKind::Button:
        return SectionOf(loaded.buttons, index);
    case SectionKind::Label:
        return SectionOf(loaded.labels, index);
    default:
        return index == 0 ? file.FindSection(SectionName(kind), 0) : -1;
    }
}

EditResult RemoveSection(const SkinIniFile& file, int32_t section) {
    if (!HasSection(file, section)) return Fail("no such section");
    const std::string_view name = file.sections[static_cast<size_t>(section)].name;
    const std::optional<SectionKind> kind = FindSectionKind(name);
    std::vector<ByteEdit> edits;
    const auto remove = [&](int32_t s) {
        const SectionSpan span = FindSectionSpan(file, s);
        edits.push_back({span.lead, span.end - span.lead, {}});
    };
    if (kind && Section(*kind).single) {
        for (int32_t s = file.FindSection(name, 0); s >= 0; s = file.FindSection(name, s + 1))
            remove(s);
    } else {
        remove(section);
    }
    return Finish(file, std::move(edits));
}

EditResult DuplicateSection(const SkinIniFile& file, int32_t section) {
    if (!HasSection(file, section) || !ElementKind(file, section))
        return Fail("not an element's section");
    const std::span<const uint8_t> bytes = file.Bytes();
    const SectionSpan span = FindSectionSpan(file, section);
    // The copy keeps the blank lines that part the original from what follows.
    std::string copy(bytes.begin() + static_cast<ptrdiff_t>(span.header),
                     bytes.begin() + static_cast<ptrdiff_t>(span.end));
    if (!IsLineBreak(static_cast<uint8_t>(copy.back())))
        copy.insert(0, BreakBefore(bytes, span.end)); // the original ended the file
    return Finish(file, {{span.end, 0, std::move(copy)}});
}

EditResult RestackSection(const SkinIniFile& file, const Skin& loaded, int32_t section, size_t to) {
    if (!HasSection(file, section)) return Fail("no such section");
    const std::optional<SectionKind> kind = ElementKind(file, section);
    if (!kind) return Fail("not an element's section");
    std::optional<std::vector<int32_t>> others = LoadedSections(loaded, file, *kind);
    if (!others) return Fail("the skin was not loaded from these bytes");
    std::erase(*others, section);
    if (to > others->size()) return Fail("no such place among the elements of its kind");
    if (others->empty()) return Finish(file, {});

    // It goes between the elements that are to lie below and above it, moving as little as
    // it can: right after the one below when it moves up, right before the one above when it
    // moves down.
    const int32_t below = to > 0 ? (*others)[to - 1] : -1;
    const int32_t above = to < others->size() ? (*others)[to] : INT32_MAX;
    if (section > below && section < above) return Finish(file, {});
    const size_t at =
        section < below ? FindSectionSpan(file, below).end : FindSectionSpan(file, above).lead;
    const std::span<const uint8_t> bytes = file.Bytes();
    const SectionSpan moved = FindSectionSpan(file, section);
    std::string block(bytes.begin() + static_cast<ptrdiff_t>(moved.lead),
                      bytes.begin() + static_cast<ptrdiff_t>(moved.end));
    // Lines of its own wherever it goes: a last line without a break gets one.
    const std::string_view eol = BreakBefore(bytes, bytes.size());
    if (!IsLineBreak(static_cast<uint8_t>(block.back()))) block += eol;
    if (at == bytes.size() && !IsLineBreak(bytes.back())) block.insert(0, eol);
    return Finish(file, {{moved.lead, moved.end - moved.lead, {}}, {at, 0, std::move(block)}});
}

} // namespace pindrel
