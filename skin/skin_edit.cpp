#include "skin/skin_edit.h"

#include <array>

#include "skin/edit_lines.h"
#include "skin/placement_rule.h"
#include "skin/skin.h"
#include "skin/skin_edit_internal.h"

namespace pindrel {

namespace {

// How an element's rectangles come from its section's keys.
struct Shape {
    SectionKind section = SectionKind::Image;
    bool carries = true;  // an orientation without a usable position takes the one before
    bool natural = false; // a width or height of 0 is the picture's own
    int32_t width = 0, height = 0;
};

struct Target {
    const SkinElement* element = nullptr;
    Shape shape;
};

std::optional<Target> FindTarget(const Skin& skin, const PlacedElement& e) {
    switch (e.kind) {
    case PlacedKind::Image:
        if (e.index >= skin.images.size()) return std::nullopt;
        return Target{&skin.images[e.index],
                      {SectionKind::Image, true, true, skin.images[e.index].width,
                       skin.images[e.index].height}};
    case PlacedKind::Button:
        if (e.index >= skin.buttons.size()) return std::nullopt;
        return Target{&skin.buttons[e.index],
                      {SectionKind::Button, true, true, skin.buttons[e.index].width,
                       skin.buttons[e.index].height}};
    case PlacedKind::Label:
        if (e.index >= skin.labels.size()) return std::nullopt;
        return Target{&skin.labels[e.index], {SectionKind::Label, false, false}};
    case PlacedKind::Photo:
        if (e.index != 0) return std::nullopt;
        return Target{&skin.photoRect, {SectionKind::PhotoRect, true, false}};
    }
    return std::nullopt;
}

using Rects = std::array<Rect, kOrientationCount>;

Rect Shown(const Shape& shape, const Rect& raw) {
    if (!shape.natural) return raw;
    const int32_t w = raw.Width(), h = raw.Height();
    return Rect::FromXYWH(raw.left, raw.top, w == 0 ? shape.width : w, h == 0 ? shape.height : h);
}

// The rectangles as the loader reads them from section s (-1: none): raw, before a width or
// height of 0 becomes the picture's, and as shown.
struct ReadRects {
    Rects raw{}, shown{};
};

ReadRects AsShown(const Shape& shape, const Rects& raw) {
    ReadRects out{raw, {}};
    for (size_t o = 0; o < kOrientationCount; ++o)
        out.shown[o] = Shown(shape, raw[o]);
    return out;
}

ReadRects ReadSection(const SkinIniFile& file, int32_t s, const Shape& shape) {
    return AsShown(shape, PlaceByKeys(ReadPlacementPairs(file, s), shape.carries).rects);
}

// One position or size key of the section as the reader sees it, and the pair to write to it.
struct PairKey {
    std::string_view name;
    int32_t entry = -1; // its first entry, the one read; -1 when absent
    std::optional<Point> read;
    std::optional<Point> write;

    std::optional<Point> Effective() const { return write ? write : read; }
};

// posP, sizeP, posL, sizeL, posQ, sizeQ.
using PairKeys = std::array<PairKey, 2 * kOrientationCount>;

PairKeys ReadKeys(const SkinIniFile& file, int32_t s) {
    const PlacementPairs pairs = ReadPlacementPairs(file, s);
    PairKeys keys;
    for (size_t o = 0; o < kOrientationCount; ++o) {
        keys[2 * o].name = kPosKeys[o];
        keys[2 * o + 1].name = kSizeKeys[o];
    }
    for (size_t k = 0; k < keys.size(); ++k) {
        keys[k].entry = file.FindEntry(s, keys[k].name);
        keys[k].read = pairs[k];
    }
    return keys;
}

// The raw rectangles under the keys as they will be written.
Rects RawUnder(const PairKeys& keys, const Shape& shape) {
    PlacementPairs pairs;
    for (size_t k = 0; k < keys.size(); ++k)
        pairs[k] = keys[k].Effective();
    return PlaceByKeys(pairs, shape.carries).rects;
}

// Whether a written width (or height) shows as `shown`.
bool Shows(int32_t written, int32_t shown, const Shape& shape, int32_t naturalExtent) {
    return written == shown || (shape.natural && written == 0 && naturalExtent == shown);
}

// The size to write that shows as want: numbers in place that do, then the preferred ones that
// do, else the numbers themselves.
Point ChooseSize(const std::optional<Point>& now, const Point& preferred, const Rect& want,
                 const Shape& shape) {
    const auto choose = [&](std::optional<int32_t> current, int32_t pref, int32_t shown,
                            int32_t naturalExtent) {
        if (current && Shows(*current, shown, shape, naturalExtent)) return *current;
        if (Shows(pref, shown, shape, naturalExtent)) return pref;
        return shown;
    };
    return {
        choose(now ? std::optional(now->x) : std::nullopt, preferred.x, want.Width(), shape.width),
        choose(now ? std::optional(now->y) : std::nullopt, preferred.y, want.Height(),
               shape.height)};
}

// Decides the keys to write so that the orientations show `want`, going through them in order
// as the loader does: an orientation that would show something else gets its own position and
// size, which the next one then carries.
void Solve(PairKeys& keys, const Shape& shape, const Rects& want,
           const std::array<Point, kOrientationCount>& preferredSize) {
    for (size_t o = 0; o < kOrientationCount; ++o) {
        if (Shown(shape, RawUnder(keys, shape)[o]) == want[o]) continue;
        PairKey& pos = keys[2 * o];
        PairKey& size = keys[2 * o + 1];
        const Point p{want[o].left, want[o].top};
        if (pos.Effective() != p) pos.write = p;
        // Once the position counts, so does the size key, whatever it held before. A missing
        // or unusable one reads as 0,0, which may do.
        const Point now = size.Effective().value_or(Point{});
        if (!Shows(now.x, want[o].Width(), shape, shape.width) ||
            !Shows(now.y, want[o].Height(), shape, shape.height))
            size.write = ChooseSize(size.Effective(), preferredSize[o], want[o], shape);
    }
}

std::string Entry(std::string_view key, Point p) {
    std::string line(key);
    line += '=';
    line += std::to_string(p.x);
    line += ',';
    line += std::to_string(p.y);
    return line;
}

// The edits that write the keys' new pairs into section s, or into a new "Photo Rect" section
// at the end when s is -1: values rewritten in place, missing keys as lines of their own after
// the section's last entry (or its header).
std::vector<ByteEdit> KeyEdits(const SkinIniFile& file, int32_t s, const PairKeys& keys) {
    std::vector<ByteEdit> edits;
    // The lines to add: a new section's header, then the keys it lacks.
    std::vector<std::string> lines;
    if (s < 0) lines.push_back(edit::HeaderLine(SectionKind::PhotoRect));
    const size_t header = lines.size();
    for (const PairKey& k : keys) {
        if (!k.write) continue;
        if (k.entry < 0) {
            lines.push_back(Entry(k.name, *k.write));
            continue;
        }
        const std::string_view value =
            file.sections[static_cast<size_t>(s)].values[static_cast<size_t>(k.entry)];
        for (ByteEdit& e : PairValueEdits(value, k.write->x, k.write->y)) {
            e.offset += file.Offset(value);
            edits.push_back(std::move(e));
        }
    }
    if (lines.size() == header) return edits;
    edits.push_back(s < 0 ? AppendLines(file.Bytes(), lines)
                          : InsertLinesAfter(file.Bytes(), FindSectionSpan(file, s).body, lines));
    return edits;
}

} // namespace

std::optional<Placement> CurrentPlacement(const Skin& loaded, const PlacedElement& element,
                                          int32_t orientation) {
    const std::optional<Target> target = FindTarget(loaded, element);
    if (!target || orientation < 0 || orientation >= kOrientationCount) return std::nullopt;
    const Rect& r = target->element->rects[static_cast<size_t>(orientation)];
    return Placement{orientation, r.left, r.top, r.Width(), r.Height()};
}

EditResult PlaceElement(const SkinIniFile& file, const Skin& loaded, const PlacedElement& element,
                        const Placement& placement) {
    const std::optional<Target> target = FindTarget(loaded, element);
    if (!target) return edit::Fail("no such element");
    if (placement.orientation < 0 || placement.orientation >= kOrientationCount)
        return edit::Fail("no such orientation");
    const Shape& shape = target->shape;
    const auto o = static_cast<size_t>(placement.orientation);

    const int32_t s = target->element->section;
    const std::string_view name = SectionName(shape.section);
    const bool fromThisFile =
        shape.section == SectionKind::PhotoRect
            ? s == file.FindSection(name, 0)
            : edit::HasSection(file, s) && file.sections[static_cast<size_t>(s)].name == name;
    const ReadRects before = ReadSection(file, s, shape);
    if (!fromThisFile || before.shown != target->element->rects)
        return edit::Fail("the skin was not loaded from these bytes");

    Rects want = before.shown;
    want[o] =
        Shown(shape, Rect::FromXYWH(placement.x, placement.y, placement.width, placement.height));
    if (want == before.shown) return edit::Finish(file, {});

    // Orientations that keep their rectangle keep their raw size too, 0 where it was 0.
    std::array<Point, kOrientationCount> preferredSize;
    for (size_t i = 0; i < kOrientationCount; ++i)
        preferredSize[i] = {before.raw[i].Width(), before.raw[i].Height()};
    preferredSize[o] = {placement.width, placement.height};
    PairKeys keys = ReadKeys(file, s);
    Solve(keys, shape, want, preferredSize);
    EditResult result = edit::Finish(file, KeyEdits(file, s, keys));

    // The loader has the last word: what it reads back must be what was asked for.
    const SkinIniFile& check = result.file;
    const int32_t s2 = s >= 0 ? s : check.FindSection(name, 0);
    if (check.sections.size() != file.sections.size() + (s >= 0 ? 0 : 1) ||
        ReadSection(check, s2, shape).shown != want)
        return edit::Fail("the new rectangle cannot be written");
    return result;
}

void FollowPlacement(Skin& loaded, const PlacedElement& element, const Placement& placement,
                     const SkinIniFile& edited) {
    SkinElement* e = nullptr;
    switch (element.kind) {
    case PlacedKind::Image:
        if (element.index < loaded.images.size()) e = &loaded.images[element.index];
        break;
    case PlacedKind::Button:
        if (element.index < loaded.buttons.size()) e = &loaded.buttons[element.index];
        break;
    case PlacedKind::Label:
        if (element.index < loaded.labels.size()) e = &loaded.labels[element.index];
        break;
    case PlacedKind::Photo:
        e = &loaded.photoRect;
        // A "Photo Rect" section the edit added is the one that counts now.
        if (e->section < 0) e->section = edited.FindSection(SectionName(SectionKind::PhotoRect), 0);
        break;
    }
    // Placing changes only this orientation's rectangle: the others show what they showed.
    if (e)
        e->SetPlacement(placement.orientation, placement.x, placement.y, placement.width,
                        placement.height);
}

SectionKind SectionKindOf(PlacedKind kind) {
    switch (kind) {
    case PlacedKind::Image:
        return SectionKind::Image;
    case PlacedKind::Button:
        return SectionKind::Button;
    case PlacedKind::Label:
        return SectionKind::Label;
    case PlacedKind::Photo:
        break;
    }
    return SectionKind::PhotoRect;
}

} // namespace pindrel
