// The invariants of the editing engine, checked for one edit.
#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string_view>

#include "support/edit_check.h"
#include "support/place_check.h"
#include "support/test_skin.h"

namespace pindrel::test {

namespace {

using Kind = EditOp::Kind;

// Sections as plain values.
struct Sec {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    friend bool operator==(const Sec&, const Sec&) = default;
};
using Secs = std::vector<Sec>;

Secs SectionsOf(const IniFile& file) {
    Secs out;
    for (const IniSection& s : file.sections) {
        Sec& sec = out.emplace_back(Sec{std::string(s.name), {}});
        for (size_t i = 0; i < s.keys.size(); ++i)
            sec.entries.emplace_back(s.keys[i], s.values[i]);
    }
    return out;
}

std::string SecsDifference(const Secs& want, const Secs& got) {
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        if (i < want.size() && i < got.size() && want[i] == got[i]) continue;
        const auto show = [](const Secs& secs, size_t n) {
            if (n >= secs.size()) return std::string("(none)");
            std::string text = "[" + secs[n].name + "]";
            for (const auto& [k, v] : secs[n].entries)
                text += " " + k + "=" + v;
            return text;
        };
        return "section " + std::to_string(i) + ": expected " + show(want, i) + "\n     got " +
               show(got, i);
    }
    return {};
}

// The loaded skin as text: its own four parts, and each kind's elements with their sections.
struct Model {
    std::array<std::string, 4> singles;
    std::array<std::vector<std::pair<int32_t, std::string>>, 3> lists;
};

std::string Rects(const SkinElement& e) {
    std::ostringstream s;
    for (const Rect& r : e.rects)
        s << " (" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    return s.str();
}

std::string ImageText(const SkinImage& i) {
    std::ostringstream s;
    s << i.loaded << " " << i.file << " " << i.width << "x" << i.height << " type " << i.type
      << " border " << i.border << " key " << i.hasTransparentColor << ":"
      << (i.hasTransparentColor ? i.transparentColor.Value() : 0) << Rects(i);
    return s.str();
}

Model ModelOf(const Skin& skin) {
    Model m;
    m.singles = {std::to_string(skin.backgroundColor.Value()), ImageText(skin.backgroundImage),
                 ImageText(skin.borderImage), Rects(skin.photoRect)};
    for (const SkinImage& i : skin.images)
        m.lists[0].emplace_back(i.section, ImageText(i));
    for (const SkinButton& b : skin.buttons) {
        std::ostringstream s;
        s << b.fileUp << "|" << b.fileDown << " id " << b.id << " " << b.width << "x" << b.height
          << " type " << b.type << " fires " << b.firesOnPress << " key " << b.hasTransparentColor
          << ":" << (b.hasTransparentColor ? b.transparentColor.Value() : 0) << Rects(b);
        m.lists[1].emplace_back(b.section, s.str());
    }
    for (const SkinLabel& l : skin.labels) {
        std::ostringstream s;
        s << "type " << l.type << " align " << l.horAlign << "," << l.vertAlign;
        for (size_t f = 0; f < l.fieldIds.size(); ++f)
            s << " " << l.fieldIds[f] << ":" << l.fonts[f].face << "," << l.fonts[f].size << ","
              << l.fonts[f].bold << "," << l.fonts[f].italic << "," << l.fonts[f].color.Value();
        m.lists[2].emplace_back(l.section, s.str() + Rects(l));
    }
    return m;
}

size_t ListOf(SectionKind kind) {
    return kind == SectionKind::Image ? 0 : kind == SectionKind::Button ? 1 : 2;
}

std::vector<std::string> Texts(const std::vector<std::pair<int32_t, std::string>>& list,
                               int32_t without = -2) {
    std::vector<std::string> texts;
    for (const auto& [section, text] : list)
        if (section != without) texts.push_back(text);
    return texts;
}

std::string ModelDifference(const Model& want, const Model& got) {
    for (size_t i = 0; i < want.singles.size(); ++i)
        if (want.singles[i] != got.singles[i])
            return "skin part " + std::to_string(i) + ": expected " + want.singles[i] +
                   "\n     got " + got.singles[i];
    for (size_t k = 0; k < want.lists.size(); ++k) {
        const std::vector<std::string> w = Texts(want.lists[k]), g = Texts(got.lists[k]);
        for (size_t i = 0; i < std::max(w.size(), g.size()); ++i) {
            const std::string a = i < w.size() ? w[i] : "(none)";
            const std::string b = i < g.size() ? g[i] : "(none)";
            if (a != b)
                return "element " + std::to_string(i) + " of kind " + std::to_string(k) +
                       ": expected " + a + "\n     got " + b;
        }
    }
    return {};
}

// A file's lines, each with its line break (CR LF, CR, LF, or none for a last line without).
struct Line {
    std::string_view text, end;
};

std::vector<Line> LinesOf(std::span<const uint8_t> bytes) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<Line> lines;
    size_t p = 0;
    while (p < all.size()) {
        size_t e = p;
        while (e < all.size() && all[e] != '\r' && all[e] != '\n')
            ++e;
        size_t n = e;
        if (n < all.size())
            n += (all[n] == '\r' && n + 1 < all.size() && all[n + 1] == '\n') ? 2 : 1;
        lines.push_back({all.substr(p, e - p), all.substr(e, n - e)});
        p = n;
    }
    return lines;
}

bool IsComment(std::string_view text) {
    text = TrimIni(text);
    return !text.empty() && text.front() == ';';
}

size_t HeaderLine(const IniFile& file, int32_t s) {
    return static_cast<size_t>(file.sectionLines[static_cast<size_t>(s)].header - 1);
}

size_t LeadLine(const IniFile& file, const std::vector<Line>& lines, int32_t s) {
    size_t lead = HeaderLine(file, s);
    while (lead > 0 && IsComment(lines[lead - 1].text))
        --lead;
    return lead;
}

using Range = std::pair<size_t, size_t>; // [first, last) lines

// What removing or moving section s takes: the comment lines directly above its header, the
// header, entries and lines between, and the blank lines after its last entry.
Range Block(const IniFile& file, const std::vector<Line>& lines, int32_t s) {
    const IniSectionLines& at = file.sectionLines[static_cast<size_t>(s)];
    size_t end = static_cast<size_t>(at.entries.empty() ? at.header : at.entries.back());
    while (end < lines.size() && TrimIni(lines[end].text).empty())
        ++end;
    return {LeadLine(file, lines, s), end};
}

// Everything from section s's comment lines up to the next header.
Range Region(const IniFile& file, const std::vector<Line>& lines, int32_t s) {
    const bool last = static_cast<size_t>(s) + 1 == file.sections.size();
    return {LeadLine(file, lines, s), last ? lines.size() : HeaderLine(file, s + 1)};
}

// The lines outside the ranges, in order.
std::vector<Line> Outside(const std::vector<Line>& lines, const std::vector<Range>& touched) {
    std::vector<Line> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool in = std::any_of(touched.begin(), touched.end(),
                                    [i](const Range& r) { return i >= r.first && i < r.second; });
        if (!in) out.push_back(lines[i]);
    }
    return out;
}

std::string Shown(const Line& line) {
    std::string s = "\"" + std::string(line.text.substr(0, 60)) + "\" ending \"";
    for (const char c : line.end)
        s += c == '\r' ? "\\r" : "\\n";
    return s + "\"";
}

std::string LineDifference(const std::vector<Line>& before, const std::vector<Range>& oldTouched,
                           const std::vector<Line>& after, const std::vector<Range>& newTouched) {
    const std::vector<Line> a = Outside(before, oldTouched), b = Outside(after, newTouched);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i >= a.size() || i >= b.size())
            return "line " + Shown(i < a.size() ? a[i] : b[i]) +
                   (i < a.size() ? " is gone" : " is new");
        // A last line without a line break may get one.
        if (a[i].text != b[i].text || (a[i].end != b[i].end && !a[i].end.empty()))
            return "line " + Shown(a[i]) + " became " + Shown(b[i]);
    }
    return {};
}

// The non-blank lines of a range but those of key, without their line breaks.
std::vector<std::string_view> OtherLines(const std::vector<Line>& lines, Range r,
                                         std::string_view key) {
    std::vector<std::string_view> out;
    for (size_t i = r.first; i < r.second; ++i) {
        const std::string_view t = TrimIni(lines[i].text);
        const size_t eq = t.find('=');
        if (t.empty() || (eq != std::string_view::npos && TrimIni(t.substr(0, eq)) == key))
            continue;
        out.push_back(lines[i].text);
    }
    return out;
}

std::string SameLines(const std::vector<std::string_view>& a,
                      const std::vector<std::string_view>& b) {
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? "\"" + std::string(a[i]) + "\"" : "(none)";
        const std::string y = i < b.size() ? "\"" + std::string(b[i]) + "\"" : "(none)";
        if (x != y) return x + " became " + y;
    }
    return {};
}

std::optional<SectionKind> KindOf(const IniFile& file, int32_t s) {
    return FindSectionKind(file.sections[static_cast<size_t>(s)].name);
}

} // namespace

std::string EditDifference(const SkinIniFile& fileBefore, const Skin& before,
                           const EditResult& result, const Skin& after, const EditOp& op) {
    if (!result.ok) return "refused: " + result.error;
    if (op.kind == Kind::Place)
        return PlaceDifference(fileBefore.Bytes(), before, result.file.Bytes(), after, op.element,
                               op.placement);
    const SkinIniFile& fileAfter = result.file;
    const Secs old = SectionsOf(fileBefore), got = SectionsOf(fileAfter);
    Secs want = old;
    int32_t s = op.section;
    if (op.kind == Kind::SetSingle) s = fileBefore.FindSection(SectionName(op.sectionKind), 0);
    const bool appended = op.kind == Kind::Add || (op.kind == Kind::SetSingle && s < 0);
    const std::string value(TrimIni(op.value));
    std::vector<int32_t> places; // where a restacked section may have gone
    switch (op.kind) {
    case Kind::Set:
    case Kind::SetSingle:
        if (s < 0) {
            want.push_back({std::string(SectionName(op.sectionKind)), {{op.key, value}}});
            break;
        }
        if (auto& e = want[static_cast<size_t>(s)].entries;
            std::none_of(e.begin(), e.end(), [&](auto& kv) { return kv.first == op.key; }))
            e.emplace_back(op.key, value);
        else
            std::find_if(e.begin(), e.end(), [&](auto& kv) { return kv.first == op.key; })->second =
                value;
        break;
    case Kind::Unset:
        std::erase_if(want[static_cast<size_t>(s)].entries,
                      [&](auto& kv) { return kv.first == op.key; });
        break;
    case Kind::Add: {
        Sec& sec = want.emplace_back(Sec{std::string(SectionName(op.sectionKind)), {}});
        for (const auto& [k, v] : op.entries)
            sec.entries.emplace_back(k, TrimIni(v));
        break;
    }
    case Kind::Remove: {
        const std::optional<SectionKind> kind = KindOf(fileBefore, s);
        const std::string name = old[static_cast<size_t>(s)].name;
        if (kind && Section(*kind).single)
            std::erase_if(want, [&](const Sec& sec) { return sec.name == name; });
        else
            want.erase(want.begin() + s);
        break;
    }
    case Kind::Duplicate:
        want.insert(want.begin() + s + 1, old[static_cast<size_t>(s)]);
        break;
    case Kind::Restack:
        // Where it went: the first place that gives the new sections, or any later one among
        // equal sections, which the lines tell apart.
        want.erase(want.begin() + s);
        for (size_t t = 0; t <= want.size(); ++t) {
            Secs w = want;
            w.insert(w.begin() + static_cast<ptrdiff_t>(t), old[static_cast<size_t>(s)]);
            if (w == got) places.push_back(static_cast<int32_t>(t));
        }
        want.insert(want.begin() + (places.empty() ? 0 : places[0]), old[static_cast<size_t>(s)]);
        break;
    case Kind::Place:
        break;
    }
    if (std::string d = SecsDifference(want, got); !d.empty()) return "parse: " + d;

    // The model: what the operation says of the elements, the rest as it was.
    const Model m0 = ModelOf(before), m1 = ModelOf(after);
    Model expected = m0;
    const std::optional<SectionKind> kind =
        appended ? std::optional(op.sectionKind) : KindOf(fileBefore, s);
    const bool element = kind && !Section(*kind).single;
    const size_t k = element ? ListOf(*kind) : 0;
    auto& list = expected.lists[k];
    const auto at = std::find_if(list.begin(), list.end(), [&](auto& e) { return e.first == s; });
    switch (op.kind) {
    case Kind::Set:
    case Kind::SetSingle:
    case Kind::Unset: {
        const bool counts = kind && Section(*kind).single &&
                            (s < 0 || fileBefore.FindSection(SectionName(*kind), 0) == s);
        if (counts) {
            // The skin's parts are in the order of their kinds.
            const auto i = static_cast<size_t>(*kind);
            expected.singles[i] = m1.singles[i];
        }
        if (element) { // the element of that section may change, come or go
            if (Texts(m0.lists[k], s) != Texts(m1.lists[k], s))
                return "model: another element of the kind changed";
            expected.lists[k] = m1.lists[k];
        }
        break;
    }
    case Kind::Add:
        if (m1.lists[k].size() == list.size() + 1 &&
            m1.lists[k].back().first == static_cast<int32_t>(got.size()) - 1)
            list.push_back(m1.lists[k].back());
        break;
    case Kind::Remove:
        if (kind && Section(*kind).single) {
            TestSkin empty;
            empty.Load(SkinIniFile{}, {});
            const auto i = static_cast<size_t>(*kind);
            expected.singles[i] = ModelOf(empty).singles[i];
        } else if (element && at != list.end()) {
            list.erase(at);
        }
        break;
    case Kind::Duplicate:
        if (at != list.end()) list.insert(at + 1, *at);
        break;
    case Kind::Restack:
        if (at != list.end()) {
            const auto e = *at;
            list.erase(at);
            list.insert(list.begin() + static_cast<ptrdiff_t>(op.to), e);
        }
        break;
    case Kind::Place:
        break;
    }
    if (std::string d = ModelDifference(expected, m1); !d.empty()) return "model: " + d;

    // The lines.
    const std::vector<Line> a = LinesOf(fileBefore.Bytes()), b = LinesOf(fileAfter.Bytes());
    std::vector<Range> oldTouched, newTouched;
    const auto last = static_cast<int32_t>(got.size()) - 1;
    switch (op.kind) {
    case Kind::Set:
    case Kind::SetSingle:
    case Kind::Unset:
        if (appended) {
            newTouched.push_back({HeaderLine(fileAfter, last), b.size()});
            break;
        }
        oldTouched.push_back(Region(fileBefore, a, s));
        newTouched.push_back(Region(fileAfter, b, s));
        if (std::string d = SameLines(OtherLines(a, oldTouched[0], op.key),
                                      OtherLines(b, newTouched[0], op.key));
            !d.empty())
            return "lines of the section: " + d;
        break;
    case Kind::Add:
        newTouched.push_back({HeaderLine(fileAfter, last), b.size()});
        break;
    case Kind::Remove:
        for (int32_t i = 0; i < static_cast<int32_t>(old.size()); ++i)
            if (i == s ||
                (kind && Section(*kind).single && old[size_t(i)].name == old[size_t(s)].name))
                oldTouched.push_back(Block(fileBefore, a, i));
        break;
    case Kind::Duplicate:
        newTouched.push_back(Block(fileAfter, b, s + 1));
        break;
    case Kind::Restack: {
        oldTouched.push_back(Block(fileBefore, a, s));
        std::string d;
        for (const int32_t t : places) {
            d = LineDifference(a, oldTouched, b, {Block(fileAfter, b, t)});
            if (d.empty()) return {};
        }
        return "lines: " + d;
    }
    case Kind::Place:
        break;
    }
    if (std::string d = LineDifference(a, oldTouched, b, newTouched); !d.empty())
        return "lines: " + d;
    return {};
}

} // namespace pindrel::test
