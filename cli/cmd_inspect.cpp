#include <algorithm>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "render/text_decode.h"

namespace pindrel::cli {

namespace {

using Json = nlohmann::ordered_json;

// Skin texts are bytes; JSON wants UTF-8, so stray bytes read as Windows-1252.
Json Text(std::string_view text) {
    return ToWellFormedUtf8(text);
}

Json Rects(const SkinElement& element) {
    Json rects = Json::array();
    for (const Rect& r : element.rects)
        rects.push_back({r.left, r.top, r.right, r.bottom});
    return rects;
}

Json KeyColor(int32_t has, Color color) {
    return has ? Json(color.Value()) : Json(nullptr);
}

Json Image(const SkinImage& image) {
    if (!image.loaded) return nullptr;
    return {{"file", Text(image.file)},
            {"width", image.width},
            {"height", image.height},
            {"type", image.type},
            {"border", image.border},
            {"transparentColor", KeyColor(image.hasTransparentColor, image.transparentColor)},
            {"rects", Rects(image)}};
}

Json Button(const SkinButton& button) {
    return {{"fileUp", Text(button.fileUp)},
            {"fileDown", Text(button.fileDown)},
            {"id", button.id},
            {"firesOnPress", button.firesOnPress},
            {"width", button.width},
            {"height", button.height},
            {"type", button.type},
            {"transparentColor", KeyColor(button.hasTransparentColor, button.transparentColor)},
            {"rects", Rects(button)}};
}

Json Field(const SkinLabel& label, size_t i) {
    const int32_t id = label.fieldIds[i];
    const FontSpec& f = label.fonts[i];
    return {{"id", id},
            {"name", kCallerFieldNames.at(static_cast<size_t>(id))},
            {"face", Text(f.face)},
            {"size", f.size},
            {"bold", f.bold},
            {"italic", f.italic},
            {"color", f.color.Value()}};
}

// Arrays of numbers, and arrays of those (rectangles), print on one line.
bool IsFlat(const Json& j) {
    if (j.is_primitive()) return true;
    if (!j.is_array()) return false;
    return std::all_of(j.begin(), j.end(), [](const Json& item) {
        return item.is_number() ||
               (item.is_array() &&
                std::all_of(item.begin(), item.end(), [](const Json& x) { return x.is_number(); }));
    });
}

void PrintFlat(const Json& j, std::string& out) {
    if (!j.is_array()) {
        out += j.dump();
        return;
    }
    out += '[';
    for (size_t i = 0; i < j.size(); ++i) {
        if (i) out += ", ";
        PrintFlat(j[i], out);
    }
    out += ']';
}

// Pretty-prints like dump(2), but keeps rectangles on one line.
void Print(const Json& j, int indent, std::string& out) {
    if (IsFlat(j)) {
        PrintFlat(j, out);
        return;
    }
    const bool object = j.is_object();
    if (j.empty()) {
        out += object ? "{}" : "[]";
        return;
    }
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    out += object ? "{\n" : "[\n";
    size_t i = 0;
    for (auto it = j.begin(); it != j.end(); ++it, ++i) {
        out += pad;
        if (object) out += Json(it.key()).dump() + ": ";
        Print(it.value(), indent + 2, out);
        out += i + 1 < j.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<size_t>(indent), ' ') + (object ? "}" : "]");
}

// Text for standard output, written in pieces: a skin of a few MiB can list millions of fields,
// and their JSON is many times that size.
class Output {
public:
    void Append(std::string_view piece) {
        text_ += piece;
        if (text_.size() >= kChunk) Flush();
    }
    void Flush() {
        if (ok_) ok_ = WriteStdout(text_);
        text_.clear();
    }
    bool Ok() const { return ok_; }

private:
    static constexpr size_t kChunk = size_t{1} << 16;
    std::string text_;
    bool ok_ = true;
};

void Append(Output& out, const Json& j, int indent) {
    std::string text;
    Print(j, indent, text);
    out.Append(text);
}

// An array of count items, laid out as Print lays out arrays; item(i, indent) appends item i.
template <typename Item> void AppendArray(Output& out, size_t count, int indent, Item&& item) {
    if (count == 0) {
        out.Append("[]");
        return;
    }
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    out.Append("[\n");
    for (size_t i = 0; i < count; ++i) {
        out.Append(pad);
        item(i, indent + 2);
        out.Append(i + 1 < count ? ",\n" : "\n");
    }
    out.Append(std::string(static_cast<size_t>(indent), ' '));
    out.Append("]");
}

void AppendLabel(Output& out, const SkinLabel& label, int indent) {
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    const Json head = {{"type", label.type},
                       {"horAlign", label.horAlign},
                       {"vertAlign", label.vertAlign},
                       {"rects", Rects(label)}};
    out.Append("{\n");
    for (auto it = head.begin(); it != head.end(); ++it) {
        out.Append(pad);
        out.Append(Json(it.key()).dump());
        out.Append(": ");
        Append(out, it.value(), indent + 2);
        out.Append(",\n");
    }
    out.Append(pad);
    out.Append("\"fields\": ");
    AppendArray(out, label.fieldIds.size(), indent + 2,
                [&](size_t i, int at) { Append(out, Field(label, i), at); });
    out.Append("\n");
    out.Append(std::string(static_cast<size_t>(indent), ' '));
    out.Append("}");
}

int RunInspect(std::string_view skinArg) {
    const std::string path = SkinPathOrDefault(skinArg);
    if (path.empty()) return kExitFailed;
    SampleSkin skin;
    if (!LoadSkin(skin, path)) return kExitFailed;

    Output out;
    out.Append("{\n");
    const auto member = [&](std::string_view key) {
        out.Append("  ");
        out.Append(Json(key).dump());
        out.Append(": ");
    };
    const std::pair<std::string_view, Json> head[] = {
        {"backgroundColor", skin.backgroundColor.Value()},
        {"backgroundImage", Image(skin.backgroundImage)},
        {"borderImage", Image(skin.borderImage)},
        {"photoRect", Rects(skin.photoRect)}};
    for (const auto& [key, value] : head) {
        member(key);
        Append(out, value, 2);
        out.Append(",\n");
    }
    member("images");
    AppendArray(out, skin.images.size(), 2,
                [&](size_t i, int at) { Append(out, Image(skin.images[i]), at); });
    out.Append(",\n");
    member("buttons");
    AppendArray(out, skin.buttons.size(), 2,
                [&](size_t i, int at) { Append(out, Button(skin.buttons[i]), at); });
    out.Append(",\n");
    member("labels");
    AppendArray(out, skin.labels.size(), 2,
                [&](size_t i, int at) { AppendLabel(out, skin.labels[i], at); });
    out.Append("\n}\n");
    out.Flush();
    return out.Ok() ? kExitOk : kExitFailed;
}

} // namespace

Command AddInspectCommand(CLI::App& parent) {
    auto skin = std::make_shared<std::string>();
    CLI::App* cmd =
        parent.add_subcommand("inspect", "Print the loaded skin's model as JSON on stdout");
    AddSkinArgument(cmd, *skin);
    return {cmd, [skin] { return RunInspect(*skin); }};
}

} // namespace pindrel::cli
