#include "skin/mockup_merge.h"

#include <filesystem>
#include <set>

#include "ini/skin_ini_file.h"
#include "skin/bitmap_cache.h"
#include "skin/mockup_names.h"
#include "skin/sample_skin.h"
#include "skin/skin_edit.h"
#include "skin/skin_files.h"

namespace pindrel {

namespace {

// A picture's name as matching compares it: without folders, in lower case.
std::string BaseName(std::string_view file) {
    return AsciiLower(std::filesystem::path(std::string(file)).filename().string());
}

std::string FieldList(const std::vector<int32_t>& ids) {
    std::string list;
    for (const int32_t id : ids) {
        if (!list.empty()) list += ',';
        list += kCallerFieldNames[static_cast<size_t>(id)];
    }
    return list;
}

struct Candidate {
    PlacedElement element;
    std::string key;
    Size picture; // images and buttons: the picture's own size
    bool taken = false;
};

std::vector<Candidate> Candidates(const Skin& skin) {
    std::vector<Candidate> list;
    for (size_t i = 0; i < skin.images.size(); ++i) {
        const SkinImage& im = skin.images[i];
        list.push_back(
            {{PlacedKind::Image, i}, "image:" + BaseName(im.file), {im.width, im.height}});
    }
    for (size_t i = 0; i < skin.buttons.size(); ++i) {
        const SkinButton& b = skin.buttons[i];
        list.push_back(
            {{PlacedKind::Button, i}, "button:" + BaseName(b.fileUp), {b.width, b.height}});
    }
    for (size_t i = 0; i < skin.labels.size(); ++i)
        list.push_back({{PlacedKind::Label, i}, "label:" + FieldList(skin.labels[i].fieldIds), {}});
    list.push_back({{PlacedKind::Photo, 0}, "photo:", {}});
    return list;
}

std::string KeyOf(const MockupElement& e) {
    switch (e.kind) {
    case SectionKind::Button:
        return "button:" + AsciiLower(e.file);
    case SectionKind::Label:
        return "label:" + e.Name();
    case SectionKind::PhotoRect:
        return "photo:";
    default:
        return "image:" + AsciiLower(e.file);
    }
}

std::string_view OrientationWord(int32_t o) {
    return kOrientationKeywords[static_cast<size_t>(o)];
}

class Merger {
public:
    Merger(std::span<const uint8_t> bytes, std::string_view folder, MockupPlan& plan)
        : folder_(folder), plan_(plan) {
        ini_.Parse(bytes);
    }
    MockupMerge Run(const std::function<bool(const std::string&)>& taken);

private:
    std::string folder_;
    MockupPlan& plan_;
    BitmapCache cache_;
    SkinIniFile ini_;
    SampleSkin skin_;
    MockupMerge result_;

    // The skin as the text edited so far loads it.
    void Load() {
        LoadContext context;
        context.folder = folder_;
        context.bitmaps = &cache_;
        skin_.Load(ini_, context);
    }
    bool Move(const MockupElement& e, const Candidate& c);
};

bool Merger::Move(const MockupElement& e, const Candidate& c) {
    const auto o = static_cast<int32_t>(plan_.orientation);
    if ((c.element.kind == PlacedKind::Image || c.element.kind == PlacedKind::Button) &&
        (c.picture.width != e.rect.Width() || c.picture.height != e.rect.Height()))
        result_.warnings.push_back(std::string(e.KindWord()) + " " + e.Name() +
                                   ": its picture is " + std::to_string(c.picture.width) + "x" +
                                   std::to_string(c.picture.height) + " and the layer " +
                                   std::to_string(e.rect.Width()) + "x" +
                                   std::to_string(e.rect.Height()) + ", so it is drawn resized");
    const Placement placement{o, e.rect.left, e.rect.top, e.rect.Width(), e.rect.Height()};
    EditResult placed = PlaceElement(ini_, skin_, c.element, placement);
    if (!placed.ok) {
        result_.error = placed.error;
        return false;
    }
    ini_ = std::move(placed.file);
    Load();
    return true;
}

MockupMerge Merger::Run(const std::function<bool(const std::string&)>& taken) {
    Load();
    std::vector<Candidate> candidates = Candidates(skin_);
    std::set<std::string> skinFiles;
    for (const std::string& f : SkinBitmapFiles(ini_))
        skinFiles.insert(BaseName(f));
    const auto o = static_cast<int32_t>(plan_.orientation);
    std::vector<MockupElement*> added;
    for (MockupElement& e : plan_.elements) {
        // One background picture serves every orientation; another orientation's is an image.
        if (e.kind == SectionKind::BackgroundImage) e.kind = SectionKind::Image;
        Candidate* match = nullptr;
        const std::string key = KeyOf(e);
        for (Candidate& c : candidates) {
            if (!c.taken && c.key == key) {
                match = &c;
                break;
            }
        }
        if (!match) {
            added.push_back(&e);
            continue;
        }
        match->taken = true;
        if (!Move(e, *match)) return std::move(result_);
        result_.lines.push_back(ElementLine(e) + "; moved");
    }
    std::set<std::string> used;
    for (MockupElement* e : added) {
        e->file.clear();
        e->fileDown.clear();
        NameFiles(*e, used, [&](const std::string& name) {
            return skinFiles.count(AsciiLower(name)) != 0 || (taken && taken(name));
        });
        const std::vector<std::pair<std::string, std::string>> entries =
            ElementEntries(*e, plan_.orientation);
        std::vector<KeyValue> values;
        for (const auto& [k, v] : entries)
            values.push_back({k, v});
        EditResult appended = AddSection(ini_, e->kind, values);
        if (!appended.ok) {
            result_.error = appended.error;
            return std::move(result_);
        }
        ini_ = std::move(appended.file);
        std::string lacks;
        for (int32_t other = 0; other < kOrientationCount; ++other) {
            if (other != o)
                lacks += (lacks.empty() ? "" : ", ") + std::string(OrientationWord(other));
        }
        result_.lines.push_back(ElementLine(*e) + "; new, still without " + lacks);
        if (e->up && !e->file.empty()) result_.bitmaps.push_back({e->file, &*e->up});
        if (e->down && !e->fileDown.empty()) result_.bitmaps.push_back({e->fileDown, &*e->down});
    }
    for (const Candidate& c : candidates) {
        if (c.taken || c.element.kind == PlacedKind::Photo) continue;
        std::string what = c.key;
        what[what.find(':')] = ' ';
        result_.warnings.push_back(what + " is not in the mock-up; its " +
                                   std::string(OrientationWord(o)) + " rectangle stays");
    }
    result_.bytes.assign(ini_.Bytes().begin(), ini_.Bytes().end());
    result_.ok = true;
    return std::move(result_);
}

} // namespace

MockupMerge MergeMockup(std::span<const uint8_t> bytes, std::string_view folder, MockupPlan& plan,
                        const std::function<bool(const std::string&)>& taken) {
    return Merger(bytes, folder, plan).Run(taken);
}

} // namespace pindrel
