#include "skin/element_at.h"

#include <ranges>

#include "skin/skin.h"

namespace pindrel {

namespace {

template <class Element> const Rect& RectNow(const Skin& skin, const Element& e) {
    return e.rects[static_cast<size_t>(skin.orientation)];
}

template <class Element> int32_t Index(const std::vector<Element>& list, const Element& e) {
    return static_cast<int32_t>(&e - list.data());
}

} // namespace

ElementHit ElementAt(const Skin& skin, Point p, CallType t) {
    for (const SkinLabel& l : skin.labels | std::views::reverse) {
        const Rect& r = RectNow(skin, l);
        if (ShownFor(l.type, t) && !l.fieldIds.empty() && !r.IsEmpty() && r.Contains(p))
            return {ElementKind::Label, Index(skin.labels, l), l.line};
    }
    if (t == CallType::ContactWithPicture && RectNow(skin, skin.photoRect).Contains(p))
        return {ElementKind::Photo, -1, skin.photoRect.line};
    for (const SkinButton& b : skin.buttons | std::views::reverse) {
        if (b.loaded && ShownFor(b.type, t) && RectNow(skin, b).Contains(p))
            return {ElementKind::Button, Index(skin.buttons, b), b.line};
    }
    for (const SkinImage& i : skin.images | std::views::reverse) {
        if (i.bitmap && ShownFor(i.type, t) && RectNow(skin, i).Contains(p))
            return {ElementKind::Image, Index(skin.images, i), i.line};
    }
    const SkinImage& bg = skin.backgroundImage;
    if (bg.bitmap && ShownFor(bg.type, t) && RectNow(skin, bg).Contains(p))
        return {ElementKind::BackgroundImage, -1, bg.line};
    return {};
}

std::string DescribeElement(const Skin& skin, const ElementHit& hit) {
    std::string text;
    const auto at = [](const auto& list, int32_t i) -> const auto& {
        return list[static_cast<size_t>(i)];
    };
    switch (hit.kind) {
    case ElementKind::BackgroundColor:
        return "Background colour";
    case ElementKind::BackgroundImage:
        text = "Background image " + skin.backgroundImage.file;
        break;
    case ElementKind::Image:
        text = "Image " + at(skin.images, hit.index).file;
        break;
    case ElementKind::Button: {
        const SkinButton& b = at(skin.buttons, hit.index);
        text = "Button " + std::to_string(b.id) + " (" + b.fileUp + ")";
        break;
    }
    case ElementKind::Photo:
        text = "Photo";
        break;
    case ElementKind::Label: {
        text = "Label ";
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
        break;
    }
    }
    if (hit.line > 0) text += ", line " + std::to_string(hit.line);
    return text;
}

} // namespace pindrel
