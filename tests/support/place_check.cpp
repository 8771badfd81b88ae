#include "support/place_check.h"

#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "ini/ini_file.h"
#include "skin/skin_format.h"

namespace pindrel::test {

namespace {

// The model as text, one element a line, with one rectangle replaced when asked.
class ModelText {
public:
    ModelText(const PlacedElement* element, int32_t orientation, const Rect& rect)
        : element_(element), orientation_(orientation), rect_(rect) {}

    std::vector<std::string> Of(const Skin& skin) {
        std::vector<std::string> lines;
        lines.push_back("background colour " + std::to_string(skin.backgroundColor.Value()));
        lines.push_back("background " + Image(skin.backgroundImage) + Rects(skin.backgroundImage));
        lines.push_back("border " + Image(skin.borderImage) + Rects(skin.borderImage));
        lines.push_back("photo" + Rects(skin.photoRect, PlacedKind::Photo, 0));
        for (size_t i = 0; i < skin.images.size(); ++i)
            lines.push_back("image " + Image(skin.images[i]) +
                            Rects(skin.images[i], PlacedKind::Image, i));
        for (size_t i = 0; i < skin.buttons.size(); ++i) {
            const SkinButton& b = skin.buttons[i];
            std::ostringstream s;
            s << "button " << b.fileUp << "|" << b.fileDown << " id " << b.id << " size " << b.width
              << "x" << b.height << " type " << b.type << " fires " << b.firesOnPress << " key "
              << b.hasTransparentColor << ":"
              << (b.hasTransparentColor ? b.transparentColor.Value() : 0) << " section "
              << b.section;
            lines.push_back(s.str() + Rects(b, PlacedKind::Button, i));
        }
        for (size_t i = 0; i < skin.labels.size(); ++i) {
            const SkinLabel& l = skin.labels[i];
            std::ostringstream s;
            s << "label type " << l.type << " align " << l.horAlign << "," << l.vertAlign
              << " section " << l.section << " fields";
            for (size_t f = 0; f < l.fieldIds.size(); ++f) {
                const FontSpec& font = l.fonts[f];
                s << " " << l.fieldIds[f] << ":" << font.face << "," << font.size << ","
                  << font.bold << "," << font.italic << "," << font.color.Value();
            }
            lines.push_back(s.str() + Rects(l, PlacedKind::Label, i));
        }
        return lines;
    }

private:
    static std::string Image(const SkinImage& image) {
        std::ostringstream s;
        s << "loaded " << image.loaded << " " << image.file << " size " << image.width << "x"
          << image.height << " type " << image.type << " border " << image.border << " key "
          << image.hasTransparentColor << ":"
          << (image.hasTransparentColor ? image.transparentColor.Value() : 0) << " section "
          << image.section;
        return s.str();
    }
    std::string Rects(const SkinElement& e, std::optional<PlacedKind> kind = {}, size_t i = 0) {
        std::string text;
        for (int32_t o = 0; o < kOrientationCount; ++o) {
            Rect r = e.rects[static_cast<size_t>(o)];
            if (element_ && kind == element_->kind && i == element_->index && o == orientation_)
                r = rect_;
            text += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
        }
        return text;
    }

    const PlacedElement* element_;
    int32_t orientation_;
    Rect rect_;
};

// A file as alternating runs: of bytes that are no line break, and of line breaks.
struct Run {
    std::string_view text;
    bool breaks = false;
};

std::vector<Run> Runs(std::span<const uint8_t> bytes) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<Run> runs;
    size_t i = 0;
    while (i < all.size()) {
        const bool breaks = all[i] == '\r' || all[i] == '\n';
        size_t j = i;
        while (j < all.size() && ((all[j] == '\r' || all[j] == '\n') == breaks))
            ++j;
        runs.push_back({all.substr(i, j - i), breaks});
        i = j;
    }
    return runs;
}

bool IsHeader(std::string_view line) {
    line = TrimIni(line);
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// The key of a position or size entry line, or nothing.
std::optional<std::string_view> PairKeyOf(std::string_view line) {
    line = TrimIni(line);
    const size_t eq = line.find('=');
    if (line.empty() || line.front() == ';' || eq == std::string_view::npos || eq == 0)
        return std::nullopt;
    const std::string_view key = TrimIni(line.substr(0, eq));
    for (size_t o = 0; o < kOrientationCount; ++o) {
        if (key == kPosKeys[o] || key == kSizeKeys[o]) return line.substr(0, eq + 1);
    }
    return std::nullopt;
}

std::string Shown(std::string_view text) {
    std::string s;
    for (const char c : text.substr(0, 80)) {
        if (c == '\r')
            s += "\\r";
        else if (c == '\n')
            s += "\\n";
        else
            s += c;
    }
    return "\"" + s + "\"";
}

} // namespace

std::string ModelDifference(const Skin& before, const Skin& after, const PlacedElement& element,
                            int32_t orientation, const Rect& rect) {
    const std::vector<std::string> want = ModelText(&element, orientation, rect).Of(before);
    const std::vector<std::string> got = ModelText(nullptr, 0, {}).Of(after);
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "(nothing)";
        const std::string g = i < got.size() ? got[i] : "(nothing)";
        if (w != g) return "expected " + w + "\n     got " + g;
    }
    return {};
}

std::string LineDifference(std::span<const uint8_t> before, std::span<const uint8_t> after,
                           int32_t section) {
    const std::vector<Run> a = Runs(before), b = Runs(after);
    // The section each run lies in.
    const auto sectionsOf = [](const std::vector<Run>& runs) {
        std::vector<int32_t> of;
        int32_t s = -1;
        for (const Run& r : runs) {
            if (!r.breaks && IsHeader(r.text)) ++s;
            of.push_back(s);
        }
        return of;
    };
    const std::vector<int32_t> inA = sectionsOf(a), inB = sectionsOf(b);
    const int32_t edited = section >= 0 ? section : (inA.empty() ? 0 : inA.back() + 1);
    const std::string photo = "[" + std::string(SectionName(SectionKind::PhotoRect)) + "]";
    const auto kept = [&](size_t i, size_t j) {
        if (a[i].breaks != b[j].breaks) return false;
        if (a[i].text == b[j].text) return true;
        // The value of a position or size line of the section, rewritten.
        const std::optional<std::string_view> key =
            a[i].breaks ? std::nullopt : PairKeyOf(a[i].text);
        return key && inA[i] == edited && PairKeyOf(b[j].text) == key;
    };
    const auto inserted = [&](size_t j) {
        const Run& r = b[j];
        if (r.breaks) return r.text == "\n" || r.text == "\r" || r.text == "\r\n";
        return inB[j] == edited && (PairKeyOf(r.text) || (section < 0 && r.text == photo));
    };
    if (b.size() < a.size()) return "lines are gone";
    // Aligns the runs: each old one kept in order, the extra new ones inserted. Few are
    // inserted, so the table is narrow: reach[i][d] tells whether a[0, i) and b[0, i + d) align.
    const size_t extra = b.size() - a.size();
    std::vector<std::vector<char>> reach(a.size() + 1, std::vector<char>(extra + 1, 0));
    reach[0][0] = 1;
    size_t furthest = 0;
    for (size_t i = 0; i <= a.size(); ++i) {
        for (size_t d = 0; d <= extra; ++d) {
            if (!reach[i][d]) continue;
            furthest = std::max(furthest, i);
            const size_t j = i + d;
            if (i < a.size() && j < b.size() && kept(i, j)) reach[i + 1][d] = 1;
            if (d < extra && inserted(j)) reach[i][d + 1] = 1;
        }
    }
    if (reach[a.size()][extra]) return {};
    return furthest < a.size() ? "no counterpart for " + Shown(a[furthest].text)
                               : "more lines than inserted ones";
}

Rect PlacedRect(const Skin& skin, const PlacedElement& element, const Placement& placement) {
    Size natural;
    if (element.kind == PlacedKind::Image && element.index < skin.images.size())
        natural = {skin.images[element.index].width, skin.images[element.index].height};
    if (element.kind == PlacedKind::Button && element.index < skin.buttons.size())
        natural = {skin.buttons[element.index].width, skin.buttons[element.index].height};
    return Rect::FromXYWH(placement.x, placement.y,
                          placement.width ? placement.width : natural.width,
                          placement.height ? placement.height : natural.height);
}

std::string PlaceDifference(std::span<const uint8_t> beforeBytes, const Skin& before,
                            std::span<const uint8_t> afterBytes, const Skin& after,
                            const PlacedElement& element, const Placement& placement) {
    const std::string model = ModelDifference(before, after, element, placement.orientation,
                                              PlacedRect(before, element, placement));
    if (!model.empty()) return model;
    int32_t section = before.photoRect.section;
    if (element.kind == PlacedKind::Image) section = before.images[element.index].section;
    if (element.kind == PlacedKind::Button) section = before.buttons[element.index].section;
    if (element.kind == PlacedKind::Label) section = before.labels[element.index].section;
    return LineDifference(beforeBytes, afterBytes, section);
}

} // namespace pindrel::test
