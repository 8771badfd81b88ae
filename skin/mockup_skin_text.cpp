#include <string>

#include "render/bmp_encoder.h"
#include "skin/mockup_import.h"
#include "skin/mockup_names.h"

namespace pindrel {

namespace {

constexpr std::string_view kBmp = ".bmp";

std::string Pair(int32_t a, int32_t b) {
    return std::to_string(a) + "," + std::to_string(b);
}

std::string Rgb(Color c) {
    return std::to_string(c.R()) + "," + std::to_string(c.G()) + "," + std::to_string(c.B());
}

class SectionWriter {
public:
    SectionWriter(std::string& out, std::string_view newline) : out_(out), newline_(newline) {}
    void Header(SectionKind kind) {
        out_ += "[" + std::string(SectionName(kind)) + "]" + std::string(newline_);
    }
    void Key(std::string_view key, const std::string& value) {
        out_ += std::string(key) + "=" + value + std::string(newline_);
    }
    void Key(SkinKey key, const std::string& value) { Key(KeyName(key), value); }
    void End() { out_ += newline_; }

private:
    std::string& out_;
    std::string_view newline_;
};

} // namespace

std::string_view MockupElement::KindWord() const {
    switch (kind) {
    case SectionKind::BackgroundImage:
        return "background";
    case SectionKind::PhotoRect:
        return "photo";
    case SectionKind::Button:
        return "button";
    case SectionKind::Label:
        return "label";
    default:
        return "image";
    }
}

std::string MockupElement::Name() const {
    if (kind == SectionKind::PhotoRect) return "photo";
    if (kind != SectionKind::Label) return file.empty() ? stem : file;
    std::string list;
    for (const std::string& f : fields)
        list += (list.empty() ? "" : ",") + f;
    return list;
}

void NameFiles(MockupElement& element, std::set<std::string>& used,
               const std::function<bool(const std::string&)>& taken) {
    if (element.stem.empty()) return;
    const bool button = element.kind == SectionKind::Button;
    const auto free = [&](const std::string& name) {
        return used.count(AsciiLower(name)) == 0 && !(taken && taken(name));
    };
    for (int n = 1;; ++n) {
        const std::string stem = n == 1 ? element.stem : element.stem + "_" + std::to_string(n);
        const std::string a = stem + (button ? "_up" : "") + std::string(kBmp);
        const std::string b = stem + "_down" + std::string(kBmp);
        if (!free(a) || (button && !free(b))) continue;
        element.file = a;
        used.insert(AsciiLower(a));
        if (button) {
            element.fileDown = b;
            used.insert(AsciiLower(b));
        }
        return;
    }
}

std::vector<std::pair<std::string, std::string>> ElementEntries(const MockupElement& e,
                                                                Orientation orientation) {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto key = [&](std::string_view k, std::string value) {
        entries.emplace_back(std::string(k), std::move(value));
    };
    const auto o = static_cast<size_t>(orientation);
    switch (e.kind) {
    case SectionKind::BackgroundImage:
    case SectionKind::Image:
        key(KeyName(SkinKey::File), e.file);
        break;
    case SectionKind::Button:
        key(KeyName(SkinKey::FileUp), e.file);
        key(KeyName(SkinKey::FileDown), e.fileDown);
        if (e.id) key(KeyName(SkinKey::Id), std::to_string(*e.id));
        break;
    case SectionKind::Label: {
        std::string list;
        for (const std::string& f : e.fields)
            list += (list.empty() ? "" : ",") + f;
        key(KeyName(SkinKey::Fields), list);
        break;
    }
    default:
        break;
    }
    if (e.type != kAllCallTypes && e.kind != SectionKind::PhotoRect)
        key(KeyName(SkinKey::Type), std::to_string(e.type));
    key(kPosKeys[o], Pair(e.rect.left, e.rect.top));
    key(kSizeKeys[o], Pair(e.rect.Width(), e.rect.Height()));
    if (e.key) key(KeyName(SkinKey::TranspColor), Rgb(*e.key));
    for (size_t i = 0; i < e.fields.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        key(std::string(kFieldFontKeys.prefix) + n, std::to_string(e.fontSize));
        key(std::string(kFieldColorKeys.prefix) + n, Rgb(e.color));
    }
    return entries;
}

std::string ElementSections(const MockupElement& e, Orientation orientation,
                            std::string_view newline) {
    std::string out;
    SectionWriter w(out, newline);
    w.Header(e.kind);
    for (const auto& [key, value] : ElementEntries(e, orientation))
        w.Key(key, value);
    w.End();
    return out;
}

std::string NewSkinText(const MockupPlan& plan) {
    std::string out;
    for (const MockupElement& e : plan.elements)
        out += ElementSections(e, plan.orientation);
    return out;
}

std::vector<uint8_t> EncodeMockupBitmap(const DibImage& picture) {
    BmpEncodeResult encoded = EncodeBmp(picture, BmpEncoding::Palette8);
    if (encoded.bytes.empty()) encoded = EncodeBmp(picture, BmpEncoding::Rgb24);
    return std::move(encoded.bytes);
}

std::vector<MockupBitmap> PlanBitmaps(const MockupPlan& plan) {
    std::vector<MockupBitmap> files;
    for (const MockupElement& e : plan.elements) {
        if (e.up && !e.file.empty()) files.push_back({e.file, &*e.up});
        if (e.down && !e.fileDown.empty()) files.push_back({e.fileDown, &*e.down});
    }
    return files;
}

std::string ElementLine(const MockupElement& e) {
    std::string types;
    if (e.type == kAllCallTypes || e.kind == SectionKind::PhotoRect) {
        types = "all";
    } else {
        for (size_t k = 0; k < kCallTypes.size(); ++k) {
            if (ShownFor(e.type, kCallTypes[k]))
                types += (types.empty() ? "" : ",") + std::string(kCallTypeKeywords[k]);
        }
        if (types.empty()) types = "none";
    }
    std::string name = e.Name();
    if (e.id) name += " id " + std::to_string(*e.id);
    return std::string(e.KindWord()) + " " + name + " " + Pair(e.rect.left, e.rect.top) + " " +
           std::to_string(e.rect.Width()) + "x" + std::to_string(e.rect.Height()) + " " + types;
}

} // namespace pindrel
