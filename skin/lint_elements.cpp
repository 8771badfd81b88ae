#include <set>
#include <system_error>

#include "render/bitmap_advice.h"
#include "render/bmp_decoder.h"
#include "render/font.h"
#include "render/font_engine.h"
#include "skin/call_type.h"
#include "skin/font_cache.h"
#include "skin/font_spec.h"
#include "skin/lint_internal.h"
#include "skin/skin_format.h"

namespace pindrel::lint {

namespace {

constexpr std::array<std::string_view, 3> kOrientationNames = {"Portrait", "Landscape", "Square"};

std::string SizeText(int32_t w, int32_t h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

std::string RectText(const Rect& r) {
    return "at " + std::to_string(r.left) + "," + std::to_string(r.top) + ", " +
           SizeText(r.Width(), r.Height());
}

// Why a name that cannot be opened may be wrong on this system: Windows paths and file names
// compare without case, and use backslashes.
std::string OpenHint(const Context& cx, std::string_view name) {
    if (name.find('\\') != std::string_view::npos) return " (use \"/\" between folders)";
    const std::filesystem::path wanted(name);
    std::error_code ec;
    if (std::filesystem::exists(cx.Resolve(name), ec)) return {}; // there, but not readable
    const std::filesystem::path folder = cx.Resolve(name).parent_path();
    std::filesystem::directory_iterator it(folder, ec);
    const auto lower = [](std::string s) {
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return s;
    };
    const std::string exact = wanted.filename().string();
    const std::string target = lower(exact);
    // A folder of thousands of files is not worth walking for a hint.
    for (int n = 0; !ec && it != std::filesystem::directory_iterator() && n < 4096;
         it.increment(ec), ++n) {
        const std::string found = it->path().filename().string();
        // The name itself is there (a link to nowhere): the reason says what is wrong.
        if (found == exact) return {};
        if (lower(found) == target)
            return " (did you mean " + Quote((wanted.parent_path() / found).string()) +
                   "? names are case-sensitive here)";
    }
    return {};
}

// Decodes a bitmap the skin names; reports why it cannot be used.
std::optional<Size> CheckBitmap(Context& cx, int32_t line, std::string_view name,
                                std::string_view consequence) {
    const std::string path = cx.Resolve(name).lexically_normal().string();
    auto it = cx.bitmaps.find(path);
    if (it == cx.bitmaps.end()) {
        const BmpResult r = LoadBmp(path);
        BitmapCheck check{std::nullopt, r.status, r.reason};
        if (r.image) check.size = Size{r.image->Width(), r.image->Height()};
        check.loadBytes = r.fileBytes + (r.image ? r.image->Bytes().size() : 0);
        it = cx.bitmaps.emplace(path, check).first;
    }
    const BitmapCheck& c = it->second;
    if (c.size) return c.size;
    if (const auto advice =
            c.status == BmpStatus::NotABitmap ? AdviseOnBitmapFile(path, name) : std::nullopt) {
        cx.Error(line, advice->problem + " (" + std::string(consequence) + "); " + advice->fix);
        return std::nullopt;
    }
    const std::string hint = c.status == BmpStatus::CannotOpen ? OpenHint(cx, name) : "";
    cx.Error(line, "cannot load " + Quote(name) + hint + ": " + std::string(c.reason) +
                       " (status " + std::to_string(static_cast<int>(c.status)) + "); " +
                       std::string(consequence));
    return std::nullopt;
}

// The rectangles an image or button gets: an orientation without its position takes the one
// before it; a width or height of 0 becomes the picture's own.
struct Placement {
    std::array<Rect, 3> rects{};
    std::array<int32_t, 3> from{-1, -1, -1}; // orientation whose position is in effect
};

Placement CarriedPlacement(const Context& cx, int32_t s, Size natural) {
    Placement p;
    Rect r{};
    int32_t from = -1;
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        const auto i = static_cast<size_t>(o);
        if (cx.ini.GetRect(s, kPosKeys[i], kSizeKeys[i], r)) from = o;
        const int32_t w = r.Width() == 0 ? natural.width : r.Width();
        const int32_t h = r.Height() == 0 ? natural.height : r.Height();
        p.rects[i] = Rect::FromXYWH(r.left, r.top, w, h);
        p.from[i] = from;
    }
    return p;
}

int32_t PlacementLine(const Context& cx, int32_t s, const Placement& p, size_t o) {
    return p.from[o] < 0 ? cx.HeaderLine(s)
                         : cx.KeyLine(s, kPosKeys[static_cast<size_t>(p.from[o])]);
}

bool OnScreen(const Rect& r, size_t o) {
    return IntersectRect(r, Rect{0, 0, kScreenSizes[o].width, kScreenSizes[o].height});
}

void CheckOnScreen(Context& cx, int32_t s, const Placement& p, std::string_view what) {
    for (size_t o = 0; o < 3; ++o) {
        const Rect& r = p.rects[o];
        std::string carried;
        if (p.from[o] >= 0 && static_cast<size_t>(p.from[o]) != o)
            carried = " (placed by " + Quote(kPosKeys[static_cast<size_t>(p.from[o])]) + ")";
        if (r.IsEmpty())
            cx.Warning(PlacementLine(cx, s, p, o),
                       std::string(what) + " has an empty rectangle in " +
                           std::string(kOrientationNames[o]) + " (" +
                           SizeText(r.Width(), r.Height()) + ")" + carried + "; not drawn there");
        else if (!OnScreen(r, o))
            cx.Warning(PlacementLine(cx, s, p, o), std::string(what) + " is wholly off-screen in " +
                                                       std::string(kOrientationNames[o]) + " (" +
                                                       RectText(r) + ")" + carried);
    }
}

void CheckColourKey(Context& cx, int32_t s, const Placement& p, Size natural) {
    Color key;
    if (!cx.ini.GetColor(s, "transp_color", key)) return;
    std::string where;
    for (size_t o = 0; o < 3; ++o) {
        const Rect& r = p.rects[o];
        if (!OnScreen(r, o) || (r.Width() == natural.width && r.Height() == natural.height))
            continue;
        where += (where.empty() ? "" : ", ") + std::string(kOrientationNames[o]);
    }
    if (!where.empty())
        cx.Warning(cx.KeyLine(s, "transp_color"),
                   "\"transp_color\" cannot apply in " + where +
                       ": the rectangle is not the picture's size (" +
                       SizeText(natural.width, natural.height) +
                       "), so it is drawn resized and "
                       "opaque");
}

struct Images {
    bool borderLoaded = false;
};

// An image element (also the background and border images); returns whether it loads.
bool CheckImage(Context& cx, int32_t s, SectionKind kind, const Images& images) {
    const std::string_view def = kind == SectionKind::BackgroundImage ? "bgr.bmp"
                                 : kind == SectionKind::BorderImage   ? "border.bmp"
                                                                      : "";
    const std::string_view what = kind == SectionKind::BackgroundImage ? "background image"
                                  : kind == SectionKind::BorderImage   ? "border image"
                                                                       : "image";
    const std::string name = cx.ini.GetString(s, "file", def);
    if (name.empty()) {
        cx.Error(cx.HeaderLine(s), "[Image] has no \"file\"; image dropped");
        return false;
    }
    const int32_t line = cx.HasKey(s, "file") ? cx.KeyLine(s, "file") : cx.HeaderLine(s);
    const auto size = CheckBitmap(cx, line, name, "no " + std::string(what));
    if (!size) return false;
    if (kind == SectionKind::BorderImage) {
        if (size->width < 3)
            cx.Warning(line, "border picture is " + std::to_string(size->width) +
                                 " pixels wide; frames need at least 3");
        return true;
    }
    const Placement p = CarriedPlacement(cx, s, *size);
    CheckOnScreen(cx, s, p, std::string(what) + " " + Quote(name));
    CheckColourKey(cx, s, p, *size);
    if (cx.ini.GetInt(s, "border", 0) != 0 && !images.borderLoaded)
        cx.Warning(cx.KeyLine(s, "border"),
                   "\"border\" is set but there is no border image; no frame is drawn");
    return true;
}

void CheckButton(Context& cx, int32_t s) {
    const std::string up = cx.ini.GetString(s, "file_up", "");
    const std::string down = cx.ini.GetString(s, "file_down", "");
    for (const std::string_view key : {"file_up", "file_down"}) {
        if (!cx.HasKey(s, key))
            cx.Error(cx.HeaderLine(s), "[Button] has no " + Quote(key) + "; button dropped");
    }
    std::optional<Size> upSize, downSize;
    if (!up.empty()) upSize = CheckBitmap(cx, cx.KeyLine(s, "file_up"), up, "button dropped");
    if (!down.empty())
        downSize = CheckBitmap(cx, cx.KeyLine(s, "file_down"), down, "button dropped");
    if (!upSize || !downSize) return;
    if (*upSize != *downSize)
        cx.Warning(cx.KeyLine(s, "file_down"),
                   "down picture is " + SizeText(downSize->width, downSize->height) +
                       " but the up picture is " + SizeText(upSize->width, upSize->height) +
                       "; the button is drawn at the up picture's size");
    const Placement p = CarriedPlacement(cx, s, *upSize);
    CheckOnScreen(cx, s, p, "button " + Quote(up));
    CheckColourKey(cx, s, p, *upSize);
}

void CheckLabelPlacement(Context& cx, int32_t s) {
    for (size_t o = 0; o < 3; ++o) {
        Rect r{};
        const std::string orientation(kOrientationNames[o]);
        if (!cx.ini.GetRect(s, kPosKeys[o], kSizeKeys[o], r)) {
            cx.Warning(cx.HeaderLine(s),
                       "label has no " + Quote(kPosKeys[o]) + "; not drawn in " + orientation);
            continue;
        }
        const int32_t line = cx.KeyLine(s, kPosKeys[o]);
        if (r.Width() == 0 || r.Height() == 0)
            cx.Warning(line, "label has no size in " + orientation + " (" + Quote(kSizeKeys[o]) +
                                 "); not drawn there");
        else if (r.IsEmpty())
            cx.Warning(line, "label has an empty rectangle in " + orientation + " (" +
                                 SizeText(r.Width(), r.Height()) + "); not drawn there");
        else if (!OnScreen(r, o))
            cx.Warning(line,
                       "label is wholly off-screen in " + orientation + " (" + RectText(r) + ")");
    }
}

void CheckLabel(Context& cx, int32_t s, std::set<std::string>& checkedFaces) {
    std::vector<std::string> names;
    if (cx.ini.GetList(s, "fields", names) == 0) {
        if (cx.HasKey(s, "fields"))
            cx.Error(cx.KeyLine(s, "fields"), "\"fields\" has no items; label dropped");
        else
            cx.Error(cx.HeaderLine(s), "[Label] has no \"fields\"; label dropped");
        return;
    }
    const int32_t fieldsLine = cx.KeyLine(s, "fields");
    const std::vector<std::string_view> known(kCallerFieldNames.begin(), kCallerFieldNames.end());
    bool anyField = false;
    for (const std::string& n : names)
        anyField = anyField || FindCallerField(n).has_value();
    const std::vector<std::string_view> fonts = cx.ini.FindNumberedValues(s, "font", names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (FindCallerField(names[i])) {
            // Fonts: report faces the font engine has to substitute, once per face, for as many
            // faces as a font cache holds.
            FontSpec fontSpec;
            fontSpec.face.clear();
            ParseFontSpec(fonts[i], fontSpec.size, fontSpec.face, fontSpec.bold, fontSpec.italic);
            if (fontSpec.face.empty() || checkedFaces.size() >= kMaxCachedFonts ||
                !checkedFaces.insert(fontSpec.face).second)
                continue;
            const std::unique_ptr<Font> font = CreateFont(MakeFontRequest(fontSpec));
            if (font->IsSubstituted()) {
                const std::string_view package = FontPackageForFace(fontSpec.face);
                cx.Warning(
                    cx.KeyLine(s, "font" + std::to_string(i + 1)),
                    "font face " + Quote(fontSpec.face) + " is not installed; " +
                        (font->Family().empty() ? std::string("no face") : Quote(font->Family())) +
                        " stands in" +
                        (package.empty()
                             ? std::string()
                             : " (the " + std::string(package) + " package provides it)"));
            }
            continue;
        }
        const auto like = Resembling(names[i], known);
        std::string text = Quote(names[i]) + " is not a caller field" +
                           (like ? " (did you mean " + Quote(*like) + "?)" : "");
        if (anyField) {
            cx.Warning(fieldsLine, text);
        } else {
            cx.Error(fieldsLine, text + "; the label shows nothing");
        }
    }
    if (anyField) CheckLabelPlacement(cx, s);
}

void CheckPhotoRect(Context& cx, int32_t s) {
    if (!cx.HasKey(s, "posP") && !cx.HasKey(s, "posL") && !cx.HasKey(s, "posQ")) {
        cx.Warning(cx.HeaderLine(s), "[Photo Rect] has no position; the photo is not drawn");
        return;
    }
    const Placement p = CarriedPlacement(cx, s, Size{});
    CheckOnScreen(cx, s, p, "photo rectangle");
}

std::string BytesText(uint64_t bytes) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB"
                             : std::to_string(bytes) + " bytes";
}

// What loading the named bitmap costs the skin's budget, from the load CheckBitmap keeps.
BitmapCheck LoadOf(const Context& cx, std::string_view name) {
    const auto it = cx.bitmaps.find(cx.Resolve(name).lexically_normal().string());
    return it == cx.bitmaps.end() ? BitmapCheck{} : it->second;
}

// The loader reads the background and border pictures, then the images, then the buttons, and
// stops taking images and buttons once the bitmap files it read and the pictures it decoded
// pass a budget together, failed loads included.
void CheckBitmapBudget(Context& cx) {
    uint64_t total = 0;
    for (const auto& [kind, def] : {std::pair{SectionKind::BackgroundImage, "bgr.bmp"},
                                    std::pair{SectionKind::BorderImage, "border.bmp"}}) {
        const int32_t s = cx.firstSection[static_cast<size_t>(kind)];
        const std::string name = s >= 0 ? cx.ini.GetString(s, "file", def) : "";
        if (!name.empty()) total += LoadOf(cx, name).loadBytes;
    }
    for (const SectionKind pass : {SectionKind::Image, SectionKind::Button}) {
        for (const auto& [s, kind] : cx.elementSections) {
            if (kind != pass) continue;
            const bool image = kind == SectionKind::Image;
            const std::string first = cx.ini.GetString(s, image ? "file" : "file_up", "");
            const std::string second = image ? "" : cx.ini.GetString(s, "file_down", "");
            if (first.empty() || (!image && second.empty())) continue;
            const BitmapCheck up = LoadOf(cx, first);
            total += up.loadBytes;
            if (!image && up.size) total += LoadOf(cx, second).loadBytes;
            if (total > cx.maxBitmapBytes) {
                cx.Error(cx.HeaderLine(s),
                         "the bitmaps read up to this " + std::string(image ? "image" : "button") +
                             " come to more than " + BytesText(cx.maxBitmapBytes) +
                             ": it and every image and button the loader takes after it "
                             "are dropped");
                return;
            }
        }
    }
}

} // namespace

void CheckElements(Context& cx) {
    const auto first = [&](SectionKind k) { return cx.firstSection[static_cast<size_t>(k)]; };

    if (const int32_t s = first(SectionKind::BackgroundColor); s >= 0 && !cx.HasKey(s, "color"))
        cx.Warning(cx.HeaderLine(s), "[Background Color] has no \"color\"; white is used");

    Images images;
    if (const int32_t s = first(SectionKind::BorderImage); s >= 0)
        images.borderLoaded = CheckImage(cx, s, SectionKind::BorderImage, images);
    if (const int32_t s = first(SectionKind::BackgroundImage); s >= 0)
        CheckImage(cx, s, SectionKind::BackgroundImage, images);
    if (const int32_t s = first(SectionKind::PhotoRect); s >= 0) CheckPhotoRect(cx, s);

    std::set<std::string> checkedFaces;
    for (const auto& [s, kind] : cx.elementSections) {
        switch (kind) {
        case SectionKind::Image:
            CheckImage(cx, s, kind, images);
            break;
        case SectionKind::Button:
            CheckButton(cx, s);
            break;
        case SectionKind::Label:
            CheckLabel(cx, s, checkedFaces);
            break;
        default:
            break;
        }
    }
    CheckBitmapBudget(cx);
}

} // namespace pindrel::lint
