#include "skin/element_at.h"

#include <algorithm>
#include <vector>

#include "ini/ini_file.h"
#include "skin/skin.h"

namespace pindrel {

namespace {

template <class Element> const Rect& RectNow(const Skin& skin, const Element& e) {
    return e.rects[static_cast<size_t>(skin.orientation)];
}

// The last element of the list that passes, as an index; -1 for none. Later elements are drawn
// over earlier ones.
template <class Element, class Pred>
int32_t LastWhere(const std::vector<Element>& list, Pred pred) {
    for (size_t i = list.size(); i-- > 0;)
        if (pred(list[i])) return static_cast<int32_t>(i);
    return -1;
}

} // namespace

ElementHit ElementAt(const Skin& skin, Point p, CallType t) {
    const auto at = [](const auto& list, int32_t i) -> const auto& {
        return list[static_cast<size_t>(i)];
    };
    if (const int32_t i = LastWhere(skin.labels,
                                    [&](const SkinLabel& l) {
                                        const Rect& r = RectNow(skin, l);
                                        return ShownFor(l.type, t) && !l.fieldIds.empty() &&
                                               !r.IsEmpty() && r.Contains(p);
                                    });
        i >= 0)
        return {ElementKind::Label, i, at(skin.labels, i).line};
    if (t == CallType::ContactWithPicture && RectNow(skin, skin.photoRect).Contains(p))
        return {ElementKind::Photo, -1, skin.photoRect.line};
    if (const int32_t i = LastWhere(skin.buttons,
                                    [&](const SkinButton& b) {
                                        return b.loaded && ShownFor(b.type, t) &&
                                               RectNow(skin, b).Contains(p);
                                    });
        i >= 0)
        return {ElementKind::Button, i, at(skin.buttons, i).line};
    if (const int32_t i = LastWhere(skin.images,
                                    [&](const SkinImage& e) {
                                        return e.bitmap && ShownFor(e.type, t) &&
                                               RectNow(skin, e).Contains(p);
                                    });
        i >= 0)
        return {ElementKind::Image, i, at(skin.images, i).line};
    const SkinImage& bg = skin.backgroundImage;
    if (bg.bitmap && ShownFor(bg.type, t) && RectNow(skin, bg).Contains(p))
        return {ElementKind::BackgroundImage, -1, bg.line};
    return {};
}

std::optional<Rect> ElementRect(const Skin& skin, const PlacedElement& e) {
    const auto o = static_cast<size_t>(skin.orientation);
    switch (e.kind) {
    case PlacedKind::Image:
        if (e.index < skin.images.size()) return skin.images[e.index].rects[o];
        break;
    case PlacedKind::Button:
        if (e.index < skin.buttons.size()) return skin.buttons[e.index].rects[o];
        break;
    case PlacedKind::Label:
        if (e.index < skin.labels.size()) return skin.labels[e.index].rects[o];
        break;
    case PlacedKind::Photo:
        if (e.index == 0) return skin.photoRect.rects[o];
        break;
    }
    return std::nullopt;
}

bool ShownUnder(const Skin& skin, const PlacedElement& e, CallType t) {
    switch (e.kind) {
    case PlacedKind::Image:
        return e.index < skin.images.size() && skin.images[e.index].loaded &&
               ShownFor(skin.images[e.index].type, t);
    case PlacedKind::Button:
        return e.index < skin.buttons.size() && skin.buttons[e.index].loaded &&
               ShownFor(skin.buttons[e.index].type, t);
    case PlacedKind::Label:
        return e.index < skin.labels.size() && !skin.labels[e.index].fieldIds.empty() &&
               ShownFor(skin.labels[e.index].type, t);
    case PlacedKind::Photo:
        return t == CallType::ContactWithPicture;
    }
    return false;
}

std::vector<PlacedElement> ElementsUnder(const Skin& skin, Point p, CallType t) {
    std::vector<PlacedElement> stack; // topmost first
    const auto collect = [&](PlacedKind kind, size_t count) {
        for (size_t i = count; i-- > 0;) {
            const PlacedElement e{kind, i};
            const std::optional<Rect> r = ElementRect(skin, e);
            if (r && r->Contains(p)) stack.push_back(e);
        }
    };
    collect(PlacedKind::Label, skin.labels.size());
    collect(PlacedKind::Photo, 1);
    collect(PlacedKind::Button, skin.buttons.size());
    collect(PlacedKind::Image, skin.images.size());
    std::stable_partition(stack.begin(), stack.end(),
                          [&](const PlacedElement& e) { return ShownUnder(skin, e, t); });
    return stack;
}

std::string DescribeElement(const Skin& skin, const ElementHit& hit) {
    std::string text;
    const auto at = [](const auto& list, int32_t i) -> const auto& {
        return list[static_cast<size_t>(i)];
    };
    // Numbered by kind in file order among those that load, as inspect and place count them.
    const std::string number = std::to_string(hit.index);
    switch (hit.kind) {
    case ElementKind::BackgroundColor:
        return "Background colour";
    case ElementKind::BackgroundImage:
        text = "Background image (" + skin.backgroundImage.file + ")";
        break;
    case ElementKind::Image:
        text = "Image " + number + " (" + at(skin.images, hit.index).file + ")";
        break;
    case ElementKind::Button: {
        const SkinButton& b = at(skin.buttons, hit.index);
        text = "Button " + number + ", id " + std::to_string(b.id) + " (" + b.fileUp + ")";
        break;
    }
    case ElementKind::Photo:
        text = "Photo";
        break;
    case ElementKind::Label: {
        text = "Label " + number + " (";
        const SkinLabel& l = at(skin.labels, hit.index);
        for (size_t i = 0; i < l.fieldIds.size(); ++i) {
            const int32_t id = l.fieldIds[i];
            if (i > 0) text += ", ";
            text += id >= 0 && static_cast<size_t>(id) < kCallerFieldNames.size()
                        ? std::string(kCallerFieldNames[static_cast<size_t>(id)])
                        : "?";
            if (text.size() > 80) {
                text += ", ...";
                break;
            }
        }
        text += ")";
        break;
    }
    }
    if (hit.line > 0) text += ", line " + std::to_string(hit.line);
    return text;
}

int32_t SectionAtLine(const IniFile& file, int32_t line) {
    const auto& lines = file.sectionLines;
    const auto after = std::upper_bound(
        lines.begin(), lines.end(), line,
        [](int32_t l, const IniSectionLines& section) { return l < section.header; });
    return static_cast<int32_t>(after - lines.begin()) - 1;
}

std::optional<PlacedElement> ElementOfSection(const Skin& skin, int32_t s) {
    if (s < 0) return std::nullopt;
    const auto find = [s](const auto& list) -> std::optional<size_t> {
        const auto it = std::lower_bound(list.begin(), list.end(), s,
                                         [](const auto& e, int32_t v) { return e.section < v; });
        if (it == list.end() || it->section != s) return std::nullopt;
        return static_cast<size_t>(it - list.begin());
    };
    if (const auto i = find(skin.images)) return PlacedElement{PlacedKind::Image, *i};
    if (const auto i = find(skin.buttons)) return PlacedElement{PlacedKind::Button, *i};
    if (const auto i = find(skin.labels)) return PlacedElement{PlacedKind::Label, *i};
    if (skin.photoRect.section == s) return PlacedElement{PlacedKind::Photo, 0};
    return std::nullopt;
}

} // namespace pindrel
