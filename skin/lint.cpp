#include "skin/lint.h"

#include <algorithm>
#include <unordered_map>

#include "skin/bitmap_cache.h"
#include "skin/call_type.h"
#include "skin/lint_internal.h"

namespace pindrel {

namespace lint {

namespace {

std::string Normalized(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (IsIniSpace(c)) continue;
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

// Optimal string alignment distance, for spotting typos in short names.
size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

std::string DroppedLineText(const IniDroppedLine& d) {
    const std::string_view line = d.text;
    const size_t eq = line.find('=');
    const bool entry = eq != std::string_view::npos && eq > 0;
    if (line.front() == '[')
        return line.find(']') != std::string_view::npos
                   ? "text after \"]\" makes this no section header; line ignored"
                   : "no closing \"]\": not a section header; line ignored";
    if (d.beforeSection)
        return entry ? "entry " + Quote(TrimIni(line.substr(0, eq))) +
                           " before any section is ignored"
                     : "line before any section is ignored";
    if (eq == std::string_view::npos) return "no \"=\" in this line; ignored";
    if (!entry) return "entry without a key; ignored";
    return Quote(TrimIni(line.substr(0, eq))) + " has no value; ignored";
}

void CheckSectionName(Context& cx, int32_t s) {
    const std::string name(cx.ini.sections[static_cast<size_t>(s)].name);
    const std::string norm = Normalized(name);
    for (const SectionInfo& section : kSkinSections) {
        const std::string_view known = section.name;
        const std::string knownNorm = Normalized(known);
        if (norm == knownNorm) {
            const SectionKind kind = section.kind;
            const std::string text = "section [" + name + "] is not [" + std::string(known) +
                                     "] (case and spaces count); section ignored";
            // Without those two the skin still shows everything it has.
            if (kind == SectionKind::BackgroundColor || kind == SectionKind::PhotoRect)
                cx.Warning(cx.HeaderLine(s), LintRule::SectionNameCase, text);
            else
                cx.Error(cx.HeaderLine(s), LintRule::SectionNameCase, text);
            return;
        }
        if (norm.size() >= 4 && norm.size() <= 64 && EditDistance(norm, knownNorm) <= 2) {
            cx.Warning(cx.HeaderLine(s), LintRule::SectionNameTypo,
                       "unknown section [" + name + "] (did you mean [" + std::string(known) +
                           "]?); section ignored");
            return;
        }
    }
    // Other names are left alone: authors keep notes in sections of their own.
}

void CheckInt(Context& cx, int32_t line, std::string_view key, std::string_view value) {
    if (!IsWholeSkinInt(value)) {
        cx.Warning(line, LintRule::NotANumber,
                   Quote(key) + " value " + Quote(value) + " is not a number; it reads as " +
                       std::to_string(ParseSkinInt(value)));
        return;
    }
    const int32_t v = ParseSkinInt(value);
    if (key == KeyName(SkinKey::Type) && (v & 31) == 0)
        cx.Warning(line, LintRule::NoCallType,
                   Quote(key) + " " + std::to_string(v) + " shows the element under no call type");
    const bool horizontal = key == KeyName(SkinKey::HorAlign);
    if ((horizontal || key == KeyName(SkinKey::VertAlign)) && (v < 0 || v > 2))
        cx.Warning(line, LintRule::AlignmentOutOfRange,
                   Quote(key) + " " + std::to_string(v) + " counts as " +
                       (horizontal ? "left" : "top") + " (0)");
}

// Checks the items of a number list; returns how many there are.
size_t CheckNumbers(Context& cx, int32_t line, std::string_view key, std::string_view value,
                    size_t from, bool colour) {
    std::vector<std::string> items;
    SplitList(value, items);
    for (size_t i = from; i < items.size(); ++i) {
        const int32_t v = ParseSkinInt(items[i]);
        if (!IsWholeSkinInt(items[i]))
            cx.Warning(line, LintRule::NotANumber,
                       Quote(key) + " item " + Quote(items[i]) + " is not a number; it reads as " +
                           std::to_string(v));
        else if (colour && (v < 0 || v > 255))
            cx.Warning(line, LintRule::ColourOutOfRange,
                       Quote(key) + " item " + items[i] + " is outside 0..255; it reads as " +
                           std::to_string(v & 0xFF));
    }
    return items.size();
}

void CheckValue(Context& cx, int32_t line, std::string_view key, std::string_view value,
                ValueForm form) {
    switch (form) {
    case ValueForm::Text:
        break;
    case ValueForm::Int:
        CheckInt(cx, line, key, value);
        break;
    case ValueForm::Pair: {
        const bool pos = key.starts_with("pos");
        const size_t n = CheckNumbers(cx, line, key, value, 0, false);
        if (n < 2)
            cx.Warning(line, LintRule::ItemCount,
                       Quote(key) + " needs two numbers \"" + (pos ? "x,y" : "width,height") +
                           "\"; " + (pos ? "ignored" : "the size reads as 0,0"));
        else if (n > 2)
            cx.Warning(line, LintRule::ItemCount,
                       Quote(key) + " has more than two numbers; the rest are ignored");
        break;
    }
    case ValueForm::Color: {
        const size_t n = CheckNumbers(cx, line, key, value, 0, true);
        if (n < 3)
            cx.Warning(line, LintRule::ItemCount,
                       Quote(key) + " needs three numbers \"red,green,blue\"; ignored");
        else if (n > 3)
            cx.Warning(line, LintRule::ItemCount,
                       Quote(key) + " has more than three numbers; the rest are ignored");
        break;
    }
    case ValueForm::Font: {
        std::vector<std::string> items;
        SplitList(value, items);
        if (items.empty()) {
            cx.Warning(line, LintRule::ItemCount, Quote(key) + " has no items; ignored");
            break;
        }
        if (!IsWholeSkinInt(items[0]))
            cx.Warning(line, LintRule::NotANumber,
                       Quote(key) + " size " + Quote(items[0]) + " is not a number; it reads as " +
                           std::to_string(ParseSkinInt(items[0])));
        for (size_t i = 2; i < std::min<size_t>(items.size(), 4); ++i) {
            if (!IsWholeSkinInt(items[i]))
                cx.Warning(line, LintRule::NotANumber,
                           Quote(key) + std::string(i == 2 ? " bold " : " italic ") + "flag " +
                               Quote(items[i]) + " is not a number");
        }
        if (items.size() > 4)
            cx.Warning(line, LintRule::ItemCount,
                       Quote(key) + " has more than four items (size, face, bold, "
                                    "italic); the rest are ignored");
        break;
    }
    case ValueForm::Fields: {
        // An empty item drops out and moves the later ones forward, and with them the numbers
        // of their font and colour keys.
        std::string_view rest = value;
        bool sawEmpty = false;
        while (true) {
            const size_t comma = rest.find(',');
            const std::string_view item = TrimIni(rest.substr(0, comma));
            if (item.empty()) {
                sawEmpty = true;
            } else if (sawEmpty) {
                cx.Warning(line, LintRule::EmptyFieldItem,
                           Quote(key) + " has an empty item; the items after it move "
                                        "forward, and so do their font and colour numbers");
                break;
            }
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        break;
    }
    }
}

void CheckKeys(Context& cx, int32_t s, SectionKind kind) {
    const IniSection& section = cx.ini.sections[static_cast<size_t>(s)];
    const std::span<const int32_t> lines = cx.ini.sectionLines[static_cast<size_t>(s)].entries;
    const SectionInfo& info = Section(kind);
    const std::string where = Bracketed(section.name);

    std::vector<std::string> fieldItems;
    if (info.numberedKeys) SplitList(cx.ini.FindValue(s, KeyName(SkinKey::Fields)), fieldItems);
    const auto itemCount = static_cast<int32_t>(fieldItems.size());

    std::vector<std::string> numbered;
    std::vector<std::string_view> candidates;
    for (const SkinKey k : info.keys)
        candidates.push_back(KeyName(k));
    if (info.numberedKeys) {
        // Hints for as many items as there are caller fields: every unknown key against the
        // keys of every item of a list of thousands would take time quadratic in its size.
        constexpr auto kHintedItems = static_cast<int32_t>(kCallerFieldNames.size());
        for (int32_t i = 1; i <= std::clamp(itemCount, 1, kHintedItems); ++i) {
            numbered.push_back(std::string(kFieldFontKeys.prefix) + std::to_string(i));
            numbered.push_back(std::string(kFieldColorKeys.prefix) + std::to_string(i));
        }
        candidates.insert(candidates.end(), numbered.begin(), numbered.end());
    }

    std::unordered_map<std::string_view, int32_t> seen;
    for (size_t e = 0; e < section.keys.size(); ++e) {
        const std::string_view key = section.keys[e];
        const std::string_view value = section.values[e];
        const int32_t line = e < lines.size() ? lines[e] : cx.HeaderLine(s);
        if (const auto [it, fresh] = seen.emplace(key, line); !fresh) {
            cx.Warning(line, LintRule::DuplicateKey,
                       Quote(key) + " given again in " + where + "; the first (line " +
                           std::to_string(it->second) + ") counts");
            continue;
        }

        const std::optional<ValueForm> form = KeyForm(kind, key);
        if (info.numberedKeys) {
            const size_t font = KeyNumber(key, kFieldFontKeys.prefix);
            const size_t n = font != 0 ? font : KeyNumber(key, kFieldColorKeys.prefix);
            if (n > fieldItems.size()) {
                cx.Warning(line, LintRule::FieldKeyWithoutField,
                           Quote(key) + " matches no item of " + Quote(KeyName(SkinKey::Fields)) +
                               " (it has " + std::to_string(itemCount) + "); ignored");
                continue;
            }
        }
        if (!form) {
            const auto like = Resembling(key, candidates);
            cx.Warning(line, LintRule::UnknownKey,
                       "unknown key " + Quote(key) + " in " + where +
                           (like ? " (did you mean " + Quote(*like) + "?)" : ""));
            continue;
        }
        if (info.onlyPictureCounts && key != KeyName(SkinKey::File)) {
            cx.Warning(line, LintRule::KeyPlaysNoPart,
                       Quote(key) + " plays no part in " + where +
                           ": only its picture "
                           "counts");
            continue;
        }
        CheckValue(cx, line, key, value, *form);
    }
}

} // namespace

std::string Bracketed(std::string_view name) {
    // Appended rather than "[" + name + "]", which GCC 12 misreads as an overlapping copy
    // (-Wrestrict) in optimised builds.
    std::string text = "[";
    text.append(name).append("]");
    return text;
}

std::string Quote(std::string_view text) {
    constexpr size_t kMax = 48;
    std::string quoted;
    quoted.reserve(kMax + 5);
    quoted += '"';
    quoted.append(text.substr(0, kMax));
    if (text.size() > kMax) quoted += "...";
    quoted += '"';
    return quoted;
}

std::optional<std::string_view> Resembling(std::string_view name,
                                           const std::vector<std::string_view>& candidates) {
    if (name.size() > 64) return std::nullopt;
    const std::string lower = Normalized(name);
    std::optional<std::string_view> best;
    size_t bestDistance = 0;
    for (const std::string_view c : candidates) {
        const std::string cl = Normalized(c);
        const size_t d = cl == lower ? 0 : EditDistance(lower, cl);
        const size_t limit = std::min(lower.size(), cl.size()) <= 4 ? 1 : 2;
        if (d <= limit && (!best || d < bestDistance)) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}

int32_t Context::HeaderLine(int32_t s) const {
    return ini.sectionLines[static_cast<size_t>(s)].header;
}

int32_t Context::KeyLine(int32_t s, std::string_view key) const {
    const IniSection& section = ini.sections[static_cast<size_t>(s)];
    const std::span<const int32_t> lines = ini.sectionLines[static_cast<size_t>(s)].entries;
    for (size_t e = 0; e < section.keys.size() && e < lines.size(); ++e) {
        if (section.keys[e] == key) return lines[e];
    }
    return HeaderLine(s);
}

bool Context::HasKey(int32_t s, std::string_view key) const {
    return !ini.FindValue(s, key).empty();
}

std::filesystem::path Context::Resolve(std::string_view name) const {
    const std::filesystem::path p(name);
    return p.is_absolute() ? p : dir_ / p;
}

void Context::Add(int32_t line, bool error, LintRule rule, std::string text) {
    findings_.push_back({total_++, {file_, line, error, std::move(text), rule}});
    // Past the limit only the first findings by line are kept: trimming at twice the limit keeps
    // memory bounded and the work linear.
    if (maxFindings < SIZE_MAX / 2 && findings_.size() >= 2 * maxFindings + 1) {
        const auto keep = findings_.begin() + static_cast<std::ptrdiff_t>(maxFindings);
        std::nth_element(findings_.begin(), keep, findings_.end(), Before);
        findings_.erase(keep, findings_.end());
    }
}

std::vector<LintFinding> Context::TakeFindings() {
    std::sort(findings_.begin(), findings_.end(), Before);
    if (findings_.size() > maxFindings) findings_.resize(maxFindings);
    std::vector<LintFinding> out;
    out.reserve(findings_.size());
    for (Entry& e : findings_)
        out.push_back(std::move(e.finding));
    findings_.clear();
    return out;
}

void CheckStructure(Context& cx) {
    for (const IniDroppedLine& d : cx.ini.droppedLines)
        cx.Warning(d.line, LintRule::LineIgnored, DroppedLineText(d));

    for (int32_t s = 0; s < static_cast<int32_t>(cx.ini.sections.size()); ++s) {
        const auto kind = FindSectionKind(cx.ini.sections[static_cast<size_t>(s)].name);
        if (!kind) {
            CheckSectionName(cx, s);
            continue;
        }
        if (Section(*kind).single) {
            int32_t& first = cx.firstSection[static_cast<size_t>(*kind)];
            if (first >= 0) {
                cx.Warning(cx.HeaderLine(s), LintRule::SecondSection,
                           "second [" + std::string(cx.ini.sections[static_cast<size_t>(s)].name) +
                               "] section is ignored (the first is at line " +
                               std::to_string(cx.HeaderLine(first)) + ")");
                continue;
            }
            first = s;
        }
        CheckKeys(cx, s, *kind);
    }
}

} // namespace lint

namespace {

// A skin loaded only to be looked at: no caller and no call type.
class LoadedForLint final : public Skin {
public:
    std::string GetFieldText(int32_t) override { return {}; }
    CallType GetCallType(ConstPixelView* photo) override {
        if (photo) *photo = {};
        return CallType::UnknownCaller;
    }
};

std::filesystem::path FolderOf(std::string_view path) {
    std::filesystem::path dir = std::filesystem::path(path).parent_path();
    return dir.empty() ? std::filesystem::path(".") : dir;
}

} // namespace

LintSummary LintSkinFirst(std::string_view path, size_t maxFindings, uint64_t maxBitmapBytes) {
    // Loaded as the loader loads it, with its pictures found beside the skin, whatever the
    // current directory: each picture decoded once, however many sections name it.
    SkinIniFile ini;
    LoadedForLint skin;
    skin.maxBitmapBytes = maxBitmapBytes;
    BitmapCache pictures;
    LoadReport report;
    if (!LoadSkinBeside(skin, path, ini, LoadContext{{}, &pictures, &report})) {
        LintSummary summary{{}, 1};
        if (maxFindings > 0) summary.findings.push_back(UnreadableSkinFinding(path));
        return summary;
    }
    return LintLoadedSkin(path, ini, skin, report, maxFindings);
}

LintSummary LintLoadedSkin(std::string_view path, const SkinIniFile& file, const Skin& skin,
                           const LoadReport& report, size_t maxFindings) {
    lint::Context cx(file, std::string(path), FolderOf(path));
    cx.maxBitmapBytes = skin.maxBitmapBytes;
    cx.maxFindings = maxFindings;
    lint::CheckStructure(cx);
    lint::CheckElements(cx, skin, report);
    const size_t total = cx.Total();
    return {cx.TakeFindings(), total};
}

LintFinding UnreadableSkinFinding(std::string_view path) {
    const std::string problem = SkinReadProblem(path);
    const std::string text =
        problem == "cannot read the skin file" ? problem : "cannot read the skin file: " + problem;
    return {std::string(path), 0, true, text, LintRule::SkinUnreadable};
}

std::vector<LintFinding> LintSkin(std::string_view path, uint64_t maxBitmapBytes) {
    return LintSkinFirst(path, SIZE_MAX, maxBitmapBytes).findings;
}

std::string FormatFinding(const LintFinding& f) {
    return f.file + ":" + std::to_string(f.line) + (f.error ? ": error: " : ": warning: ") + f.text;
}

} // namespace pindrel
