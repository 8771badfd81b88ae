#include "skin/mockup_import.h"

#include <algorithm>
#include <set>

#include "skin/mockup_names.h"
#include "skin/mockup_pixels.h"

namespace pindrel {

namespace {

constexpr std::string_view kLabelPrefix = "label:";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

std::string Quoted(std::string_view name) {
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted.append(1, '"').append(name).append(1, '"');
    return quoted;
}

class Planner {
public:
    Planner(const LayeredImage& image, MockupPlan& plan) : image_(image), plan_(plan) {}
    void Run();

private:
    const LayeredImage& image_;
    MockupPlan& plan_;
    const Layer* background_ = nullptr;
    Backdrop backdrop_;
    int32_t ordinal_ = 0;
    std::optional<MockupElement> backgroundElement_, photo_;
    std::vector<MockupElement> images_, buttons_, labels_;

    Size Canvas() const { return plan_.canvas; }
    void Row(const std::string& path, int32_t depth, std::string becomes) {
        plan_.layers.push_back({path, depth, std::move(becomes)});
    }
    void Warn(std::string text) { plan_.warnings.push_back(std::move(text)); }
    void FindBackground();
    void Walk(const std::vector<Layer>& layers, uint32_t opacity, int32_t type,
              const std::string& path, int32_t depth);
    void AddPicture(const Layer& layer, const LayerName& name, uint32_t opacity,
                    const std::string& path, int32_t depth);
    void AddLabel(const Layer& layer, const LayerName& name, uint32_t opacity,
                  const std::string& path, int32_t depth);
    void AddButton(const Layer& group, const LayerName& name, uint32_t opacity,
                   const std::string& path, int32_t depth);
    std::string Stem(std::string_view text) const {
        std::string stem = SafeFileStem(text);
        return stem.empty() ? "layer" + std::to_string(ordinal_) : stem;
    }
};

// A layer named "background" anywhere, or else the bottom layer when it covers the canvas.
void Planner::FindBackground() {
    std::vector<const std::vector<Layer>*> lists = {&image_.layers};
    for (size_t i = 0; i < lists.size() && !background_; ++i) {
        for (const Layer& l : *lists[i]) {
            if (!l.visible) continue;
            if (l.isGroup) {
                lists.push_back(&l.children);
            } else if (ParseLayerName(l.name).text == "background") {
                background_ = &l;
                break;
            }
        }
    }
    if (!background_ && !image_.layers.empty()) {
        const Layer& bottom = image_.layers.front();
        const Rect canvas{0, 0, Canvas().width, Canvas().height};
        if (!bottom.isGroup && bottom.visible &&
            Union(PlacedLayer{&bottom}.Bounds(Canvas()), canvas) ==
                PlacedLayer{&bottom}.Bounds(Canvas()))
            background_ = &bottom;
    }
}

void Planner::Run() {
    FindBackground();
    const PlacedLayer placed{background_, background_ ? background_->opacity : 255u};
    backdrop_ = MakeBackdrop(Canvas(), background_ ? &placed : nullptr);
    Walk(image_.layers, 255, kAllCallTypes, "", 0);
    std::vector<MockupElement>& out = plan_.elements;
    if (backgroundElement_) out.push_back(std::move(*backgroundElement_));
    if (photo_) out.push_back(std::move(*photo_));
    for (auto* list : {&images_, &buttons_, &labels_}) {
        for (MockupElement& e : *list)
            out.push_back(std::move(e));
    }
    std::set<std::string> used;
    for (MockupElement& e : out)
        NameFiles(e, used, {});
}

void Planner::Walk(const std::vector<Layer>& layers, uint32_t opacity, int32_t type,
                   const std::string& path, int32_t depth) {
    for (const Layer& l : layers) {
        ++ordinal_;
        const std::string here = path + l.name;
        if (!l.visible) {
            Row(here, depth, "hidden: left out");
            continue;
        }
        if (!l.blendMode.empty())
            Warn("layer " + Quoted(here) + ": blend mode " + Quoted(l.blendMode) +
                 " imported as normal");
        if (!l.notInPixels.empty())
            Warn("layer " + Quoted(here) + ": " + l.notInPixels +
                 " not in its pixels, imported without; rasterize the layer to keep it");
        LayerName name = ParseLayerName(l.name, l.isGroup);
        name.type &= type;
        const uint32_t combined = CombineAlpha(opacity, l.opacity);
        if (l.isGroup) {
            if (StartsWith(name.text, "button")) {
                AddButton(l, name, combined, here, depth);
                continue;
            }
            Row(here, depth, "group");
            Walk(l.children, combined, name.type, here + " / ", depth + 1);
        } else if (&l == background_) {
            const PlacedLayer placed{&l, combined};
            Rect r = placed.Bounds(Canvas());
            const Rect canvas{0, 0, Canvas().width, Canvas().height};
            if (Union(r, canvas) == r || r.IsEmpty()) r = canvas;
            MockupElement e;
            e.kind = SectionKind::BackgroundImage;
            e.layer = l.name;
            e.stem = Stem(name.text);
            e.rect = r;
            e.up = BackdropPicture(backdrop_, r);
            backgroundElement_ = std::move(e);
            Row(here, depth, "background image");
        } else if (name.text == "photo") {
            if (photo_) {
                Row(here, depth, "left out: the photo is set already");
                Warn("layer " + Quoted(here) + ": a second photo, left out");
                continue;
            }
            const Rect r = PlacedLayer{&l, combined}.Bounds(Canvas());
            if (r.IsEmpty()) {
                Row(here, depth, "left out: no pixels on the canvas");
                Warn("layer " + Quoted(here) + ": no pixels on the canvas, left out");
                continue;
            }
            MockupElement e;
            e.kind = SectionKind::PhotoRect;
            e.layer = l.name;
            e.rect = r;
            photo_ = std::move(e);
            Row(here, depth, "photo rectangle");
        } else if (StartsWith(name.text, kLabelPrefix)) {
            AddLabel(l, name, combined, here, depth);
        } else {
            AddPicture(l, name, combined, here, depth);
        }
    }
}

void Planner::AddPicture(const Layer& layer, const LayerName& name, uint32_t opacity,
                         const std::string& path, int32_t depth) {
    const PlacedLayer placed{&layer, opacity};
    const Rect r = placed.Bounds(Canvas());
    if (r.IsEmpty()) {
        Row(path, depth, "left out: no pixels on the canvas");
        Warn("layer " + Quoted(path) + ": no pixels on the canvas, left out");
        return;
    }
    MockupElement e;
    e.kind = SectionKind::Image;
    e.layer = layer.name;
    e.stem = Stem(name.text);
    e.rect = r;
    e.type = name.type;
    const Composed c = Compose(placed, r, backdrop_);
    const Composed* one[] = {&c};
    const Color key = ChooseKey(one);
    if (c.anyClear) e.key = key;
    e.up = ToPicture(c, key);
    images_.push_back(std::move(e));
    Row(path, depth, "image");
}

void Planner::AddLabel(const Layer& layer, const LayerName& name, uint32_t opacity,
                       const std::string& path, int32_t depth) {
    MockupElement e;
    e.kind = SectionKind::Label;
    e.layer = layer.name;
    e.type = name.type;
    std::string_view list = std::string_view(name.text).substr(kLabelPrefix.size());
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view item = TrimBlanks(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        if (item.empty()) continue;
        if (!FindCallerField(item)) {
            Warn("layer " + Quoted(path) + ": " + Quoted(item) + " is no caller field, left out");
            continue;
        }
        e.fields.emplace_back(item);
    }
    const PlacedLayer placed{&layer, opacity};
    e.rect = placed.Bounds(Canvas());
    if (e.fields.empty() || e.rect.IsEmpty()) {
        const char* why =
            e.fields.empty() ? "names no caller field" : "has no pixels on the canvas";
        Row(path, depth, std::string("left out: ") + why);
        Warn("layer " + Quoted(path) + ": " + why + ", left out");
        return;
    }
    const std::optional<Color> color = CommonOpaqueColor(placed, e.rect);
    if (!color) Warn("layer " + Quoted(path) + ": no opaque pixel, so its text is black");
    e.color = color.value_or(kBlack);
    e.fontSize = LabelFontSize(e.rect.Height(), e.fields.size());
    Row(path, depth, "label");
    labels_.push_back(std::move(e));
}

void Planner::AddButton(const Layer& group, const LayerName& name, uint32_t opacity,
                        const std::string& path, int32_t depth) {
    const Layer* up = nullptr;
    const Layer* down = nullptr;
    for (const Layer& child : group.children) {
        const std::string word = ParseLayerName(child.name).text;
        if (!child.isGroup && word == "up" && !up) {
            up = &child;
        } else if (!child.isGroup && word == "down" && !down) {
            down = &child;
        } else if (child.visible) {
            Warn("button " + Quoted(path) + ": layer " + Quoted(child.name) +
                 " is neither up nor down, left out");
        }
    }
    if (!up || !down) {
        const char* missing = !up ? "up" : "down";
        Row(path, depth, std::string("left out: no \"") + missing + "\" layer");
        Warn("button " + Quoted(path) + ": no layer named \"" + missing + "\", left out");
        return;
    }
    // Up and down are taken whether shown or not: a mock-up shows one state at a time.
    const PlacedLayer upPlaced{up, CombineAlpha(opacity, up->opacity)};
    const PlacedLayer downPlaced{down, CombineAlpha(opacity, down->opacity)};
    const Rect r = Union(upPlaced.Bounds(Canvas()), downPlaced.Bounds(Canvas()));
    if (r.IsEmpty()) {
        Row(path, depth, "left out: no pixels on the canvas");
        Warn("button " + Quoted(path) + ": no pixels on the canvas, left out");
        return;
    }
    MockupElement e;
    e.kind = SectionKind::Button;
    e.layer = group.name;
    e.stem = Stem(name.text);
    e.rect = r;
    e.type = name.type;
    e.id = name.id;
    const Composed a = Compose(upPlaced, r, backdrop_);
    const Composed b = Compose(downPlaced, r, backdrop_);
    const Composed* both[] = {&a, &b};
    const Color key = ChooseKey(both);
    if (a.anyClear || b.anyClear) e.key = key;
    e.up = ToPicture(a, key);
    e.down = ToPicture(b, key);
    buttons_.push_back(std::move(e));
    Row(path, depth, "button");
    Row(path + " / " + up->name, depth + 1, "its up picture");
    Row(path + " / " + down->name, depth + 1, "its down picture");
}

} // namespace

int32_t LabelFontSize(int32_t height, size_t fields) {
    if (fields == 0 || height <= 0) return 1;
    const int64_t share = height / static_cast<int64_t>(fields);
    return static_cast<int32_t>(std::max<int64_t>(1, share * 5 / 8));
}

MockupPlanResult PlanMockupImport(const LayeredImage& image,
                                  std::optional<Orientation> orientation) {
    MockupPlan plan;
    plan.canvas = {image.width, image.height};
    if (!orientation) {
        for (int32_t o = 0; o < kOrientationCount; ++o) {
            if (kScreenSizes[static_cast<size_t>(o)] == plan.canvas)
                orientation = static_cast<Orientation>(o);
        }
    }
    if (!orientation)
        return {std::nullopt, "the canvas is " + std::to_string(image.width) + "x" +
                                  std::to_string(image.height) +
                                  ", no screen's size; say which orientation it is"};
    plan.orientation = *orientation;
    const Size screen = kScreenSizes[static_cast<size_t>(*orientation)];
    if (screen != plan.canvas)
        plan.warnings.push_back(
            "the canvas is " + std::to_string(image.width) + "x" + std::to_string(image.height) +
            ", the " + std::string(kOrientationKeywords[static_cast<size_t>(*orientation)]) +
            " screen " + std::to_string(screen.width) + "x" + std::to_string(screen.height) +
            ": layers are placed at their offsets as they are");
    Planner(image, plan).Run();
    if (plan.elements.size() > kMaxMockupElements)
        return {std::nullopt, "more than " + std::to_string(kMaxMockupElements) + " elements"};
    return {std::move(plan), {}};
}

} // namespace pindrel
