#include "cli/snapshot_file.h"

#include <nlohmann/json.hpp>

namespace pindrel::cli {

namespace {

// Written in a fixed order of members; read into std::map, whose look-ups stay logarithmic when
// a hostile file holds many members (ordered_json's search each one linearly).
using Json = nlohmann::ordered_json;
using ReadJson = nlohmann::json;

// Deeper than any snapshot nests; deeper input is refused before it is parsed.
constexpr int kMaxDepth = 8;

// Whether the brackets of text nest no deeper than kMaxDepth, in one pass: the parser's callback,
// which could say so, scans the whole enclosing array after every value, a quadratic cost.
bool ShallowEnough(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxDepth) return false;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return true;
}

Json Digest(const FileDigest& d) {
    return {{"file", d.file}, {"sha256", d.sha256 ? Json(*d.sha256) : Json(nullptr)}};
}

Json Digests(const std::vector<FileDigest>& list) {
    Json array = Json::array();
    for (const FileDigest& d : list)
        array.push_back(Digest(d));
    return array;
}

// Readers of one member each: false when it is missing or of another type.
bool GetText(const ReadJson& object, const char* key, std::string& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string()) return false;
    out = it->get<std::string>();
    return true;
}

bool IsSha256(const std::string& text) {
    if (text.size() != 64) return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

bool GetDigest(const ReadJson& value, FileDigest& out) {
    if (!value.is_object() || !GetText(value, "file", out.file)) return false;
    const auto sha = value.find("sha256");
    if (sha == value.end() || sha->is_null()) {
        out.sha256.reset();
        return true;
    }
    if (!sha->is_string() || !IsSha256(sha->get<std::string>())) return false;
    out.sha256 = sha->get<std::string>();
    return true;
}

bool GetDigests(const ReadJson& object, const char* key, std::vector<FileDigest>& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_array()) return false;
    for (const ReadJson& item : *it) {
        FileDigest d;
        if (!GetDigest(item, d)) return false;
        out.push_back(std::move(d));
    }
    return true;
}

} // namespace

std::string FormatSnapshot(const Snapshot& s) {
    const CallerInfo& i = s.info;
    const Json json = {
        {"format", kSnapshotFormat},
        {"tool", s.tool},
        {"dpi", s.dpi},
        {"time", s.time},
        {"sample",
         {{"name", i.name},
          {"company", i.company},
          {"job", i.job},
          {"categories", i.categories},
          {"phone", i.phone},
          {"phoneType", i.phoneType},
          {"nick", i.nick},
          {"photo", s.photo ? Digest(*s.photo) : Json(nullptr)}}},
        {"skin", Digest(s.skin)},
        {"bitmaps", Digests(s.bitmaps)},
        {"fonts", Digests(s.fonts)},
    };
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<Snapshot> ParseSnapshot(std::string_view text, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    const ReadJson json = ShallowEnough(text)
                              ? ReadJson::parse(text.begin(), text.end(), nullptr, false)
                              : ReadJson(ReadJson::value_t::discarded);
    if (json.is_discarded() || !json.is_object()) {
        *error = "not a snapshot file (no JSON object of the expected form)";
        return std::nullopt;
    }
    const auto format = json.find("format");
    if (format == json.end() || !format->is_number_integer()) {
        *error = "not a snapshot file (no \"format\")";
        return std::nullopt;
    }
    if (format->get<int64_t>() != kSnapshotFormat) {
        *error = "a snapshot of format " + format->dump() + ", which this version cannot read";
        return std::nullopt;
    }
    Snapshot s;
    const auto dpi = json.find("dpi");
    const auto sample = json.find("sample");
    const auto skin = json.find("skin");
    bool ok = GetText(json, "tool", s.tool) && GetText(json, "time", s.time) && dpi != json.end() &&
              dpi->is_number_integer() && sample != json.end() && sample->is_object() &&
              skin != json.end() && GetDigest(*skin, s.skin) &&
              GetDigests(json, "bitmaps", s.bitmaps) && GetDigests(json, "fonts", s.fonts);
    if (ok) {
        const int64_t n = dpi->get<int64_t>();
        ok = n >= 1 && n <= 10000;
        s.dpi = static_cast<int32_t>(n);
    }
    if (ok) {
        CallerInfo& i = s.info;
        ok = GetText(*sample, "name", i.name) && GetText(*sample, "company", i.company) &&
             GetText(*sample, "job", i.job) && GetText(*sample, "categories", i.categories) &&
             GetText(*sample, "phone", i.phone) && GetText(*sample, "phoneType", i.phoneType) &&
             GetText(*sample, "nick", i.nick);
        const auto photo = sample->find("photo");
        ok = ok && photo != sample->end();
        if (ok && !photo->is_null()) {
            FileDigest d;
            ok = GetDigest(*photo, d);
            s.photo = std::move(d);
        }
    }
    if (!ok) {
        *error = "not a snapshot file (a member is missing or of the wrong type)";
        return std::nullopt;
    }
    return s;
}

} // namespace pindrel::cli
