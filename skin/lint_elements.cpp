#include <algorithm>
#include <initializer_list>
#include <set>
#include <system_error>

#include "render/bitmap_advice.h"
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

// What the loss of an element of a kind means for the screen.
std::string_view Consequence(SectionKind kind) {
    switch (kind) {
    case SectionKind::BackgroundImage:
        return "no background image";
    case SectionKind::BorderImage:
        return "no border image";
    case SectionKind::Button:
        return "button dropped";
    case SectionKind::Label:
        return "label dropped";
    default:
        return "no image";
    }
}

std::string BytesText(uint64_t bytes) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB"
                             : std::to_string(bytes) + " bytes";
}

// The colour the section keys out, which a converted picture must give its transparent pixels.
std::optional<Color> SectionKey(const Context& cx, const LoadDrop& d) {
    if (d.kind == SectionKind::BorderImage || d.section < 0) return std::nullopt;
    Color key;
    if (!cx.ini.GetColor(d.section, KeyName(SkinKey::TranspColor), key)) return std::nullopt;
    return key;
}

void ReportBitmapDrop(Context& cx, const LoadDrop& d) {
    const std::string consequence(Consequence(d.kind));
    const std::string path = cx.Resolve(d.file).lexically_normal().string();
    if (const auto advice = d.status == BmpStatus::NotABitmap
                                ? AdviseOnBitmapFile(path, d.file, SectionKey(cx, d))
                                : std::nullopt) {
        cx.Error(d.line, LintRule::BitmapNeedsConverting,
                 advice->problem + " (" + consequence + "); " + advice->fix);
        return;
    }
    const std::string hint = d.status == BmpStatus::CannotOpen ? OpenHint(cx, d.file) : "";
    cx.Error(d.line, LintRule::BitmapUnreadable,
             "cannot load " + Quote(d.file) + hint + ": " + std::string(d.reason) + " (status " +
                 std::to_string(static_cast<int>(d.status)) + "); " + consequence);
}

// A button that lacks one picture's name is dropped before any picture is read; the one it
// names is looked at all the same, so that the author hears of both mistakes at once.
void CheckNamedPicture(Context& cx, const LoadDrop& missing) {
    const SkinKey other = missing.key == SkinKey::FileUp ? SkinKey::FileDown : SkinKey::FileUp;
    const std::string name = cx.ini.GetString(missing.section, KeyName(other), "");
    if (name.empty()) return;
    const BmpResult r = LoadBmp(cx.Resolve(name).string());
    if (r.image) return;
    LoadDrop d = MakeDrop(missing.kind, missing.section,
                          cx.KeyLine(missing.section, KeyName(other)), DropCause::Bitmap, other);
    d.file = name;
    d.status = r.status;
    d.reason = r.reason;
    ReportBitmapDrop(cx, d);
}

void ReportDrop(Context& cx, const LoadDrop& d) {
    const std::string consequence(Consequence(d.kind));
    const std::string section(SectionName(d.kind));
    switch (d.cause) {
    case DropCause::MissingKey:
        cx.Error(d.line, LintRule::RequiredKeyMissing,
                 Bracketed(section) + " has no " + Quote(KeyName(d.key)) + "; " +
                     (d.kind == SectionKind::Image ? "image dropped" : consequence));
        if (d.kind == SectionKind::Button) CheckNamedPicture(cx, d);
        return;
    case DropCause::NoItems:
        cx.Error(d.line, LintRule::NoFieldNames,
                 Quote(KeyName(d.key)) + " has no items; " + consequence);
        return;
    case DropCause::Bitmap:
        ReportBitmapDrop(cx, d);
        return;
    case DropCause::Budget:
        cx.Error(d.line, LintRule::BitmapBudget,
                 "the bitmaps read up to this " +
                     std::string(d.kind == SectionKind::Button ? "button" : "image") +
                     " come to more than " + BytesText(cx.maxBitmapBytes) +
                     ": it and every image and button the loader takes after it "
                     "are dropped");
        return;
    }
}

int32_t KeyLineOf(const SkinElement& e, std::string_view key) {
    const KeySource* k = e.FindKey(key);
    return k ? k->line : e.line;
}

// Where the rectangle of an orientation comes from: the position key in effect, or the header.
int32_t PlacementLine(const SkinElement& e, size_t o) {
    const int32_t from = e.placedBy[o];
    return from < 0 ? e.line : KeyLineOf(e, kPosKeys[static_cast<size_t>(from)]);
}

bool OnScreen(const Rect& r, size_t o) {
    return IntersectRect(r, Rect{0, 0, kScreenSizes[o].width, kScreenSizes[o].height});
}

void CheckOnScreen(Context& cx, const SkinElement& e, std::string_view what) {
    for (size_t o = 0; o < 3; ++o) {
        const Rect& r = e.rects[o];
        const int32_t from = e.placedBy[o];
        std::string carried;
        if (from >= 0 && static_cast<size_t>(from) != o)
            carried = " (placed by " + Quote(kPosKeys[static_cast<size_t>(from)]) + ")";
        if (r.IsEmpty())
            cx.Warning(PlacementLine(e, o), LintRule::EmptyRectangle,
                       std::string(what) + " has an empty rectangle in " +
                           std::string(kOrientationNames[o]) + " (" +
                           SizeText(r.Width(), r.Height()) + ")" + carried + "; not drawn there");
        else if (!OnScreen(r, o))
            cx.Warning(PlacementLine(e, o), LintRule::OffScreen,
                       std::string(what) + " is wholly off-screen in " +
                           std::string(kOrientationNames[o]) + " (" + RectText(r) + ")" + carried);
    }
}

bool HasColour(const std::optional<DibImage>& picture, Color colour) {
    if (!picture) return false;
    const ConstPixelView view = picture->View();
    for (int32_t y = 0; y < view.height; ++y) {
        for (int32_t x = 0; x < view.width; ++x) {
            if (view.Pixel(x, y) == colour) return true;
        }
    }
    return false;
}

// A picture of an element with a transparent colour, and its name as the skin gives it.
struct KeyedPicture {
    const std::optional<DibImage>& picture;
    std::string_view file;
};

// Where the key cannot act because the element is drawn resized, and where it could act but
// finds nothing to key out: an author who keys out the wrong colour sees an opaque box.
void CheckColourKey(Context& cx, const SkinElement& e, bool keyed, Size natural, Color key,
                    std::initializer_list<KeyedPicture> pictures) {
    if (!keyed) return;
    std::string where;
    bool applies = false;
    for (size_t o = 0; o < 3; ++o) {
        const Rect& r = e.rects[o];
        if (!OnScreen(r, o)) continue;
        if (r.Width() == natural.width && r.Height() == natural.height) {
            applies = true;
            continue;
        }
        where += (where.empty() ? "" : ", ") + std::string(kOrientationNames[o]);
    }
    const std::string_view keyName = KeyName(SkinKey::TranspColor);
    const int32_t line = KeyLineOf(e, keyName);
    if (!where.empty())
        cx.Warning(line, LintRule::ColourKeyCannotApply,
                   Quote(keyName) + " cannot apply in " + where +
                       ": the rectangle is not the picture's size (" +
                       SizeText(natural.width, natural.height) +
                       "), so it is drawn resized and opaque");
    if (!applies || std::any_of(pictures.begin(), pictures.end(),
                                [&](const KeyedPicture& p) { return HasColour(p.picture, key); }))
        return;
    std::string names;
    for (const KeyedPicture& p : pictures)
        names += (names.empty() ? "" : " or ") + Quote(p.file);
    cx.Warning(line, LintRule::ColourKeyMatchesNothing,
               Quote(keyName) + " " + std::to_string(key.R()) + "," + std::to_string(key.G()) +
                   "," + std::to_string(key.B()) + " matches no pixel of " + names +
                   ": nothing is keyed out");
}

void CheckImage(Context& cx, const Skin& skin, const SkinImage& image, std::string_view what) {
    CheckOnScreen(cx, image, std::string(what) + " " + Quote(image.file));
    CheckColourKey(cx, image, image.hasTransparentColor, {image.width, image.height},
                   image.transparentColor, {{image.bitmap, image.file}});
    if (image.border != 0 && !skin.borderImage.loaded)
        cx.Warning(KeyLineOf(image, KeyName(SkinKey::Border)), LintRule::BorderWithoutBorderImage,
                   Quote(KeyName(SkinKey::Border)) +
                       " is set but there is no border image; no frame is drawn");
}

void CheckButton(Context& cx, const SkinButton& button) {
    const Size up{button.width, button.height};
    const Size down =
        button.downBitmap ? Size{button.downBitmap->Width(), button.downBitmap->Height()} : up;
    if (up != down)
        cx.Warning(KeyLineOf(button, KeyName(SkinKey::FileDown)), LintRule::ButtonPicturesDiffer,
                   "down picture is " + SizeText(down.width, down.height) +
                       " but the up picture is " + SizeText(up.width, up.height) +
                       "; the button is drawn at the up picture's size");
    CheckOnScreen(cx, button, "button " + Quote(button.fileUp));
    CheckColourKey(cx, button, button.hasTransparentColor, up, button.transparentColor,
                   {{button.upBitmap, button.fileUp}, {button.downBitmap, button.fileDown}});
}

void CheckLabelPlacement(Context& cx, const SkinLabel& label) {
    for (size_t o = 0; o < 3; ++o) {
        const Rect& r = label.rects[o];
        const std::string orientation(kOrientationNames[o]);
        if (label.placedBy[o] < 0) {
            cx.Warning(label.line, LintRule::LabelWithoutPosition,
                       "label has no " + Quote(kPosKeys[o]) + "; not drawn in " + orientation);
            continue;
        }
        const int32_t line = KeyLineOf(label, kPosKeys[o]);
        if (r.Width() == 0 || r.Height() == 0)
            cx.Warning(line, LintRule::LabelWithoutSize,
                       "label has no size in " + orientation + " (" + Quote(kSizeKeys[o]) +
                           "); not drawn there");
        else if (r.IsEmpty())
            cx.Warning(line, LintRule::EmptyRectangle,
                       "label has an empty rectangle in " + orientation + " (" +
                           SizeText(r.Width(), r.Height()) + "); not drawn there");
        else if (!OnScreen(r, o))
            cx.Warning(line, LintRule::OffScreen,
                       "label is wholly off-screen in " + orientation + " (" + RectText(r) + ")");
    }
}

// The names of "fields" the loader passes over, and the faces its fonts ask for that the font
// engine has to substitute: once per face, for as many faces as a font cache holds.
void CheckLabel(Context& cx, const SkinLabel& label, std::set<std::string>& checkedFaces) {
    const int32_t s = label.section;
    std::vector<std::string> names;
    cx.ini.GetList(s, KeyName(SkinKey::Fields), names);
    const int32_t fieldsLine = KeyLineOf(label, KeyName(SkinKey::Fields));
    const std::vector<std::string_view> known(kCallerFieldNames.begin(), kCallerFieldNames.end());
    const bool anyField = !label.fieldIds.empty();
    const std::vector<std::string_view> fonts =
        cx.ini.FindNumberedValues(s, kFieldFontKeys.prefix, names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (FindCallerField(names[i])) {
            FontSpec fontSpec;
            fontSpec.face.clear();
            ParseFontSpec(fonts[i], fontSpec.size, fontSpec.face, fontSpec.bold, fontSpec.italic);
            if (fontSpec.face.empty() || checkedFaces.size() >= kMaxCachedFonts ||
                !checkedFaces.insert(fontSpec.face).second)
                continue;
            const std::unique_ptr<Font> font = CreateFont(MakeFontRequest(fontSpec, kDefaultDpi));
            if (font->IsSubstituted()) {
                const std::string_view package = FontPackageForFace(fontSpec.face);
                cx.Warning(
                    cx.KeyLine(s, std::string(kFieldFontKeys.prefix) + std::to_string(i + 1)),
                    LintRule::FontSubstituted,
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
            cx.Warning(fieldsLine, LintRule::UnknownCallerField, text);
        } else {
            cx.Error(fieldsLine, LintRule::UnknownCallerField, text + "; the label shows nothing");
        }
    }
    if (anyField) CheckLabelPlacement(cx, label);
}

} // namespace

void CheckElements(Context& cx, const Skin& skin, const LoadReport& report) {
    if (const int32_t s = cx.firstSection[static_cast<size_t>(SectionKind::BackgroundColor)];
        s >= 0 && !cx.HasKey(s, KeyName(SkinKey::Color)))
        cx.Warning(cx.HeaderLine(s), LintRule::NoBackgroundColour,
                   Bracketed(SectionName(SectionKind::BackgroundColor)) + " has no " +
                       Quote(KeyName(SkinKey::Color)) + "; white is used");

    for (const LoadDrop& d : report.drops)
        ReportDrop(cx, d);

    if (const SkinImage& border = skin.borderImage; border.loaded && border.width < 3)
        cx.Warning(KeyLineOf(border, KeyName(SkinKey::File)), LintRule::BorderTooNarrow,
                   "border picture is " + std::to_string(border.width) +
                       " pixels wide; frames need at least 3");
    if (skin.backgroundImage.loaded) CheckImage(cx, skin, skin.backgroundImage, "background image");
    if (const SkinElement& photo = skin.photoRect; photo.section >= 0) {
        if (std::all_of(kPosKeys.begin(), kPosKeys.end(),
                        [&](std::string_view k) { return !photo.FindKey(k); }))
            cx.Warning(photo.line, LintRule::PhotoWithoutPosition,
                       Bracketed(SectionName(SectionKind::PhotoRect)) +
                           " has no position; the photo is not drawn");
        else
            CheckOnScreen(cx, photo, "photo rectangle");
    }
    for (const SkinImage& image : skin.images)
        CheckImage(cx, skin, image, "image");
    for (const SkinButton& button : skin.buttons)
        CheckButton(cx, button);
    std::set<std::string> checkedFaces;
    for (const SkinLabel& label : skin.labels)
        CheckLabel(cx, label, checkedFaces);
}

} // namespace pindrel::lint
